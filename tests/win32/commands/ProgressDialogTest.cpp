#include "shellext/commands/CommandResources.h"
#include "shellext/module/Module.h"
#include "shellext/commands/ProgressDialog.h"
#include "tests/win32/support/Screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

std::string TextOf(HWND dialog) {
  char text[300] = "";
  GetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, text, sizeof text);
  return text;
}

int BarPosition(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

TEST(ProgressDialog, OpensHiddenWithItsTextAndAnEmptyBar) {
  ProgressDialog progress(ModuleInstance, nullptr, "Decoding cat.gif");
  ASSERT_TRUE(progress.IsOpen());
  HWND dialog = progress.Window();
  EXPECT_EQ(CurrentProgressDialog(), dialog);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(TextOf(dialog), "Decoding cat.gif");
  EXPECT_EQ(BarPosition(dialog), 0);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0), 10000);
  char caption[64] = "x";
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ(caption, "");
}

TEST(ProgressDialog, IsCentredOverItsOwner) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 80, 500, 300,
                               nullptr, nullptr, nullptr, nullptr);
  {
    ProgressDialog progress(ModuleInstance, owner, nullptr);
    const POINT dialog = CentreOf(progress.Window());
    const POINT over = CentreOf(owner);
    EXPECT_NEAR(dialog.x, over.x, 1);
    EXPECT_NEAR(dialog.y, over.y, 1);
    EXPECT_EQ(GetWindow(progress.Window(), GW_OWNER), owner);
  }
  DestroyWindow(owner);
}

TEST(ProgressDialog, OnlyOneIsOpenAtATime) {
  ProgressDialog first(ModuleInstance, nullptr, nullptr);
  ProgressDialog second(ModuleInstance, nullptr, nullptr);
  EXPECT_TRUE(first.IsOpen());
  EXPECT_FALSE(second.IsOpen());
  first.Close();
  EXPECT_EQ(CurrentProgressDialog(), nullptr);
  ProgressDialog third(ModuleInstance, nullptr, nullptr);
  EXPECT_TRUE(third.IsOpen());
}

TEST(ProgressDialog, PumpingShowsTheProgressAndServesAClickOnCancel) {
  ProgressDialog progress(ModuleInstance, nullptr, "Decoding cat.gif");
  progress.Show();
  progress.Pump(4000);
  HWND dialog = progress.Window();
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(BarPosition(dialog), 4000);
  SaveWindowScreenshot(dialog, "progress-dialog");
  EXPECT_FALSE(ProgressCancelled());

  PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  progress.Pump(4100);
  EXPECT_TRUE(ProgressCancelled());
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(progress.IsOpen());
  EXPECT_EQ(CurrentProgressDialog(), nullptr);
  progress.Pump(5000);  // nothing left to pump, and no harm

  ProgressDialog next(ModuleInstance, nullptr, nullptr);
  EXPECT_FALSE(ProgressCancelled());
}

TEST(ProgressDialog, CancelCanBeDisabled) {
  ProgressDialog progress(ModuleInstance, nullptr, nullptr);
  progress.EnableCancel(false);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(progress.Window(), IDCANCEL)));
  progress.EnableCancel(true);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(progress.Window(), IDCANCEL)));
}
