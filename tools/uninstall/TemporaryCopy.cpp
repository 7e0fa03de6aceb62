#include "TemporaryCopy.h"

#include "platform/system/LongPath.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

std::string OwnPath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Paths compared as the file system does: without regard to case, short
// names spelled out.
std::string Comparable(const std::string& path) {
  char full[MAX_PATH] = "";
  std::string text = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr) ? full : path;
  text = LongPathOf(text);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

bool RunsFromProgramFolder(const std::string& logPath) {
  return Comparable(FolderOf(OwnPath())) == Comparable(FolderOf(logPath));
}

bool ContinueInTemporaryCopy(const TUninstallArguments& arguments) {
  char temp[MAX_PATH] = "";
  if (!GetTempPathA(sizeof temp, temp)) return false;
  const std::string own = OwnPath();
  const std::string copy = std::string(temp) + own.substr(own.find_last_of('\\') + 1);
  if (!CopyFileA(own.c_str(), copy.c_str(), FALSE)) return false;
  // Open for deletion when the last user is gone: the running copy itself.
  HANDLE file = CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(copy.c_str());
    return false;
  }
  std::string commandLine = "\"" + copy + "\"" + (arguments.Automatic ? " /A" : "") + " \"" +
                            arguments.LogPath + "\" \"" + arguments.Title + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &startup, &process) != FALSE;
  CloseHandle(file);
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
