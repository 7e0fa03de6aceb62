// Full Sample starts the font viewer in the Windows folder on the file of the
// one selected family.
#include "MainWindowFixture.h"
#include "tests/win32/support/UserInput.h"
#include "tests/win32/support/WinePaths.h"

#include "platform/forms/ErrorBeep.h"

#include <sstream>

namespace {

class FullSampleTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    const std::string viewer = WindowsFolder() + "\\FONTVIEW.EXE";
    ASSERT_TRUE(CopyFileA(WinePathOf(FONTVIEW_EXE).c_str(), viewer.c_str(), FALSE)) << viewer;
    log_ = WindowsFolder() + "\\TEMP\\fontview.log";
    CreateDirectoryA((WindowsFolder() + "\\TEMP").c_str(), nullptr);
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("ZEL95_FONTVIEW_LOG", log_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("ZEL95_FONTVIEW_LOG", nullptr);
    MainWindowTest::TearDown();
  }

  // The command lines the viewer was started with, once `count` are there.
  std::vector<std::string> ViewerStarts(size_t count) {
    std::vector<std::string> lines;
    for (int wait = 0; wait < 600; ++wait) {
      lines.clear();
      std::istringstream in(ReadWholeFile(log_));
      for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
      if (lines.size() >= count) break;
      Pump();
      Sleep(50);
    }
    return lines;
  }

  void SelectOnly(const std::string& face) {
    const int row = RowOf(face);
    ASSERT_GE(row, 0) << face;
    ClickListRow(form->lbFonts.Handle(), row);
    ASSERT_EQ(form->CountSelected(), 1);
  }

  std::string log_;
};

TEST_F(FullSampleTest, ATrueTypeFamilyRegisteredWithAPathIsShownFromThatPath) {
  CreateMainWindow();
  SelectOnly("DejaVu Sans");
  EXPECT_EQ(form->ShowItem(RowOf("DejaVu Sans"))->Name, "DejaVu Sans");
  const auto registered = ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "DejaVu Sans (TrueType)");
  ASSERT_TRUE(registered);
  form->sbFullSample.Click();
  EXPECT_EQ(ViewerStarts(1), std::vector<std::string>{*registered});
}

TEST_F(FullSampleTest, ABareFileNameIsShownFromTheFontsFolderAlsoOnADoubleClick) {
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Liberation Sans (TrueType)",
              "LiberationSans-Regular.ttf");
  CreateMainWindow();
  SelectOnly("Liberation Sans");
  RECT row;
  SendMessageA(form->lbFonts.Handle(), LB_GETITEMRECT, RowOf("Liberation Sans"),
               reinterpret_cast<LPARAM>(&row));
  SendMessageA(form->lbFonts.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
               MAKELPARAM(row.left + 5, row.top + 2));
  SendMessageA(form->lbFonts.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(row.left + 5, row.top + 2));
  EXPECT_EQ(ViewerStarts(1),
            std::vector<std::string>{FontsFolder() + "\\LiberationSans-Regular.ttf"});
}

TEST_F(FullSampleTest, APathWithBlanksGoesToTheViewerUnquoted) {
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Liberation Serif (TrueType)",
              "C:\\Font Folder\\LibSerif.ttf");
  CreateMainWindow();
  SelectOnly("Liberation Serif");
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewFullSample.Command(), 0);
  EXPECT_EQ(ViewerStarts(1), std::vector<std::string>{"C:\\Font Folder\\LibSerif.ttf"});
}

TEST_F(FullSampleTest, ARasterFaceWithTwoFilesShowsTheFileOfTheFirstEntry) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  CreateMainWindow();
  std::string first;
  for (const TKeyValue& value : ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath))
    if (first.empty() && (value.Name == kSansSerifVga || value.Name == kSansSerif8514))
      first = value.Data;
  SelectOnly("MS Sans Serif");
  form->sbFullSample.Click();
  EXPECT_EQ(ViewerStarts(1), std::vector<std::string>{FontsFolder() + "\\" + first});
}

TEST_F(FullSampleTest, NoneOrTwoSelectedRowsOnlyBeep) {
  CreateMainWindow();
  int beeps = ErrorBeepCount();
  form->sbFullSample.Click();
  EXPECT_EQ(ErrorBeepCount(), ++beeps);
  ClickListRow(form->lbFonts.Handle(), 0);
  ClickListRow(form->lbFonts.Handle(), 1, true);
  SendMessageA(form->sbFullSample.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ErrorBeepCount(), ++beeps);
  // One start afterwards, so that the log shows nothing came before it.
  ClickListRow(form->lbFonts.Handle(), 0);
  form->sbFullSample.Click();
  EXPECT_EQ(ViewerStarts(1).size(), 1u);
}

}  // namespace
