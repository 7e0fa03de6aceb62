// The main window's list, its selection state, its keys and its commands.
#include "MainWindowFixture.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/UserInput.h"

#include "platform/forms/ErrorBeep.h"

#include <commctrl.h>

#include <cmath>

namespace {

bool MenuEnabled(const TfrmZel95& form, const TMenuItem& item) {
  return (GetMenuState(GetMenu(form.Handle()), item.Command(), MF_BYCOMMAND) & MF_GRAYED) == 0;
}

std::string StatusBarText(const TfrmZel95& form) {
  // In simple mode the bar answers for its one part, 0.
  char text[256] = "";
  SendMessageA(form.StatusBar.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

// The status line while the mouse rests over `window`.
std::string StatusWithMouseOver(const TfrmZel95& form, HWND window) {
  SetForegroundWindow(form.Handle());
  const POINT centre = WindowCentre(window);
  SetCursorPos(centre.x, centre.y);
  Application.ProcessMessages();
  EXPECT_EQ(form.StatusBar.SimpleText(), StatusBarText(form));
  return StatusBarText(form);
}

// A rebuild of the catalogue asks about the missing file of this entry once.
class CountedRebuildsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Counter", "zcounter.fon");
  }
  size_t Rebuilds() const { return boxes.Shown().size(); }
};

TEST_F(MainWindowTest, SelectionDecidesTheCommandsAndTheListsHint) {
  CreateMainWindow();
  ASSERT_GE(form->lbFonts.Count(), 2);
  EXPECT_EQ(form->CountSelected(), 0);
  EXPECT_FALSE(MenuEnabled(*form, form->mnuFontRemove));
  EXPECT_FALSE(MenuEnabled(*form, form->mnuViewFullSample));
  EXPECT_FALSE(form->lbFonts.ShowHint);

  ClickListRow(form->lbFonts.Handle(), 1);
  EXPECT_EQ(form->CountSelected(), 1);
  EXPECT_EQ(form->lbFonts.Hint, "|Selected font: " + form->lbFonts.Text(1));
  EXPECT_TRUE(form->lbFonts.ShowHint);
  EXPECT_TRUE(MenuEnabled(*form, form->mnuFontRemove));
  EXPECT_TRUE(MenuEnabled(*form, form->mnuViewFullSample));
  EXPECT_EQ(StatusWithMouseOver(*form, form->lbFonts.Handle()),
            "Selected font: " + form->lbFonts.Text(1));

  ClickListRow(form->lbFonts.Handle(), 0, true);
  EXPECT_EQ(form->CountSelected(), 2);
  EXPECT_EQ(form->lbFonts.Hint, "");
  EXPECT_FALSE(form->lbFonts.ShowHint);
  EXPECT_TRUE(MenuEnabled(*form, form->mnuFontRemove));
  EXPECT_FALSE(MenuEnabled(*form, form->mnuViewFullSample));
  EXPECT_EQ(StatusWithMouseOver(*form, form->lbFonts.Handle()), "");

  ClickListRow(form->lbFonts.Handle(), 0, true);
  ClickListRow(form->lbFonts.Handle(), 1, true);
  EXPECT_EQ(form->CountSelected(), 0);
  EXPECT_FALSE(form->lbFonts.ShowHint);
  EXPECT_FALSE(MenuEnabled(*form, form->mnuFontRemove));
  EXPECT_FALSE(MenuEnabled(*form, form->mnuViewFullSample));
}

TEST_F(MainWindowTest, TheOneSelectedRowNamesTheFamilyEvenWhenTheCurrentRowIsAnother) {
  CreateMainWindow();
  ClickListRow(form->lbFonts.Handle(), 0);
  ClickListRow(form->lbFonts.Handle(), 1, true);
  // Ctrl-click takes row 0's selection away and leaves it the current row.
  ClickListRow(form->lbFonts.Handle(), 0, true);
  ASSERT_EQ(form->lbFonts.ItemIndex(), 0);
  ASSERT_EQ(form->CountSelected(), 1);
  EXPECT_EQ(form->lbFonts.Hint, "|Selected font: " + form->lbFonts.Text(1));
  EXPECT_EQ(form->CurrentFamilyRow(), 1);
}

TEST_F(CountedRebuildsTest, F5RefreshesFromTheSpinEditTheCheckBoxAndTheList) {
  CreateMainWindow();
  ASSERT_EQ(Rebuilds(), 1u);
  for (HWND focus : {form->spSize.EditHandle(), form->cbTT.Handle(), form->lbFonts.Handle()}) {
    const size_t before = Rebuilds();
    SetFocus(focus);
    PostKeyPress(focus, VK_F5);
    Pump();
    EXPECT_EQ(Rebuilds(), before + 1) << "focus on " << TControl::FromWindow(focus)->Name;
  }
  // Other keys do not.
  const size_t before = Rebuilds();
  PostKeyPress(form->lbFonts.Handle(), VK_F6);
  Pump();
  EXPECT_EQ(Rebuilds(), before);
}

TEST_F(CountedRebuildsTest, TrueTypeOnlySetDuringCreationBuildsTheListOnce) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "1");
  CreateMainWindow();
  EXPECT_TRUE(form->cbTT.Checked());
  EXPECT_EQ(Rebuilds(), 1u);
  SendMessageA(form->cbTT.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Rebuilds(), 2u);
  EXPECT_FALSE(form->cbTT.Checked());
}

TEST_F(CountedRebuildsTest, ChangingTheSampleSizeRescalesTheRowsWithoutARebuild) {
  CreateMainWindow();
  const int height = form->lbFonts.ItemHeight();
  ASSERT_EQ(height, form->Catalogue().MaxTextHeight);
  const int descent = form->Catalogue().MaxDescent;

  ClickListRow(form->lbFonts.Handle(), 1);
  form->spSize.SetValue(24);
  EXPECT_EQ(form->lbFonts.ItemHeight(), 2 * height);
  EXPECT_EQ(form->CountSelected(), 1) << "the new row height keeps the selection";
  EXPECT_TRUE(form->lbFonts.Selected(1));
  // The arrow key of the spin edit, as a user changes it.
  SetFocus(form->spSize.EditHandle());
  PostKeyPress(form->spSize.EditHandle(), VK_UP);
  Pump();
  EXPECT_EQ(form->spSize.Value(), 25);
  EXPECT_EQ(form->lbFonts.ItemHeight(), static_cast<int>(std::nearbyint(25.0 * height / 12)));
  EXPECT_EQ(Rebuilds(), 1u);
  EXPECT_EQ(form->Catalogue().MaxDescent, descent);
  EXPECT_EQ(form->Catalogue().EnumSampleSize, 12);

  // A refresh measures at the new size.
  form->sbRefresh.Click();
  EXPECT_EQ(form->Catalogue().EnumSampleSize, 25);
  EXPECT_EQ(form->lbFonts.ItemHeight(), form->Catalogue().MaxTextHeight);
}

TEST_F(MainWindowTest, RowHeightsRoundHalvesToTheEvenNeighbour) {
  CreateMainWindow();
  form->Catalogue().FHeightPerPoint = 2.5;
  const struct {
    int size;
    int height;
  } cases[] = {{9, 22}, {11, 28}, {13, 32}, {15, 38}, {10, 25}};
  for (const auto& c : cases) {
    form->spSize.SetValue(c.size);
    EXPECT_EQ(form->lbFonts.ItemHeight(), c.height) << "size " << c.size;
  }
  // A height of 0 leaves the rows alone.
  form->Catalogue().FHeightPerPoint = 0.0;
  form->spSize.SetValue(20);
  EXPECT_EQ(form->lbFonts.ItemHeight(), 25);
}

TEST_F(MainWindowTest, OnlyTheArrowsChangeTheSampleSizeWithinItsRange) {
  CreateMainWindow();
  HWND edit = form->spSize.EditHandle();
  SetFocus(edit);
  form->spSize.SetValue(50);
  PostKeyPress(edit, VK_UP);
  Pump();
  EXPECT_EQ(form->spSize.Value(), 50);
  form->spSize.SetValue(8);
  PostKeyPress(edit, VK_DOWN);
  Pump();
  EXPECT_EQ(form->spSize.Value(), 8);
  PostMessageA(edit, WM_CHAR, '3', 1);
  Pump();
  char text[16] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "8");
  form->spSize.SetValue(99);
  EXPECT_EQ(form->spSize.Value(), 50);
}

TEST_F(CountedRebuildsTest, MenuItemsAndKeysRunTheButtonsHandlers) {
  CreateMainWindow();
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewRefresh.Command(), 0);
  EXPECT_EQ(Rebuilds(), 2u);
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Rebuilds(), 3u);

  // Install opens its dialog, which the script closes; its closing
  // announces a font change, which rebuilds the list once more.
  const std::vector<TKeyValue> fontsBefore = ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath);
  boxes.Forget();
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuFontAdd.Command(), 0);
  SendMessageA(form->sbAdd.Handle(), BM_CLICK, 0, 0);
  Pump();
  std::vector<std::string> captions;
  for (const TShownBox& box : boxes.Shown()) captions.push_back(box.Caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Install New Fonts", "Confirm", "Install New Fonts",
                                                "Confirm"}));

  // Delete without a selection beeps; Del reaches removal through its menu
  // item, which needs a selection.
  int beeps = ErrorBeepCount();
  SendMessageA(form->sbRemove.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ErrorBeepCount(), ++beeps);
  boxes.Forget();
  SetFocus(form->lbFonts.Handle());
  PostKeyPress(form->lbFonts.Handle(), VK_DELETE);
  Pump();
  EXPECT_TRUE(boxes.Shown().empty());
  ClickListRow(form->lbFonts.Handle(), 0);
  PostKeyPress(form->lbFonts.Handle(), VK_DELETE);
  Pump();
  EXPECT_FALSE(boxes.Shown().empty()) << "no question of the removal";
  const size_t shown = boxes.Shown().size();
  ClickListRow(form->lbFonts.Handle(), 0);
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuFontRemove.Command(), 0);
  EXPECT_GT(boxes.Shown().size(), shown);
  // Every question was answered No: nothing was removed.
  EXPECT_EQ(ErrorBeepCount(), beeps);
  EXPECT_EQ(ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath), fontsBefore);
}

TEST_F(CountedRebuildsTest, ToolbarButtonsLeaveTheKeyboardFocusInTheList) {
  CreateMainWindow();
  SetForegroundWindow(form->Handle());
  SetFocus(form->lbFonts.Handle());
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(Rebuilds(), 2u);
  EXPECT_EQ(GetFocus(), form->lbFonts.Handle()) << "the button took the focus";
  // Enter in the list does not press the button again.
  PostKeyPress(GetFocus(), VK_RETURN);
  Pump();
  EXPECT_EQ(Rebuilds(), 2u);
}

TEST_F(MainWindowTest, ViewItemsShowAndHideTheBars) {
  CreateMainWindow();
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewToolbar.Command(), 0);
  EXPECT_FALSE(form->Toolbar.Visible());
  EXPECT_FALSE(form->mnuViewToolbar.Checked());
  EXPECT_EQ(form->lbFonts.BoundsRect().top, 0);
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewStatusbar.Command(), 0);
  EXPECT_FALSE(form->StatusBar.Visible());
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(form->lbFonts.BoundsRect().bottom, client.bottom);
  SendMessageA(form->Handle(), WM_COMMAND, form->mnuViewToolbar.Command(), 0);
  EXPECT_TRUE(form->Toolbar.Visible());
  EXPECT_TRUE(form->mnuViewToolbar.Checked());
  EXPECT_EQ(form->lbFonts.BoundsRect().top, 29);
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndStoresTheSettings) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize", "16");
  CreateMainWindow();
  HWND window = form->Handle();
  SendMessageA(window, WM_COMMAND, form->mnuFileExit.Command(), 0);
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize"), "16");
}

TEST_F(MainWindowTest, TheMenuReadsAsTheWindowNamesItAndItsHintsGoToTheStatusBar) {
  CreateMainWindow();
  HMENU menu = GetMenu(form->Handle());
  const struct {
    TMenuItem& item;
    const char* text;
  } items[] = {
      {form->mnuFileExit, "&Exit"},
      {form->mnuFontAdd, "&Install..."},
      {form->mnuFontRemove, "&Delete\tDel"},
      {form->mnuViewToolbar, "&Toolbar"},
      {form->mnuViewStatusbar, "Status &Bar"},
      {form->mnuViewRefresh, "&Refresh"},
      {form->mnuViewFullSample, "&Full Sample"},
      {form->mnuHelpTopics, "&Help Topics"},
      {form->mnuHelpAbout, "&About Zel 95"},
  };
  for (const auto& entry : items) {
    char text[64] = "";
    GetMenuStringA(menu, entry.item.Command(), text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, entry.text);
    SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(entry.item.Command(), MF_HILITE),
                 reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(StatusBarText(*form), entry.item.Hint) << entry.text;
  }
  const char* const tops[] = {"&File", "F&ont", "&View", "&Help"};
  const char* const topHints[] = {
      "Contains commands for the application.", "Contains command for adding and deleting fonts.",
      "Contains commands for customizing this window.", "Contains command for displaying help."};
  for (int i = 0; i < 4; ++i) {
    char text[64] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, tops[i]);
    SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(i, MF_POPUP | MF_HILITE),
                 reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(StatusBarText(*form), topHints[i]);
  }
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(StatusBarText(*form), "");
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM param) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

std::string TooltipText(HWND tooltip, HWND owner, HWND tool) {
  char text[256] = "";
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST_F(MainWindowTest, ToolbarHintsShowAsTooltipsAndOnlyTheSpinEditsInTheStatusBar) {
  CreateMainWindow();
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(GetWindow(tooltip, GW_OWNER), form->Handle());
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 7);
  EXPECT_EQ(TooltipText(tooltip, form->Handle(), form->sbRefresh.Handle()),
            "Refresh the Font List");
  EXPECT_EQ(TooltipText(tooltip, form->Handle(), form->sbFullSample.Handle()), "Full Font Sample");
  EXPECT_EQ(TooltipText(tooltip, form->Handle(), form->sbAdd.Handle()), "Install New Font");
  EXPECT_EQ(TooltipText(tooltip, form->Handle(), form->sbRemove.Handle()), "Remove Font(s)");
  EXPECT_EQ(TooltipText(tooltip, form->Handle(), form->cbTT.Handle()),
            "Display True Type Fonts only");
  EXPECT_EQ(TooltipText(tooltip, form->Handle(), form->spSize.EditHandle()),
            "The size of the samples in points");

  EXPECT_EQ(StatusWithMouseOver(*form, form->spSize.EditHandle()),
            "The size of the samples in points");
  EXPECT_EQ(StatusWithMouseOver(*form, form->sbRefresh.Handle()), "");
}

// The colour of pixel x, y of `window`'s client area as the window draws it.
class ClientPicture {
 public:
  explicit ClientPicture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_),
                 PRF_CLIENT | PRF_ERASEBKGND);
  }
  ~ClientPicture() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Whether any pixel of the row band x0..x1, y0..y1 has `colour`.
  bool Any(int x0, int x1, int y0, int y1, COLORREF colour) const {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

TEST_F(MainWindowTest, RowsCarryTheTrueTypeMarkInFrontOfTrueTypeFamiliesOnly) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  CreateMainWindow();
  const int courier = RowOf("Courier");
  ASSERT_GE(courier, 0);
  ASSERT_LT(courier + 2, form->lbFonts.Count());
  SendMessageA(form->lbFonts.Handle(), LB_SETTOPINDEX, courier, 0);
  ClickListRow(form->lbFonts.Handle(), courier + 1);

  const int height = form->lbFonts.ItemHeight();
  const int side = height - form->Catalogue().MaxDescent;
  const COLORREF blue = RGB(0, 0, 255);
  const COLORREF navy = RGB(0, 0, 128);
  ClientPicture picture(form->lbFonts.Handle());
  // Row tops from the top index on; the mark's blue bar and its top right corner.
  auto barX = [&] { return 2 + side * 8 / 13; };
  auto barY = [&](int row) { return row * height + 2 + side * 7 / 26; };
  auto cornerX = [&] { return 2 + side * 25 / 26; };
  auto cornerY = [&](int row) { return row * height + 2 + side / 26; };

  EXPECT_EQ(picture.At(barX(), barY(0)), RGB(255, 255, 255)) << "no mark on the raster row Courier";
  EXPECT_EQ(picture.At(barX(), barY(1)), blue) << "mark on the selected TrueType row";
  EXPECT_EQ(picture.At(cornerX(), cornerY(1)), navy) << "selected mark on navy";
  EXPECT_EQ(picture.At(barX(), barY(2)), blue) << "mark on the TrueType row";
  EXPECT_EQ(picture.At(cornerX(), cornerY(2)), RGB(255, 255, 255)) << "mark on white";
  // The name again from x = 270 on, in the row's text colour.
  for (int row = 0; row < 3; ++row) {
    const COLORREF text = GetSysColor(row == 1 ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    EXPECT_TRUE(picture.Any(270, 270 + form->Catalogue().MaxDescent + 40, row * height,
                            row * height + height - 1, text))
        << "name column of row " << row;
  }
}

TEST_F(MainWindowTest, ScreenshotOfTheMainWindowWithTrueTypeAndRasterRows) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  CreateMainWindow();
  const int courier = RowOf("Courier");
  ASSERT_GE(courier, 0);
  SendMessageA(form->lbFonts.Handle(), LB_SETTOPINDEX, courier, 0);
  ClickListRow(form->lbFonts.Handle(), courier);
  ClickListRow(form->lbFonts.Handle(), courier + 2, true);
  SetForegroundWindow(form->Handle());
  Pump();
  UpdateWindow(form->Handle());
  SaveWindowScreenshot(form->Handle(), "main-window-selection");

  form->spSize.SetValue(8);
  form->sbRefresh.Click();
  SendMessageA(form->lbFonts.Handle(), LB_SETTOPINDEX, std::max(0, RowOf("Courier") - 2), 0);
  ClickListRow(form->lbFonts.Handle(), RowOf("MS Sans Serif"));
  Pump();
  UpdateWindow(form->Handle());
  SaveWindowScreenshot(form->Handle(), "main-window-size-8");
  EXPECT_EQ(form->CountSelected(), 1);
}

}  // namespace
