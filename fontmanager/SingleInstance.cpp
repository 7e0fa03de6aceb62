#include "SingleInstance.h"

#include <tlhelp32.h>

namespace {

class SnapshotHandle {
 public:
    SnapshotHandle(DWORD flags, DWORD processId) : handle_(CreateToolhelp32Snapshot(flags, processId)) {}
    ~SnapshotHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    SnapshotHandle(const SnapshotHandle &) = delete;
    SnapshotHandle &operator=(const SnapshotHandle &) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
    HANDLE handle_;
};

// Windows 95 lists processes with their whole executable path; later systems
// give only the file name, and the path is then that of the process's first
// module.
std::string ExecutablePath(const PROCESSENTRY32 &process)
{
    const std::string listed = process.szExeFile;
    if (listed.find('\\') != std::string::npos)
        return listed;
    SnapshotHandle modules(TH32CS_SNAPMODULE, process.th32ProcessID);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    if (modules.Valid() && Module32First(modules.Get(), &module))
        return module.szExePath;
    return listed;
}

}  // namespace

DWORD FindOtherInstance(const std::string &exePath)
{
    SnapshotHandle processes(TH32CS_SNAPPROCESS, 0);
    if (!processes.Valid())
        return 0;
    const DWORD self = GetCurrentProcessId();
    PROCESSENTRY32 process{};
    process.dwSize = sizeof process;
    for (BOOL more = Process32First(processes.Get(), &process); more;
         more = Process32Next(processes.Get(), &process)) {
        if (process.th32ProcessID != self && ExecutablePath(process) == exePath)
            return process.th32ProcessID;
    }
    return 0;
}

void ActivateWindow(const char *className)
{
    HWND window = FindWindowA(className, nullptr);
    if (!window)
        return;
    HWND popup = GetLastActivePopup(window);
    BringWindowToTop(window);
    if (IsIconic(popup))
        ShowWindow(popup, SW_RESTORE);
    else
        SetForegroundWindow(popup);
}
