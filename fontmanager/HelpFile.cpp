#include "HelpFile.h"

#include <windows.h>

std::string HelpFilePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + "ZEL95.HLP";
}
