// The help file beside the program, opened by Wine's help viewer: the
// contents from Help Topics, and the topic of each help context of the
// Install New Fonts dialog.
#include "fontmanager/AddFontDialog.h"
#include "fontmanager/HelpFile.h"
#include "MainWindowFixture.h"
#include "tests/win32/support/Processes.h"
#include "tests/win32/support/Screenshot.h"

#include <cctype>
#include <utility>

namespace {

// The viewer's main window, as WinHelp finds it.
HWND HelpWindow() { return FindWindowA("MS_WINHELP", nullptr); }

BOOL CALLBACK CollectRichText(HWND child, LPARAM param) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  std::string name(className);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name.find("richedit") == std::string::npos) return TRUE;
  // Sent, not GetWindowText: that answers the caption for another process's window.
  std::string text(static_cast<size_t>(SendMessageA(child, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessageA(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  *reinterpret_cast<std::string*>(param) = text;
  return FALSE;
}

// The text the viewer shows: the topic's title is its first line.
std::string ShownText() {
  std::string text;
  if (HWND window = HelpWindow())
    EnumChildWindows(window, CollectRichText, reinterpret_cast<LPARAM>(&text));
  return text;
}

class HelpFileTest : public MainWindowTest {
 protected:
  void TearDown() override {
    if (HWND window = HelpWindow()) {
      WinHelpA(form ? form->Handle() : nullptr, HelpFile().c_str(), HELP_QUIT, 0);
      WaitUntilGone(window);
    }
    MainWindowTest::TearDown();
  }

  static std::string HelpFile() { return HelpFilePath(); }

  // Waits up to 30 s for the viewer to show a topic beginning with `title`.
  static bool Shows(const std::string& title) {
    for (int i = 0; i < 300; ++i) {
      Pump();
      if (ShownText().rfind(title, 0) == 0) return true;
      Sleep(100);
    }
    return false;
  }
};

TEST_F(HelpFileTest, HelpTopicsOpensTheContents) {
  CreateMainWindow();
  form->mnuHelpTopics.Click();
  ASSERT_TRUE(Shows("Zel 95 Help Contents")) << "shown: " << ShownText();
  EXPECT_NE(ShownText().find("Removing fonts and the Recycle Bin"), std::string::npos);
  EXPECT_EQ(Application.HelpFile, "");
  SaveWindowScreenshot(HelpWindow(), "help_contents");
}

TEST_F(HelpFileTest, EveryHelpContextOfTheInstallDialogHasItsTopic) {
  const std::pair<DWORD, const char*> contexts[] = {
      {2000, "Available Fonts"},
      {2001, "Moving fonts between the lists"},
      {2002, "Moving fonts between the lists"},
      {2003, "Moving fonts between the lists"},
      {2004, "Moving fonts between the lists"},
      {2005, "Selected Fonts to Install"},
      {2006, "Sample"},
      {2007, "Drives and Folders"},
      {2008, "OK"},
      {2009, "Cancel"},
      {2010, "Sample"},
      {2011, "Drives and Folders"},
      {2013, "Sample"},
      {2014, "Copy font to fonts folder"},
      {2015, "True Type only"},
      {2016, "Family or Full Name"},
      {2017, "Family or Full Name"},
  };
  CreateMainWindow();
  for (const auto& [context, title] : contexts) {
    // Back to the contents first, so that a context without a topic shows.
    WinHelpA(form->Handle(), HelpFile().c_str(), HELP_FINDER, 0);
    ASSERT_TRUE(Shows("Zel 95 Help Contents")) << "shown: " << ShownText();
    WinHelpA(form->Handle(), HelpFile().c_str(), HELP_CONTEXT, context);
    EXPECT_TRUE(Shows(std::string(title) + "\r"))
        << "context " << context << " shows: " << ShownText();
    if (context == 2000) SaveWindowScreenshot(HelpWindow(), "help_context_2000");
  }
}

TEST_F(HelpFileTest, F1OnAControlOfTheInstallDialogShowsItsTopic) {
  CreateMainWindow();
  TdlgAddFont dialog;
  dialog.Create(form.get());
  dialog.Show();
  Pump();
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = GetDlgCtrlID(dialog.cbCopy.Handle());
  info.hItemHandle = dialog.cbCopy.Handle();
  SendMessageA(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(Shows("Copy font to fonts folder\r")) << "shown: " << ShownText();
  SaveWindowScreenshot(HelpWindow(), "help_install_dialog_f1");
}

TEST_F(HelpFileTest, ProgramEndClosesTheViewer) {
  CreateMainWindow();
  form->mnuHelpTopics.Click();
  ASSERT_TRUE(Shows("Zel 95 Help Contents"));
  const HWND viewer = HelpWindow();
  form.reset();
  EXPECT_TRUE(WaitUntilGone(viewer));
}

}  // namespace
