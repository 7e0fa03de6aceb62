#include "OpenFontManager.h"

#include "fontcommon/Messages.h"
#include "fontcommon/Registry.h"

#include <windows.h>

std::string FontManagerCommandLine(const std::string& appDir) {
  if (appDir.empty()) return "Zel95APP";
  return appDir.back() == '\\' ? appDir + "Zel95APP" : appDir + "\\Zel95APP";
}

void OpenFontManager() {
  std::string appDir;
  RegReadString(HKEY_LOCAL_MACHINE, kProgramKeyPath, "AppDir", appDir, "");
  const std::string commandLine = FontManagerCommandLine(appDir);
  const UINT result = WinExec(commandLine.c_str(), SW_SHOWNORMAL);
  if (result >= 32) return;
  if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND)
    ShowErrorMessage(Msg::Error::FontManagerNotFound, commandLine);
  else
    ShowErrorMessage(Msg::Error::FontManagerNotStarted, std::to_string(result));
}
