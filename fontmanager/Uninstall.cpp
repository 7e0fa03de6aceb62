#include "Uninstall.h"

#include "fontcommon/Messages.h"
#include "fontcommon/Registry.h"
#include "platform/forms/KernelHandle.h"

namespace {

std::string ProgramDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

bool EndOtherInstance(DWORD processId) {
  KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  if (!process.Valid()) return false;
  TerminateProcess(process.Get(), 0);
  return true;
}

// The Control Panel holds the applet; its window is found by the title its
// class gives it.
void CloseControlPanel() {
  std::string title;
  RegReadString(HKEY_LOCAL_MACHINE, kControlPanelClassKey, "", title, "");
  if (title.empty()) return;
  if (HWND window = FindWindowA(nullptr, title.c_str())) SendMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

std::string UninstallerCommandLine(const std::string& programDir) {
  return programDir + "UninstallZel95.exe" + " /A " + programDir + "Install.Log \"Remove Zel 95\"";
}

void UninstallProgram(DWORD otherProcessId) {
  if (AskVerifyMessage(Msg::Verify::RemoveZel95, "", "", {mbYes, mbNo}) != mrYes) return;
  ShowInfoMessage(Msg::Info::RemovalStarts, {mbOK});
  if (otherProcessId != 0 && !EndOtherInstance(otherProcessId)) {
    ShowErrorMessage(Msg::Error::RemovedWhileRunning, "");
    return;
  }
  CloseControlPanel();
  RegDeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
  if (WinExec(UninstallerCommandLine(ProgramDir()).c_str(), SW_SHOWNORMAL) < 32)
    ShowErrorMessage(Msg::Error::UninstallerMissing, "");
}
