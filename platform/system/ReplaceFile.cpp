#include "ReplaceFile.h"

#include "SystemFunction.h"

namespace {

// A read-only file is not replaced, as MoveFileEx on Windows refuses it
// (and some systems' MoveFileEx would not).
bool RefusedAsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
    return false;
  SetLastError(ERROR_ACCESS_DENIED);
  return true;
}

}  // namespace

std::string FolderOfFile(const std::string& path) {
  const size_t end = path.find_last_of("\\/:");
  return end == std::string::npos ? std::string(".") : path.substr(0, end + 1);
}

bool CopyToTemporary(const std::string& source, const std::string& folder, const char* prefix,
                     std::string& temporary) {
  char name[MAX_PATH] = "";
  if (!GetTempFileNameA(folder.c_str(), prefix, 0, name)) return false;
  temporary = name;
  if (CopyFileA(source.c_str(), temporary.c_str(), FALSE)) return true;
  DeleteFileA(temporary.c_str());
  return false;
}

bool MoveFileReplacing(const std::string& from, const std::string& to) {
  using MoveFileExCall = BOOL WINAPI(LPCSTR, LPCSTR, DWORD);
  static const auto moveFileEx = SystemFunction<MoveFileExCall>("kernel32.dll", "MoveFileExA");
  if (RefusedAsReadOnly(to)) return false;
  if (moveFileEx) {
    if (moveFileEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    // Windows 95 exports it as a stub that does nothing.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  }
  return ReplaceByRenames(from, to);
}

bool ReplaceByRenames(const std::string& from, const std::string& to) {
  if (RefusedAsReadOnly(to)) return false;
  if (GetFileAttributesA(to.c_str()) == INVALID_FILE_ATTRIBUTES)
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
  char aside[MAX_PATH];
  if (!GetTempFileNameA(FolderOfFile(to).c_str(), "old", 0, aside)) return false;
  // The name is reserved by an empty file, which the rename may not replace.
  DeleteFileA(aside);
  if (!MoveFileA(to.c_str(), aside)) return false;
  if (!MoveFileA(from.c_str(), to.c_str())) {
    const DWORD error = GetLastError();
    MoveFileA(aside, to.c_str());
    SetLastError(error);
    return false;
  }
  DeleteFileA(aside);
  return true;
}
