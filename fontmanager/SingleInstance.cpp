#include "SingleInstance.h"

#include "platform/forms/KernelHandle.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

namespace {

// The path of a process's first module, its executable; "" when unknown.
std::string FirstModulePath(DWORD processId) {
  KernelHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  if (modules.Valid() && Module32First(modules.Get(), &module)) return module.szExePath;
  return "";
}

std::string LowerFileName(const std::string& path) {
  std::string name = path.substr(path.find_last_of('\\') + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

}  // namespace

DWORD FindInstanceIn(const std::vector<TListedProcess>& processes, DWORD self,
                     const std::string& exePath,
                     const std::function<std::string(DWORD)>& executablePath) {
  const std::string fileName = LowerFileName(exePath);
  for (const TListedProcess& process : processes) {
    if (process.Id == self || LowerFileName(process.ExeFile) != fileName) continue;
    std::string path = process.ExeFile;
    if (path.find('\\') == std::string::npos) path = executablePath(process.Id);
    if (path == exePath) return process.Id;
  }
  return 0;
}

DWORD FindOtherInstance(const std::string& exePath) {
  KernelHandle processes(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!processes.Valid()) return 0;
  std::vector<TListedProcess> listed;
  PROCESSENTRY32 process{};
  process.dwSize = sizeof process;
  for (BOOL more = Process32First(processes.Get(), &process); more;
       more = Process32Next(processes.Get(), &process))
    listed.push_back(TListedProcess{process.th32ProcessID, process.szExeFile});
  return FindInstanceIn(listed, GetCurrentProcessId(), exePath, FirstModulePath);
}

void ActivateWindow(const char* className) {
  HWND window = FindWindowA(className, nullptr);
  if (!window) return;
  HWND popup = GetLastActivePopup(window);
  BringWindowToTop(window);
  if (IsIconic(popup))
    ShowWindow(popup, SW_RESTORE);
  else
    SetForegroundWindow(popup);
}
