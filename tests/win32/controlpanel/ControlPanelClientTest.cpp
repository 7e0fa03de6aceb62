// The installed product seen through Wine's own clients: its Control Panel
// lists and opens the applet, its Add/Remove Programs lists the product.
#include "RemoteListView.h"

#include "tests/win32/support/Processes.h"
#include "tests/win32/support/Screenshot.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {

const char kInstalledProgram[] = "C:\\Program Files\\Zel95\\Zel95APP.exe";

// Clicks as a person does, through the system's input.
void ClickAt(HWND window, const RECT& rect, int clicks) {
  SetForegroundWindow(window);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  Sleep(100);
  for (int click = 0; click < clicks; ++click) {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  }
}

int IndexOf(const std::vector<std::string>& texts, const std::string& text) {
  const auto found = std::find(texts.begin(), texts.end(), text);
  return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

// A window of Wine's Control Panel, closed at the end.
class ControlPanelWindow {
 public:
  ControlPanelWindow(const char* commandLine, const char* caption) : program_("", commandLine) {
    window = WaitForTopLevelWindow(0, nullptr, caption);
    list = window ? FindChildOfClass(window, "SysListView32") : nullptr;
    // The list fills after the window shows.
    for (int wait = 0; wait < 100 && list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0;
         ++wait)
      Sleep(100);
    Sleep(500);
  }
  ~ControlPanelWindow() {
    if (IsWindow(window)) {
      PostMessageA(window, WM_CLOSE, 0, 0);
      WaitUntilGone(window);
    }
  }

  HWND window = nullptr;
  HWND list = nullptr;

 private:
  StartedProgram program_;
};

TEST(ControlPanelClient, TheControlPanelListsTheAppletAndOpeningItStartsTheFontManager) {
  ControlPanelWindow panel("control.exe", "Wine Control Panel");
  ASSERT_NE(panel.window, nullptr);
  ASSERT_NE(panel.list, nullptr);
  const int index = IndexOf(ListViewTexts(panel.list), "Zel 95 Font Manager");
  ASSERT_GE(index, 0) << "the Control Panel does not list the applet";

  // The virtual desktop may take a moment to give the window the input.
  HWND status = FindChildOfClass(panel.window, "msctls_statusbar32");
  ASSERT_NE(status, nullptr);
  const std::string description = "Views, installs and removes fonts more comfortably.";
  for (int attempt = 0; attempt < 10 && ControlText(status) != description; ++attempt) {
    ClickAt(panel.window, ListViewItemOnScreen(panel.list, index), 1);
    Sleep(300);
  }
  EXPECT_EQ(ControlText(status), description);
  SaveWindowScreenshot(panel.window, "control-panel-applet");

  HWND main = nullptr;
  for (int attempt = 0; attempt < 3 && !main; ++attempt) {
    ClickAt(panel.window, ListViewItemOnScreen(panel.list, index), 2);
    for (int wait = 0; wait < 100 && !main; ++wait, Sleep(100))
      main = FindWindowA("TfrmZel95", "Zel 95");
  }
  ASSERT_NE(main, nullptr) << "opening the applet started no font manager";
  ASSERT_NE(WaitForTopLevelWindow(0, "TfrmZel95", "Zel 95"), nullptr);
  const std::vector<TRunningProgram> running = RunningPrograms("Zel95APP.exe");
  ASSERT_EQ(running.size(), 1u);
  EXPECT_EQ(lstrcmpiA(running[0].Path.c_str(), kInstalledProgram), 0) << running[0].Path;
  Sleep(500);
  SaveWindowScreenshot(main, "control-panel-opened-font-manager");
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilNoneRuns("Zel95APP.exe"));
}

TEST(ControlPanelClient, AddRemoveProgramsListsTheProduct) {
  ControlPanelWindow programs("control.exe appwiz.cpl", "Add/Remove Programs");
  ASSERT_NE(programs.window, nullptr);
  ASSERT_NE(programs.list, nullptr);
  EXPECT_GE(IndexOf(ListViewTexts(programs.list), "Zel 95"), 0)
      << "Add/Remove Programs does not list Zel 95";
  SaveWindowScreenshot(programs.window, "add-remove-programs");
}

}  // namespace
