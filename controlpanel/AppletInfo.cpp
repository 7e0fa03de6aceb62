#include "AppletInfo.h"

#include <cstring>

HINSTANCE AppletModule() {
  // The allocation that holds this function's code starts at its module.
  MEMORY_BASIC_INFORMATION memory{};
  VirtualQuery(reinterpret_cast<const void*>(&AppletModule), &memory, sizeof memory);
  return static_cast<HINSTANCE>(memory.AllocationBase);
}

void FillAppletInfo(NEWCPLINFOA& info) {
  info.dwSize = sizeof(NEWCPLINFOA);
  info.hIcon = LoadIconA(AppletModule(), "MAINICON");
  std::strncpy(info.szName, kAppletName, sizeof info.szName - 1);
  info.szName[sizeof info.szName - 1] = '\0';
  std::strncpy(info.szInfo, kAppletInfo, sizeof info.szInfo - 1);
  info.szInfo[sizeof info.szInfo - 1] = '\0';
}
