#include "ReplacementFile.h"

#include "platform/system/ReplaceFile.h"

ReplacementFile::ReplacementFile(const std::string& target) : target_(target) {
  char name[MAX_PATH];
  if (GetTempFileNameA(FolderOfFile(target).c_str(), "glm", 0, name)) temporary_ = name;
}

ReplacementFile::ReplacementFile(const std::string& target, CopyOfTarget) : target_(target) {
  if (!CopyToTemporary(target, FolderOfFile(target), "GLW", temporary_)) temporary_.clear();
}

ReplacementFile::~ReplacementFile() {
  if (IsReady()) DeleteFileA(temporary_.c_str());
}

bool ReplacementFile::Commit() {
  if (!IsReady()) return false;
  if (!MoveFileReplacing(temporary_, target_)) return false;
  temporary_.clear();
  return true;
}
