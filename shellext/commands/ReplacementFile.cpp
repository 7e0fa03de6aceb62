#include "ReplacementFile.h"

#include "platform/system/ReplaceFile.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t end = path.find_last_of("\\/:");
  return end == std::string::npos ? std::string(".") : path.substr(0, end + 1);
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target) : target_(target) {
  char name[MAX_PATH];
  if (GetTempFileNameA(FolderOf(target).c_str(), "glm", 0, name)) temporary_ = name;
}

ReplacementFile::~ReplacementFile() {
  if (IsReady()) DeleteFileA(temporary_.c_str());
}

bool ReplacementFile::Commit() {
  if (!IsReady()) return false;
  const DWORD attributes = GetFileAttributesA(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  if (!MoveFileReplacing(temporary_, target_)) return false;
  temporary_.clear();
  return true;
}
