// The real Zel95APP.exe, started as its own process.
#include "tests/win32/support/Screenshot.h"
#include "TestPrefix.h"
#include "tests/win32/support/WinePaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Zel95APP.exe";

class Program {
 public:
  explicit Program(const std::string& arguments = "") {
    const std::string path = WinePathOf(ZEL95APP_EXE);
    std::string commandLine = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_) != FALSE;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool Started() const { return started_; }
  DWORD Id() const { return process_.dwProcessId; }

  // The exit code once the process has ended; STILL_ACTIVE if it does not.
  DWORD ExitCode() {
    WaitForSingleObject(process_.hProcess, 60000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

struct WindowSearch {
  DWORD process;
  const char* className;  // null: any
  const char* caption;    // null: any
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = "";
  char caption[128] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if ((search->process == 0 || process == search->process) &&
      (!search->className || std::string(className) == search->className) &&
      (!search->caption || std::string(caption) == search->caption) &&
      (!search->visibleOnly || IsWindowVisible(window)))
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> Windows(DWORD process, const char* className, const char* caption,
                          bool visibleOnly) {
  WindowSearch search{process, className, caption, visibleOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits for the first visible window of the search; null when none comes.
HWND WaitForWindow(DWORD process, const char* className, const char* caption) {
  for (int wait = 0; wait < 600; ++wait) {
    const std::vector<HWND> found = Windows(process, className, caption, true);
    if (!found.empty()) return found.front();
    Sleep(100);
  }
  return nullptr;
}

// The Fonts key as the program meets it: every registered file present, so
// that no question holds up its start.
class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const TKeyValue& value : ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath)) {
      std::string upper = value.Data;
      std::transform(upper.begin(), upper.end(), upper.begin(),
                     [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
      const std::string path = value.Data.find('\\') != std::string::npos
                                   ? value.Data
                                   : FontsFolder() + "\\" + value.Data;
      if (upper.find(".FON") != std::string::npos && !FileExists(path))
        RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, value.Name);
    }
  }

  FontsKeySnapshot fontsKey;
};

TEST_F(ProcessTest, ASecondStartBringsTheFirstWindowToTheFrontAndEnds) {
  Program first;
  ASSERT_TRUE(first.Started());
  HWND window = WaitForWindow(first.Id(), "TfrmZel95", "Zel 95");
  ASSERT_NE(window, nullptr);
  Sleep(500);
  SaveWindowScreenshot(window, "zel95app-started");

  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));
  {
    Program second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(Windows(second.Id(), nullptr, nullptr, false).empty())
        << "the second start made a window";
  }
  EXPECT_FALSE(IsIconic(window)) << "the first window was not restored";

  // From behind another window of the desktop, too.
  HWND other = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                               300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  {
    Program third;
    EXPECT_EQ(third.ExitCode(), 0u);
  }
  EXPECT_EQ(GetForegroundWindow(), window);
  DestroyWindow(other);
  EXPECT_EQ(Windows(0, "TfrmZel95", nullptr, false).size(), 1u);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.ExitCode(), 0u);
}

TEST_F(ProcessTest, TheProgramFileCarriesTheProgramIcon) {
  HMODULE file =
      LoadLibraryExA(WinePathOf(ZEL95APP_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(file, nullptr);
  EXPECT_NE(FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr)
      << "no icon in the program";
  FreeLibrary(file);
}

TEST_F(ProcessTest, OnAnotherPlatformOnlyErrorOneShowsAndTheExitCodeIsOne) {
  struct VersionBack {
    ~VersionBack() { WriteString(HKEY_CURRENT_USER, kAppDefaults, "Version", "win95"); }
  } back;
  WriteString(HKEY_CURRENT_USER, kAppDefaults, "Version", "winxp");
  Program program;
  ASSERT_TRUE(program.Started());
  HWND box = WaitForWindow(program.Id(), nullptr, "Error");
  ASSERT_NE(box, nullptr);
  char text[256] = "";
  GetDlgItemTextA(box, 101, text, sizeof text);
  EXPECT_STREQ(text, "Sorry, Zel 95 can only run in Windows 95.");
  EXPECT_EQ(Windows(program.Id(), nullptr, nullptr, true).size(), 1u)
      << "something besides the box shows";
  SaveWindowScreenshot(box, "zel95app-not-windows-95");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(program.ExitCode(), 1u);
}

TEST_F(ProcessTest, TheUninstallSwitchOpensNoWindowButOtherSpellingsStartNormally) {
  {
    Program uninstall("/UNINSTALL");
    // Its one question, answered No.
    HWND question = WaitForWindow(uninstall.Id(), nullptr, "Confirm");
    ASSERT_NE(question, nullptr);
    SendMessageA(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    EXPECT_EQ(uninstall.ExitCode(), 0u);
    EXPECT_TRUE(Windows(uninstall.Id(), "TfrmZel95", nullptr, false).empty());
  }
  for (const char* spelling : {"/uninstall", "\" /UNINSTALL\""}) {
    Program program(spelling);
    HWND window = WaitForWindow(program.Id(), "TfrmZel95", "Zel 95");
    EXPECT_NE(window, nullptr) << spelling;
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u) << spelling;
  }
}

}  // namespace
