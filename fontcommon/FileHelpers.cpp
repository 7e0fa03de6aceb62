#include "fontcommon/FileHelpers.h"

#include "platform/forms/KernelHandle.h"

#include <windows.h>

int CountFiles(const std::string& folder, const std::string& pattern, uint16_t attributes) {
  std::string search = folder;
  if (search.empty() || search.back() != '\\') search += '\\';
  search += pattern;
  WIN32_FIND_DATAA entry;
  const FileSearchHandle find(FindFirstFileA(search.c_str(), &entry));
  if (!find.Valid()) return 0;
  int count = 0;
  do {
    if ((entry.dwFileAttributes & ~static_cast<DWORD>(attributes) & 0xFFFF) == 0) ++count;
  } while (FindNextFileA(find.Get(), &entry));
  return count;
}

std::string GetShortPath(const std::string& path) {
  char shortPath[261];
  DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
  if (length == 0 || length >= sizeof shortPath) return path;
  return std::string(shortPath, length);
}
