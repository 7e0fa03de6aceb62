// The About box, opened from the main window's Help menu.
#include "fontmanager/AboutBox.h"
#include "MainWindowFixture.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/UserInput.h"

namespace {

struct TAboutSeen {
  std::string caption, version, copyright, trueType, other;
};

class AboutBoxTest : public MainWindowTest {
 protected:
  // Opens the box, notes what it shows and closes it with `key` (0: the OK button).
  TAboutSeen OpenAbout(WORD key = 0, const char* screenshot = nullptr) {
    TAboutSeen seen;
    boxes.OnForm = [&](HWND window) {
      auto* about = dynamic_cast<TdlgAbout*>(TForm::FromWindow(window));
      if (!about) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return;
      }
      seen = {about->Caption(), about->lblVersion.Caption(), about->lblCR.Caption(),
              about->lblTTF.Caption(), about->lblOther.Caption()};
      if (screenshot) {
        UpdateWindow(window);
        SaveWindowScreenshot(window, screenshot);
      }
      if (key)
        PostKeyPress(GetFocus(), key);
      else
        SendMessageA(about->pbOK.Handle(), BM_CLICK, 0, 0);
    };
    SendMessageA(form->Handle(), WM_COMMAND, form->mnuHelpAbout.Command(), 0);
    return seen;
  }
};

TEST_F(AboutBoxTest, ShowsTheVersionTheYearsAndTheCountsOfTheLastRebuild) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  CreateMainWindow();
  ASSERT_GT(form->Catalogue().TrueTypeCount, 0);
  SYSTEMTIME now;
  GetLocalTime(&now);
  const TAboutSeen seen = OpenAbout(0, "about-box");
  EXPECT_EQ(seen.caption, "About Zel 95");
  EXPECT_EQ(seen.version, "Version 1.0");
  EXPECT_EQ(seen.copyright,
            "Copyright \xA9 1996-" + std::to_string(now.wYear) + " VELMOR Software");
  EXPECT_EQ(seen.trueType, std::to_string(form->Catalogue().TrueTypeCount));
  EXPECT_EQ(seen.other, "2");
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(AboutBoxTest, NoTrueTypeFontsShowAsZeroAndEscapeClosesTheBox) {
  CreateMainWindow();
  form->Catalogue().TrueTypeCount = 0;
  const TAboutSeen seen = OpenAbout(VK_ESCAPE);
  EXPECT_EQ(seen.trueType, "0");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "About Zel 95");
}

TEST(CopyrightNotice, RunsFrom1996ToTheYearItIsShownIn) {
  EXPECT_EQ(CopyrightNotice(2031), "Copyright \xA9 1996-2031 VELMOR Software");
  EXPECT_EQ(CopyrightNotice(1997), "Copyright \xA9 1996-1997 VELMOR Software");
  EXPECT_EQ(CopyrightNotice(1996), "Copyright \xA9 1996 VELMOR Software");
}

}  // namespace
