#include "FileTitle.h"

#include <windows.h>
#include <commdlg.h>

std::string FileTitleOf(const char* path) {
  char title[MAX_PATH] = "";
  if (!path || GetFileTitleA(path, title, sizeof title) != 0) return path ? path : "";
  return title;
}
