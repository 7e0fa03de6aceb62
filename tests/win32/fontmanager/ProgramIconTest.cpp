// The main window shows the program's own icon in its caption, the task list
// and Alt+Tab, not the system's generic one.
#include "MainWindowFixture.h"

#include "fontmanager/Resources.h"
#include "tests/win32/support/Screenshot.h"

namespace {

TEST_F(MainWindowTest, TheMainWindowShowsTheProgramIcon) {
  CreateMainWindow();
  const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ZEL95));
  ASSERT_NE(programIcon, nullptr) << "the program has no icon";
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(form->Handle(), GCLP_HICON)), programIcon);
  SaveWindowScreenshot(form->Handle(), "zel95app-with-icon");
}

}  // namespace
