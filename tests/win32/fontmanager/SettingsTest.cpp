// The three settings applied to the main window at its creation and stored
// at its end.
#include "MainWindowFixture.h"
#include "ReportText.h"

#include "fontcore/MessageBoxLook.h"

namespace {

bool MenuChecked(const TfrmZel95& form, const TMenuItem& item) {
  return (GetMenuState(GetMenu(form.Handle()), item.Command(), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

struct AppToolsCase {
  const char* stored;  // null: no value
  bool toolbar;
  bool statusBar;
};

class AppToolsTest : public MainWindowTest, public ::testing::WithParamInterface<AppToolsCase> {};

TEST_P(AppToolsTest, ShowsTheBarsTheStoredBitsName) {
  const AppToolsCase& c = GetParam();
  if (c.stored) WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "AppTools", c.stored);
  CreateMainWindow();
  EXPECT_EQ(form->Toolbar.Visible(), c.toolbar);
  EXPECT_EQ(IsWindowVisible(form->Toolbar.Handle()) != FALSE, c.toolbar);
  EXPECT_EQ(form->mnuViewToolbar.Checked(), c.toolbar);
  EXPECT_EQ(MenuChecked(*form, form->mnuViewToolbar), c.toolbar);
  EXPECT_EQ(form->StatusBar.Visible(), c.statusBar);
  EXPECT_EQ(IsWindowVisible(form->StatusBar.Handle()) != FALSE, c.statusBar);
  EXPECT_EQ(form->mnuViewStatusbar.Checked(), c.statusBar);
  EXPECT_EQ(MenuChecked(*form, form->mnuViewStatusbar), c.statusBar);
  // The list starts below the toolbar when there is one.
  EXPECT_EQ(form->lbFonts.BoundsRect().top, c.toolbar ? 29 : 0);
  EXPECT_TRUE(boxes.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, AppToolsTest,
    ::testing::Values(AppToolsCase{nullptr, true, true}, AppToolsCase{"", true, true},
                      AppToolsCase{"  ", true, true}, AppToolsCase{"0", false, false},
                      AppToolsCase{"1", true, false}, AppToolsCase{"2", false, true},
                      AppToolsCase{"3", true, true}, AppToolsCase{" 2 ", false, true},
                      AppToolsCase{"4", true, true}, AppToolsCase{"-1", true, true}));

struct SampleSizeCase {
  const char* stored;
  int shown;
};

class SampleSizeTest : public MainWindowTest,
                       public ::testing::WithParamInterface<SampleSizeCase> {};

TEST_P(SampleSizeTest, TheSpinEditKeepsTheStoredSizeWithinEightToFifty) {
  const SampleSizeCase& c = GetParam();
  if (c.stored) WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize", c.stored);
  CreateMainWindow();
  EXPECT_EQ(form->spSize.Value(), c.shown);
  char text[16] = "";
  GetWindowTextA(form->spSize.EditHandle(), text, sizeof text);
  EXPECT_EQ(std::string(text), std::to_string(c.shown));
  EXPECT_EQ(form->Catalogue().EnumSampleSize, c.shown);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, SampleSizeTest,
                         ::testing::Values(SampleSizeCase{nullptr, 12}, SampleSizeCase{"20", 20},
                                           SampleSizeCase{"6", 8}, SampleSizeCase{"7", 8},
                                           SampleSizeCase{"51", 50}, SampleSizeCase{"72", 50},
                                           SampleSizeCase{"5", 12}, SampleSizeCase{"73", 12}));

struct TTFOnlyCase {
  const char* stored;
  bool checked;
};

class TTFOnlyTest : public MainWindowTest, public ::testing::WithParamInterface<TTFOnlyCase> {};

TEST_P(TTFOnlyTest, ChecksTrueTypeOnlyForOne) {
  const TTFOnlyCase& c = GetParam();
  if (c.stored) WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", c.stored);
  CreateMainWindow();
  EXPECT_EQ(form->cbTT.Checked(), c.checked);
  EXPECT_EQ(SendMessageA(form->cbTT.Handle(), BM_GETCHECK, 0, 0),
            c.checked ? BST_CHECKED : BST_UNCHECKED);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, TTFOnlyTest,
                         ::testing::Values(TTFOnlyCase{nullptr, true}, TTFOnlyCase{"0", false},
                                           TTFOnlyCase{"1", true}, TTFOnlyCase{"2", true}));

TEST_F(MainWindowTest, ClosingStoresTheDefaultsOfAnUntouchedWindow) {
  CreateMainWindow();
  form.reset();
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "AppTools"), "3");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize"), "12");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly"), "1");
}

TEST_F(MainWindowTest, ClosingStoresWhatTheUserChanged) {
  CreateMainWindow();
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewToolbar.Command(), 0);
  form->spSize.SetValue(20);
  SendMessageA(form->cbTT.Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(form->Toolbar.Visible());
  EXPECT_FALSE(form->cbTT.Checked());

  // The registry changes only when the window goes.
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize"), std::nullopt);
  DestroyWindow(form->Handle());
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "AppTools"), "2");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize"), "20");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly"), "0");
}

TEST_F(MainWindowTest, AStoredWordIsReportedAndTheRestOfTheCreationSkipped) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize", "abc");
  CreateMainWindow();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "Error");
  ExpectReport(boxes.Shown()[0].Text, "EConvertError", "'abc' is not a valid integer value");
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(form->lbFonts.Count(), 0);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(ScreenCursor(), TCursor::Default);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, ABadStoredSizeLeavesTheControlsAtTheirDefaultsAndClosingStoresThose) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize", "abc");
  CreateMainWindow();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(form->spSize.Value(), 12);
  EXPECT_TRUE(form->cbTT.Checked());
  form.reset();
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize"), "12");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly"), "1");
}

TEST_F(MainWindowTest, TheSessionEndingStoresTheSettingsAsClosingDoes) {
  CreateMainWindow();
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewToolbar.Command(), 0);
  form->spSize.SetValue(20);
  SendMessageA(form->cbTT.Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_NE(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), 0)
      << "the window refused the session's end";
  SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);
  // The system ends the process now, without destroying the window.
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "AppTools"), "2");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize"), "20");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly"), "0");
}

}  // namespace
