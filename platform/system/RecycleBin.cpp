#include "RecycleBin.h"

#include "SystemFunction.h"

#include <shellapi.h>

LONGLONG RecycleBinItems(const std::string& path) {
  using QueryCall = HRESULT WINAPI(LPCSTR, SHQUERYRBINFO*);
  static const auto query = SystemFunction<QueryCall>("shell32.dll", "SHQueryRecycleBinA");
  if (!query) {
    if (path.size() < 2 || path[1] != ':') return -1;
    return RecycledFolderItems(path.substr(0, 2) + "\\");
  }
  SHQUERYRBINFO bin{};
  bin.cbSize = sizeof bin;
  return SUCCEEDED(query(path.c_str(), &bin)) ? bin.i64NumItems : -1;
}

LONGLONG RecycledFolderItems(const std::string& root) {
  const std::string folder = root + "RECYCLED\\";
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  LONGLONG items = 0;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == ".." || lstrcmpiA(name.c_str(), "INFO") == 0 ||
        lstrcmpiA(name.c_str(), "INFO2") == 0 || lstrcmpiA(name.c_str(), "desktop.ini") == 0)
      continue;
    ++items;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return items;
}
