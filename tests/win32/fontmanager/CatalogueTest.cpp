// The installed-font catalogue: the Fonts key joined with the system's
// families, against the prefix's real font files.
#include "MainWindowFixture.h"
#include "SystemFonts.h"
#include "tests/win32/support/UserInput.h"

#include <algorithm>

namespace {

// The faces of the raster files RegisterTestRasterFonts registers.
const std::set<std::string> kRegisteredRasterFaces = {"Courier", "MS Sans Serif"};

std::set<std::string> Intersection(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> both;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::inserter(both, both.begin()));
  return both;
}

TEST_F(MainWindowTest, TrueTypeOnlyListsExactlyTheTrueTypeFamilies) {
  CreateMainWindow();
  const TSystemFamilies families = EnumerateFamilies();
  ASSERT_FALSE(families.trueType.empty());
  const std::vector<std::string> rows = Rows();
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), families.trueType);
  EXPECT_EQ(rows.size(), families.trueType.size()) << "a family listed twice";
  EXPECT_EQ(form->Catalogue().TrueTypeCount, rows.size());
  for (int i = 0; i < form->lbFonts.Count(); ++i)
    EXPECT_TRUE(form->ShowItem(i)->TrueType) << rows[i];
}

TEST_F(MainWindowTest, WithOtherFontsTheRegisteredRasterFamiliesJoinInSortedOrder) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  CreateMainWindow();
  const TSystemFamilies families = EnumerateFamilies();
  // The prefix has raster families of its own (Small Fonts, System) that
  // are not registered in the Fonts key; they stay out.
  ASSERT_TRUE(families.other.count("Small Fonts"));
  std::set<std::string> expected = families.trueType;
  const std::set<std::string> raster = Intersection(families.other, kRegisteredRasterFaces);
  EXPECT_EQ(raster, kRegisteredRasterFaces);
  expected.insert(raster.begin(), raster.end());

  const std::vector<std::string> rows = Rows();
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), expected);
  EXPECT_EQ(rows.size(), expected.size());
  for (size_t i = 1; i < rows.size(); ++i)
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, rows[i - 1].c_str(), -1,
                             rows[i].c_str(), -1),
              CSTR_LESS_THAN)
        << "row " << i - 1 << " '" << rows[i - 1] << "' before row " << i << " '" << rows[i] << "'";

  const int sansSerif = RowOf("MS Sans Serif");
  ASSERT_GE(sansSerif, 0);
  EXPECT_FALSE(form->ShowItem(sansSerif)->TrueType);
  EXPECT_EQ(form->ShowItem(sansSerif)->Name, "MS Sans Serif");
  EXPECT_EQ(form->Catalogue().TrueTypeCount, families.trueType.size());
  EXPECT_EQ(form->Catalogue().NonTTFCount, 2);
}

TEST_F(MainWindowTest, TheCatalogueGivesItsRowsWithoutAWindowOfItsOwn) {
  const TSystemFamilies families = EnumerateFamilies();
  TFontCatalogue catalogue;
  auto faces = [&](bool trueType) {
    std::set<std::string> found;
    for (const TFontRow& row : catalogue.Rows())
      if (row.Item->TrueType == trueType) found.insert(row.Face);
    return found;
  };
  catalogue.Rebuild(GetDesktopWindow(), FontsFolder(), 12, true);
  EXPECT_EQ(faces(true), families.trueType);
  EXPECT_TRUE(faces(false).empty());
  EXPECT_GT(catalogue.MaxTextHeight, 0);
  EXPECT_DOUBLE_EQ(catalogue.FHeightPerPoint, catalogue.MaxTextHeight / 12.0);

  catalogue.Rebuild(GetDesktopWindow(), FontsFolder(), 12, false);
  EXPECT_EQ(faces(true), families.trueType);
  EXPECT_EQ(faces(false), kRegisteredRasterFaces);
  EXPECT_EQ(catalogue.Rows().size(), families.trueType.size() + kRegisteredRasterFaces.size());
}

TEST_F(MainWindowTest, TwoFilesOfOneFaceGiveOneEntryWithBothNamesInRegistryOrder) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  CreateMainWindow();
  std::vector<std::string> registryOrder;
  for (const TKeyValue& value : ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath))
    if (value.Name == kSansSerifVga || value.Name == kSansSerif8514)
      registryOrder.push_back(value.Name);

  ASSERT_EQ(form->Catalogue().FNonTTFFonts.Count(), 2);
  const int face = form->Catalogue().FNonTTFFonts.IndexOf("ms sans serif");
  ASSERT_GE(face, 0);
  EXPECT_EQ(form->Catalogue().FNonTTFFonts[face].Name, "MS Sans Serif");
  EXPECT_EQ(form->Catalogue().FNonTTFFonts[face].Entries, registryOrder);
  // The Courier file is registered by its full path, outside the fonts folder.
  const int courier = form->Catalogue().FNonTTFFonts.IndexOf("Courier");
  ASSERT_GE(courier, 0);
  EXPECT_EQ(form->Catalogue().FNonTTFFonts[courier].Entries, std::vector<std::string>{kCourierVga});
  const std::vector<std::string> rows = Rows();
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "MS Sans Serif"), 1);
}

TEST_F(MainWindowTest, ClearingTrueTypeOnlyRefreshesWithTheRasterRows) {
  CreateMainWindow();
  EXPECT_EQ(RowOf("Courier"), -1);
  SendMessageA(form->cbTT.Handle(), BM_CLICK, 0, 0);
  EXPECT_GE(RowOf("Courier"), 0);
  EXPECT_GE(RowOf("MS Sans Serif"), 0);
  SendMessageA(form->cbTT.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(RowOf("Courier"), -1);
}

TEST_F(MainWindowTest, TheRowHeightIsTheTallestCellOfAllFamilies) {
  CreateMainWindow();
  const TSystemFamilies families = EnumerateFamilies();
  int tallest = 0;
  std::string tallestFace;
  for (const auto* kind : {&families.trueType, &families.other})
    for (const std::string& face : *kind)
      if (CellHeight(face, 12) > tallest) {
        tallest = CellHeight(face, 12);
        tallestFace = face;
      }
  EXPECT_EQ(form->Catalogue().MaxTextHeight, tallest) << "tallest: " << tallestFace;
  EXPECT_EQ(form->lbFonts.ItemHeight(), tallest);
  EXPECT_DOUBLE_EQ(form->Catalogue().FHeightPerPoint, tallest / 12.0);
}

TEST_F(MainWindowTest, AMissingFontFileIsAskedAboutAndKeptOnNo) {
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Missing 8 (VGA res)", "zmissing.fon");
  CreateMainWindow();
  const std::string question =
      MissingFileQuestion("Zel Missing 8 (VGA res)", FontsFolder() + "\\zmissing.fon");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "Confirm");
  EXPECT_EQ(boxes.Shown()[0].Text, question);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Missing 8 (VGA res)"),
            "zmissing.fon");

  // Asked again at the next rebuild.
  form->sbRefresh.Click();
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[1].Text, question);
}

TEST_F(MainWindowTest, AMissingFontFileAnsweredYesLosesExactlyItsEntry) {
  const std::string path = "C:\\Zel Missing\\zfull.fon";
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Full 8 (VGA res)", path);
  const std::vector<TKeyValue> before = ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath);
  boxes.Answer({IDYES});
  CreateMainWindow();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text, MissingFileQuestion("Zel Full 8 (VGA res)", path));

  std::vector<TKeyValue> expected = before;
  expected.erase(
      std::remove(expected.begin(), expected.end(), TKeyValue{"Zel Full 8 (VGA res)", path}),
      expected.end());
  EXPECT_EQ(expected.size(), before.size() - 1);
  EXPECT_TRUE(ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath) == expected);
  form->sbRefresh.Click();
  EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(MainWindowTest, ATruncatedFontFileIsLeftOutAndTheOtherFamiliesAreListed) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  const std::string whole = ReadWholeFile(WineFontFile("sserife.fon"));
  ASSERT_GT(whole.size(), 1000u);
  const std::string path = FontsFolder() + "\\ztrunc.fon";
  WriteWholeFile(path, whole.substr(0, 300));
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Truncated", "ztrunc.fon");
  CreateMainWindow();
  DeleteFileA(path.c_str());

  EXPECT_TRUE(boxes.Shown().empty());
  const std::vector<std::string> rows = Rows();
  const TSystemFamilies families = EnumerateFamilies();
  std::set<std::string> expected = families.trueType;
  expected.insert(kRegisteredRasterFaces.begin(), kRegisteredRasterFaces.end());
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), expected);
  EXPECT_EQ(form->Catalogue().NonTTFCount, 2);
  EXPECT_EQ(ScreenCursor(), TCursor::Default);
}

TEST_F(MainWindowTest, FontChangeRebuildsAndDropsTheSelection) {
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Missing 8 (VGA res)", "zmissing.fon");
  CreateMainWindow();
  ASSERT_GE(form->lbFonts.Count(), 2);
  ClickListRow(form->lbFonts.Handle(), 0);
  ClickListRow(form->lbFonts.Handle(), 1, true);
  EXPECT_EQ(form->CountSelected(), 2);
  EXPECT_TRUE(form->mnuFontRemove.Enabled());
  const size_t asked = boxes.Shown().size();

  SendMessageA(form->Handle(), WM_FONTCHANGE, 0, 0);
  EXPECT_EQ(boxes.Shown().size(), asked + 1) << "one rebuild asks once";
  EXPECT_EQ(form->CountSelected(), 0);
  EXPECT_FALSE(form->mnuFontRemove.Enabled());
  EXPECT_FALSE(form->mnuViewFullSample.Enabled());
}

TEST_F(MainWindowTest, EachWindowRebuildsItsOwnCatalogue) {
  CreateMainWindow();
  const std::vector<std::string> rows = Rows();
  ASSERT_FALSE(rows.empty());
  TfrmZel95 other;
  other.Create();
  Pump();
  ASSERT_EQ(other.lbFonts.Count(), static_cast<int>(rows.size()));

  form->sbRefresh.Click();
  EXPECT_EQ(Rows(), rows);
  EXPECT_EQ(form->Catalogue().TrueTypeCount, other.Catalogue().TrueTypeCount);
  EXPECT_EQ(other.lbFonts.Count(), static_cast<int>(rows.size()));
}

}  // namespace

namespace {

TEST_F(MainWindowTest, AFontChangeDuringTheQuestionRebuildsOnceAfterwards) {
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Missing 8 (VGA res)", "zmissing.fon");
  boxes.OnBox = [this](HWND) {
    if (boxes.Shown().size() == 1) SendMessageA(form->Handle(), WM_FONTCHANGE, 0, 0);
  };
  CreateMainWindow();
  EXPECT_EQ(boxes.Shown().size(), 2u) << "the rebuild asked for during the first one asks again";
  const std::vector<std::string> rows = Rows();
  EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), rows.size())
      << "a family listed twice";
  EXPECT_EQ(rows.size(), EnumerateFamilies().trueType.size());
  EXPECT_EQ(form->Catalogue().TrueTypeCount, rows.size());
}

TEST_F(MainWindowTest, AtTheLargestSizeTheRowsStillTakeTheTallestCell) {
  WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "SampleSize", "50");
  CreateMainWindow();
  EXPECT_EQ(form->lbFonts.ItemHeight(), form->Catalogue().MaxTextHeight);
  RECT row;
  SendMessageA(form->lbFonts.Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(row.bottom - row.top, form->Catalogue().MaxTextHeight);
}

}  // namespace

namespace {

// A window of another thread, in front of the main window.
class WindowInFront {
 public:
  WindowInFront() {
    thread_ = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    while (!InterlockedCompareExchange(&ready_, 0, 0)) Sleep(10);
  }
  ~WindowInFront() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }

 private:
  static DWORD WINAPI Run(void* self) {
    auto& front = *static_cast<WindowInFront*>(self);
    front.window_ =
        CreateWindowExA(0, "STATIC", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                        300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(front.window_);
    front.threadId_ = GetCurrentThreadId();
    InterlockedExchange(&front.ready_, 1);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(front.window_);
    return 0;
  }

  HANDLE thread_ = nullptr;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
  LONG ready_ = 0;
};

TEST_F(MainWindowTest, AQuestionAskedInTheBackgroundIsOwnedByTheMainWindowWhichWaitsForIt) {
  CreateMainWindow();
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Zel Missing 8 (VGA res)", "zmissing.fon");
  WindowInFront other;
  Pump();
  ASSERT_EQ(GetActiveWindow(), nullptr) << "the main window is still the active one";
  HWND owner = nullptr;
  bool mainEnabled = true;
  boxes.OnBox = [&](HWND box) {
    owner = GetWindow(box, GW_OWNER);
    mainEnabled = IsWindowEnabled(form->Handle()) != FALSE;
  };
  // Another program's font change.
  SendMessageA(form->Handle(), WM_FONTCHANGE, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(owner, form->Handle());
  EXPECT_FALSE(mainEnabled) << "the main window could be closed under the question";
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

}  // namespace

namespace {

uint16_t Big16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                               static_cast<unsigned char>(bytes[at + 1]));
}

uint32_t Big32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(Big16(bytes, at)) << 16 | Big16(bytes, at + 2);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// A copy of DejaVu Sans named "Zel95V Sans" whose OS/2 table says it covers
// Japanese: the system then adds the vertical family "@Zel95V Sans", as it
// does for every East Asian font. Added for this process while it lives.
class VerticalCapableFont {
 public:
  VerticalCapableFont() {
    std::string font = ReadWholeFile("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf");
    const size_t tables = font.size() > 12 ? Big16(font, 4) : 0;
    for (size_t i = 0; i < tables; ++i) {
      const size_t record = 12 + 16 * i;
      const std::string tag = font.substr(record, 4);
      const size_t offset = Big32(font, record + 8);
      const size_t length = Big32(font, record + 12);
      if (tag == "OS/2")
        font[offset + 78 + 1] =
            static_cast<char>(font[offset + 78 + 1] | 0x02);  // bit 17: JIS/Japan
      if (tag == "name") {
        std::string names = font.substr(offset, length);
        ReplaceAll(names, "DejaVu", "Zel95V");
        ReplaceAll(names, std::string("\0D\0e\0j\0a\0V\0u", 12),
                   std::string("\0Z\0e\0l\0009\0005\0V", 12));
        font.replace(offset, length, names);
      }
    }
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "zel95-vertical.ttf";
    WriteWholeFile(path_, font);
    added_ = AddFontResourceA(path_.c_str());
  }
  ~VerticalCapableFont() {
    RemoveFontResourceA(path_.c_str());
    DeleteFileA(path_.c_str());
  }
  int Added() const { return added_; }

 private:
  std::string path_;
  int added_ = 0;
};

TEST_F(MainWindowTest, VerticalVariantsOfFamiliesAreNeitherListedNorCounted) {
  VerticalCapableFont font;
  ASSERT_GT(font.Added(), 0);
  const TSystemFamilies families = EnumerateFamilies();
  ASSERT_EQ(families.vertical.count("@Zel95V Sans"), 1u) << "the system made no vertical family";
  CreateMainWindow();
  const std::vector<std::string> rows = Rows();
  EXPECT_NE(RowOf("Zel95V Sans"), -1);
  for (const std::string& row : rows) EXPECT_NE(row[0], '@') << row;
  EXPECT_EQ(rows.size(), families.trueType.size());
  EXPECT_EQ(form->Catalogue().TrueTypeCount, families.trueType.size());
}

}  // namespace
