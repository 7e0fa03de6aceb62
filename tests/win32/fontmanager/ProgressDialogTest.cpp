// The progress dialog that long loops drive by calls.
#include "fontmanager/ProgressDialog.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/UserInput.h"

#include "platform/forms/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const TFormDefinition kOwnerDefinition = {
    "TZelTestOwner", "Owner", TBorderStyle::Sizeable, 400, 300, false};

class TestWindow : public TForm {
 public:
  TestWindow() : TForm("TestWindow", kOwnerDefinition) { CreateForm(nullptr); }
};

class ProgressDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.Show();
    other.Show();
    EnableWindow(other.Handle(), FALSE);
    dialog.Create(&owner);
  }

  TestWindow owner;
  TestWindow other;
  TDlgProgress dialog;
};

std::string Text(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST_F(ProgressDialogTest, StartsWithItsOwnCaptionTheTextAndAnEmptyBar) {
  StartProgress(dialog, "", "Reading font files...");
  EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
  EXPECT_EQ(Text(dialog.Handle()), "Zel 95 Progress");
  EXPECT_EQ(dialog.lblUserText.Caption(), "Reading font files...");
  EXPECT_EQ(dialog.gProgress.Position(), 0);
  RECT client;
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(client.right, 297);
  EXPECT_EQ(client.bottom, 128);
  EXPECT_EQ(GetWindowLongA(dialog.Handle(), GWL_STYLE) & WS_SYSMENU, 0);

  UpdateProgress(dialog, 40, "DEJAVUSANS.TTF");
  EXPECT_EQ(dialog.gProgress.Position(), 40);
  EXPECT_EQ(Text(dialog.lblUserText.Handle()), "Reading DEJAVUSANS.TTF...");
  SetForegroundWindow(dialog.Handle());
  UpdateWindow(dialog.Handle());
  SaveWindowScreenshot(dialog.Handle(), "progress-dialog");
  EXPECT_FALSE(ProgressCancelled());
  EndProgress(dialog);
  EXPECT_FALSE(IsWindow(dialog.Handle()));
}

TEST_F(ProgressDialogTest, AGivenCaptionReplacesTheFormsOwn) {
  StartProgress(dialog, "Scanning C:\\FONTS", "");
  EXPECT_EQ(Text(dialog.Handle()), "Scanning C:\\FONTS");
  EndProgress(dialog);
}

TEST_F(ProgressDialogTest, CancelPressedTwiceIsSeenOnce) {
  StartProgress(dialog, "", "Reading font files...");
  SendMessageA(dialog.pbCancel.Handle(), BM_CLICK, 0, 0);
  SendMessageA(dialog.pbCancel.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindow(dialog.Handle())) << "the dialog stays until the loop ends it";
  EXPECT_TRUE(ProgressCancelled());
  EXPECT_FALSE(ProgressCancelled());
  EndProgress(dialog);
}

TEST_F(ProgressDialogTest, EnterAndEscapeActAsCancel) {
  StartProgress(dialog, "", "Reading font files...");
  for (WORD key : {VK_ESCAPE, VK_RETURN}) {
    SetFocus(dialog.pbCancel.Handle());
    PostKeyPress(GetFocus(), key);
    UpdateProgress(dialog, 10, "A.TTF");
    EXPECT_TRUE(ProgressCancelled()) << "key " << key;
  }
  EndProgress(dialog);
}

TEST_F(ProgressDialogTest, TheWindowsItDisabledAreEnabledAgainAndNoOthers) {
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  StartProgress(dialog, "", "Reading font files...");
  EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowEnabled(other.Handle()));
  EXPECT_TRUE(IsWindowEnabled(dialog.Handle()));
  EndProgress(dialog);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowEnabled(other.Handle()));
}

TEST_F(ProgressDialogTest, ADialogLeftByAnExceptionEnablesWhatItDisabled) {
  try {
    TDlgProgress abandoned;
    abandoned.Create(&owner);
    StartProgress(abandoned, "", "Reading font files...");
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    throw std::runtime_error("a reader failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowEnabled(other.Handle()));
  EXPECT_TRUE(IsWindowEnabled(dialog.Handle())) << "the next dialog was left disabled";
}

TEST_F(ProgressDialogTest, ALongNameWrapsWithinTheLabelsWidth) {
  StartProgress(dialog, "", "Reading font files...");
  const RECT oneLine = dialog.lblUserText.BoundsRect();
  UpdateProgress(dialog, 50, "A Font File With A Rather Long Name Of Many Words.TTF");
  const RECT wrapped = dialog.lblUserText.BoundsRect();
  EXPECT_EQ(wrapped.right - wrapped.left, 240);
  EXPECT_GT(wrapped.bottom - wrapped.top, oneLine.bottom - oneLine.top);
  EndProgress(dialog);
}

}  // namespace
