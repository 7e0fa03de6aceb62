#include "LongPath.h"

#include "SystemFunction.h"

std::string LongPathOf(const std::string& path) {
  using GetLongPathNameCall = DWORD WINAPI(LPCSTR, LPSTR, DWORD);
  static const auto getLongPathName =
      SystemFunction<GetLongPathNameCall>("kernel32.dll", "GetLongPathNameA");
  if (!getLongPathName) return LongPathByParts(path);
  char longer[MAX_PATH];
  const DWORD length = getLongPathName(path.c_str(), longer, sizeof longer);
  return length > 0 && length < sizeof longer ? std::string(longer) : path;
}

std::string LongPathByParts(const std::string& path) {
  // The root stays as it is: "C:\" or "\\server\share\".
  size_t start = 0;
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
    start = 3;
  } else if (path.compare(0, 2, "\\\\") == 0) {
    start = path.find('\\', path.find('\\', 2) + 1);
    if (start == std::string::npos) return path;
    ++start;
  } else {
    return path;
  }
  std::string result = path.substr(0, start);
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((result + part).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE || part.find_first_of("*?") != std::string::npos) {
      if (search != INVALID_HANDLE_VALUE) FindClose(search);
      return path;
    }
    FindClose(search);
    result += found.cFileName;
    if (end < path.size()) result += '\\';
    start = end + 1;
  }
  return result;
}
