#include "Processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

struct TWindowSearch {
  DWORD Process;
  const char* ClassName;
  const char* Caption;
  bool VisibleOnly;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TWindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[128] = "";
  char caption[256] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if ((search->Process == 0 || process == search->Process) &&
      (!search->ClassName || std::string(className) == search->ClassName) &&
      (!search->Caption || std::string(caption) == search->Caption) &&
      (!search->VisibleOnly || IsWindowVisible(window)))
    search->Found.push_back(window);
  return TRUE;
}

}  // namespace

StartedProgram::StartedProgram(const std::string& application, const std::string& commandLine) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  started_ = CreateProcessA(application.empty() ? nullptr : application.c_str(), &line[0], nullptr,
                            nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_) != FALSE;
}

StartedProgram::~StartedProgram() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 10000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

DWORD StartedProgram::ExitCode(DWORD milliseconds) {
  WaitForSingleObject(process_.hProcess, milliseconds);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::vector<HWND> TopLevelWindows(DWORD process, const char* className, const char* caption,
                                  bool visibleOnly) {
  TWindowSearch search{process, className, caption, visibleOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND WaitForTopLevelWindow(DWORD process, const char* className, const char* caption) {
  for (int wait = 0; wait < 600; ++wait) {
    const std::vector<HWND> found = TopLevelWindows(process, className, caption, true);
    if (!found.empty()) return found.front();
    Sleep(100);
  }
  return nullptr;
}

bool WaitUntilGone(HWND window) {
  for (int wait = 0; wait < 600 && IsWindow(window); ++wait) Sleep(100);
  return !IsWindow(window);
}

std::vector<TRunningProgram> RunningPrograms(const std::string& fileName) {
  std::vector<TRunningProgram> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 process{};
  process.dwSize = sizeof process;
  for (BOOL more = Process32First(snapshot, &process); more;
       more = Process32Next(snapshot, &process)) {
    std::string name = process.szExeFile;
    name = name.substr(name.find_last_of('\\') + 1);
    if (!fileName.empty() && Lower(name) != Lower(fileName)) continue;
    TRunningProgram program{process.th32ProcessID, process.szExeFile};
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process.th32ProcessID);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    if (modules != INVALID_HANDLE_VALUE) {
      if (Module32First(modules, &module)) program.Path = module.szExePath;
      CloseHandle(modules);
    }
    found.push_back(program);
  }
  CloseHandle(snapshot);
  return found;
}

bool WaitUntilNoneRuns(const std::string& fileName) {
  for (int wait = 0; wait < 600; ++wait) {
    if (RunningPrograms(fileName).empty()) return true;
    Sleep(100);
  }
  return false;
}

std::string ControlText(HWND control) {
  char text[4096] = "";
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}
