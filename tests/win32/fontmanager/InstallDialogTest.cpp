// The Install New Fonts dialog up to OK: its components, the scan of a
// folder with its progress dialog, the two lists, the live sample, the drive
// and folder lists.
#include "InstallDialogFixture.h"
#include "fontmanager/ProgressDialog.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WinePaths.h"

#include "platform/forms/Application.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

const std::vector<std::string> kSampleLines = {
    "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789.:,;(\"!?'')"};

TEST_F(InstallDialogTest, StartsWithItsComponentsSetAndOkDisabled) {
  const std::string folder = SourceFolder();
  SetCurrentDirectoryA(folder.c_str());
  OpenDialog(folder);
  SetCurrentDirectoryA("C:\\");
  EXPECT_EQ(dialog->Caption(), "Install New Fonts");
  RECT client;
  GetClientRect(dialog->Handle(), &client);
  EXPECT_EQ(client.right, 617);
  EXPECT_EQ(client.bottom, 420);
  EXPECT_TRUE(GetWindowLongA(dialog->Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
  EXPECT_TRUE(dialog->cbTT.Checked());
  EXPECT_TRUE(dialog->rbFamily.Checked());
  EXPECT_FALSE(dialog->rbFullName.Checked());
  EXPECT_TRUE(dialog->cbCopy.Checked());
  EXPECT_FALSE(dialog->pbOK.Enabled());
  EXPECT_EQ(dialog->speSize.Value(), 12);
  EXPECT_EQ(dialog->speSize.MinValue(), 8);
  EXPECT_EQ(dialog->speSize.MaxValue(), 45);
  EXPECT_EQ(dialog->memSample.FontName(), "System");
  EXPECT_EQ(dialog->memSample.FontHeight(), 16);
  EXPECT_EQ(dialog->WinDir(), WindowsFolder());
  EXPECT_EQ(dialog->lbFolders.Directory(), folder);
  EXPECT_EQ(dialog->cmbDrives.Drive(), 'c');

  EXPECT_EQ(dialog->HelpContextOf(dialog->lbAvailableFonts.Handle()), 2000);
  EXPECT_EQ(dialog->HelpContextOf(dialog->lbSelectedFonts.Handle()), 2005);
  EXPECT_EQ(dialog->HelpContextOf(dialog->cmbDrives.Handle()), 2007);
  EXPECT_EQ(dialog->HelpContextOf(dialog->speSize.UpDownHandle()), 2013);
  EXPECT_EQ(dialog->HelpContextOf(dialog->rbFullName.Handle()), 2017);
  EXPECT_EQ(dialog->HelpContextOf(dialog->Handle()), 0);
}

TEST_F(InstallDialogTest, TheFirstPaintScansTheCurrentFolder) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hfp1", 2);
  SetCurrentDirectoryA(folder.c_str());
  CreateMainWindow();
  dialog = std::make_unique<TdlgAddFont>();
  dialog->Create(form.get());
  SetCurrentDirectoryA("C:\\");
  EXPECT_EQ(dialog->lbAvailableFonts.Count(), 0) << "nothing is read before the dialog is drawn";
  dialog->Show();
  UpdateWindow(dialog->Handle());
  Pump();
  EXPECT_FALSE(dialog->FirstPaint());
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Hfp1"});
  EXPECT_EQ(dialog->FontCount(), 2);
  EXPECT_TRUE(dialog->pbSelectAll.Enabled());
}

TEST_F(InstallDialogTest, FamilyModeShowsAFamilyOnceByItsRegularFace) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hfm1");
  OpenDialog(folder);
  ASSERT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Hfm1"});
  EXPECT_EQ(RecordOf(dialog->lbAvailableFonts, "Hfm1").FullName, "Hfm1 Regular");
  EXPECT_EQ(dialog->FontFileCount(), 4u);

  ShowFullNames();
  EXPECT_EQ(
      Texts(dialog->lbAvailableFonts),
      (std::vector<std::string>{"Hfm1 Bold", "Hfm1 Bold Italic", "Hfm1 Italic", "Hfm1 Regular"}));
}

TEST_F(InstallDialogTest, OneSelectedFontShowsItsSampleAndTwoClearIt) {
  const std::string folder = SourceFolder();
  const std::vector<std::string> paths = PutHackFamily(folder, "Hsm1", 2);
  OpenDialog(folder);
  ShowFullNames();
  ASSERT_TRUE(LoadedStyles("Hsm1").empty());

  SelectAvailable({"Hsm1 Bold"});
  EXPECT_EQ(dialog->TempFont(), paths[1]);
  EXPECT_EQ(LoadedStyles("Hsm1"), std::set<std::string>{"Hsm1 Bold"});
  std::vector<std::string> lines = {"Hsm1 Bold"};
  lines.insert(lines.end(), kSampleLines.begin(), kSampleLines.end());
  EXPECT_EQ(dialog->memSample.Lines(), lines);
  EXPECT_EQ(dialog->memSample.FontName(), "Hsm1 Bold");
  EXPECT_TRUE(dialog->pbFullSample.Enabled());
  EXPECT_TRUE(dialog->pbSelect.Enabled());
  SetForegroundWindow(dialog->Handle());
  RedrawWindow(dialog->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveWindowScreenshot(dialog->Handle(), "install-new-fonts");

  SelectAvailable({"Hsm1 Bold", "Hsm1 Regular"});
  EXPECT_TRUE(dialog->memSample.Lines().empty());
  EXPECT_FALSE(dialog->pbFullSample.Enabled());
  EXPECT_TRUE(dialog->TempFont().empty());
  EXPECT_TRUE(LoadedStyles("Hsm1").empty());

  // Closing withdraws the sample's font.
  SelectAvailable({"Hsm1 Regular"});
  EXPECT_FALSE(LoadedStyles("Hsm1").empty());
  boxes.OnForm = [this](HWND) { Press(dialog->pbCancel); };
  EXPECT_EQ(dialog->ShowModal(), IDCANCEL);
  EXPECT_TRUE(LoadedStyles("Hsm1").empty());
}

TEST_F(InstallDialogTest, FullSampleStartsTheFontViewerOnTheFileOfTheSample) {
  const std::string viewer = WindowsFolder() + "\\FONTVIEW.EXE";
  ASSERT_TRUE(CopyFileA(WinePathOf(FONTVIEW_EXE).c_str(), viewer.c_str(), FALSE)) << viewer;
  const std::string log = SourceFolder("C:\\zel95-logs") + "\\fontview.log";
  SetEnvironmentVariableA("ZEL95_FONTVIEW_LOG", log.c_str());
  const std::string folder = SourceFolder();
  const std::vector<std::string> paths = PutHackFamily(folder, "Hfs1", 2);
  OpenDialog(folder);
  ShowFullNames();
  // Ctrl-clicking the bold entry twice leaves the caret on it, and the
  // regular entry the one selected.
  SelectAvailable({"Hfs1 Regular", "Hfs1 Bold"});
  ClickListRow(dialog->lbAvailableFonts.Handle(), RowIn(dialog->lbAvailableFonts, "Hfs1 Bold"),
               true);
  Pump();
  ASSERT_EQ(dialog->memSample.Lines().front(), "Hfs1 Regular");
  ASSERT_TRUE(dialog->pbFullSample.Enabled());
  Press(dialog->pbFullSample);
  std::string started;
  for (int wait = 0; wait < 400 && started.empty(); ++wait) {
    started = ReadWholeFile(log);
    Sleep(25);
  }
  SetEnvironmentVariableA("ZEL95_FONTVIEW_LOG", nullptr);
  EXPECT_EQ(started, paths[0] + "\r\n");
}

TEST_F(InstallDialogTest, TheMoveButtonsFollowTheirTable) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hmv1", 3);
  OpenDialog(folder);
  ShowFullNames();

  SelectAvailable({"Hmv1 Bold"});
  Press(dialog->pbSelect);
  EXPECT_EQ(Texts(dialog->lbSelectedFonts), std::vector<std::string>{"Hmv1 Bold"});
  EXPECT_FALSE(dialog->pbSelect.Enabled());
  EXPECT_TRUE(dialog->pbSelectAll.Enabled());
  EXPECT_FALSE(dialog->rbFamily.Enabled());
  EXPECT_FALSE(dialog->rbFullName.Enabled());
  EXPECT_TRUE(dialog->pbDeselectAll.Enabled());
  EXPECT_FALSE(dialog->pbFullSample.Enabled());
  EXPECT_TRUE(dialog->TempFont().empty());
  EXPECT_TRUE(dialog->pbOK.Enabled());

  Press(dialog->pbSelectAll);
  EXPECT_EQ(dialog->lbAvailableFonts.Count(), 0);
  EXPECT_EQ(dialog->lbSelectedFonts.Count(), 3);
  EXPECT_FALSE(dialog->pbSelectAll.Enabled());

  ClickListRow(dialog->lbSelectedFonts.Handle(), 0);
  Pump();
  EXPECT_TRUE(dialog->pbDeselect.Enabled());
  Press(dialog->pbDeselect);
  EXPECT_EQ(dialog->lbAvailableFonts.Count(), 1);
  EXPECT_FALSE(dialog->pbDeselect.Enabled());
  EXPECT_FALSE(dialog->rbFamily.Enabled()) << "two entries are still selected";
  EXPECT_TRUE(dialog->pbSelectAll.Enabled());

  Press(dialog->pbDeselectAll);
  EXPECT_EQ(dialog->lbSelectedFonts.Count(), 0);
  EXPECT_TRUE(dialog->rbFamily.Enabled());
  EXPECT_TRUE(dialog->rbFullName.Enabled());
  EXPECT_FALSE(dialog->pbDeselectAll.Enabled());
  EXPECT_FALSE(dialog->pbOK.Enabled());
}

TEST_F(InstallDialogTest, TrueTypeOnlyLeavesRasterFilesUncountedAndUnlisted) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Htt1", 1);
  PutRasterFont(folder, "HTR1.FON", "Htr1");
  OpenDialog(folder);
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Htt1"});
  EXPECT_EQ(dialog->FontCount(), 1);

  // No keeps the old list; the box stays as the user set it.
  boxes.Answer({IDNO});
  SendMessageA(dialog->cbTT.Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Refresh the list of available fonts ? "});
  EXPECT_FALSE(dialog->cbTT.Checked());
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Htt1"});

  ShowFullNames();
  EXPECT_EQ(dialog->FontCount(), 2);
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), (std::vector<std::string>{"Htr1", "Htt1 Regular"}));
  EXPECT_FALSE(RecordOf(dialog->lbAvailableFonts, "Htr1").TrueType);
}

TEST_F(InstallDialogTest, TheFolderListOpensFoldersAndTheDriveListDrives) {
  const std::string folder = SourceFolder();
  CreateDirectoryA((folder + "\\Inner").c_str(), nullptr);
  PutHackFamily(folder + "\\Inner", "Hdl1", 1);
  OpenDialog(folder);
  EXPECT_EQ(dialog->lbFolders.Text(0), "c:\\");
  ASSERT_EQ(dialog->lbFolders.Text(dialog->lbFolders.Count() - 1), "Inner");
  EXPECT_EQ(dialog->lbAvailableFonts.Count(), 0);

  dialog->lbFolders.OpenRow(dialog->lbFolders.Count() - 1);
  Pump();
  EXPECT_EQ(dialog->lbFolders.Directory(), folder + "\\Inner");
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Hdl1"});

  std::vector<std::string> drives;
  for (int i = 0; i < dialog->cmbDrives.Count(); ++i)
    drives.push_back(dialog->cmbDrives.Text(i).substr(0, 2));
  EXPECT_NE(std::find(drives.begin(), drives.end(), "n:"), drives.end());
  EXPECT_NE(std::find(drives.begin(), drives.end(), "z:"), drives.end());
  SetForegroundWindow(dialog->Handle());
  SendMessageA(dialog->cmbDrives.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  RedrawWindow(dialog->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveWindowScreenshot(dialog->Handle(), "install-drives-and-folders");
  SendMessageA(dialog->cmbDrives.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  dialog->cmbDrives.SetDrive('n');
  Pump();
  EXPECT_EQ(dialog->cmbDrives.Drive(), 'n');
  EXPECT_EQ(std::toupper(static_cast<unsigned char>(dialog->lbFolders.Directory()[0])), 'N');
  EXPECT_EQ(dialog->lbAvailableFonts.Count(), 0);
}

TEST_F(InstallDialogTest, ADamagedFontFileIsLeftOutAndTheOthersAreListed) {
  const std::string folder = SourceFolder();
  const std::string good = PutHackFamily(folder, "Hdm1", 1)[0];
  WriteWholeFile(folder + "\\Broken.ttf", ReadWholeFile(good).substr(0, 300));
  const std::string raster = WineFontFile("sserife.fon");
  WriteWholeFile(folder + "\\Broken.fon", ReadWholeFile(raster).substr(0, 300));
  PutRasterFont(folder, "ZDSERIF.FON", "ZD Sans Serif");
  OpenDialog(SourceFolder("C:\\zel95-empty"));
  SendMessageA(dialog->cbTT.Handle(), BM_CLICK, 0, 0);
  boxes.Forget();
  // As a change of folder reaches the dialog: through the toolkit's guard.
  Guarded([&] { dialog->lbFolders.SetDirectory(folder); });
  Pump();

  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), (std::vector<std::string>{"Hdm1", "ZD Sans Serif"}));
  EXPECT_EQ(dialog->FontFileCount(), 2u);
  EXPECT_EQ(dialog->FontCount(), 4);
}

// The progress dialog of a scan, watched as the system creates and destroys it.
class ProgressWatch {
 public:
  // Presses Cancel as soon as the dialog is up, when `cancel`.
  explicit ProgressWatch(bool cancel = false) : cancel_(cancel) {
    watch = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~ProgressWatch() {
    UnhookWindowsHookEx(hook_);
    watch = nullptr;
  }

  int Shown = 0;
  DWORD ShownAt = 0;
  DWORD MilliSeconds = 0;
  std::string LastText;
  int LastPosition = -1;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "TDlgProgress") {
      if (code == HCBT_ACTIVATE) {
        ++watch->Shown;
        watch->ShownAt = GetTickCount();
        auto* dialog = dynamic_cast<TDlgProgress*>(TForm::FromWindow(window));
        if (dialog && watch->cancel_) PostMessageA(dialog->pbCancel.Handle(), BM_CLICK, 0, 0);
      } else if (code == HCBT_DESTROYWND && watch->ShownAt != 0) {
        watch->MilliSeconds = GetTickCount() - watch->ShownAt;
        auto* dialog = dynamic_cast<TDlgProgress*>(TForm::FromWindow(window));
        if (dialog) {
          watch->LastText = dialog->lblUserText.Caption();
          watch->LastPosition = dialog->gProgress.Position();
        }
        SaveWindowScreenshot(window, "install-progress");
      }
    }
    return CallNextHookEx(watch->hook_, code, wParam, lParam);
  }

  static ProgressWatch* watch;
  bool cancel_;
  HHOOK hook_;
};
ProgressWatch* ProgressWatch::watch = nullptr;

std::string FillWithMarlett(const std::string& folder, int count) {
  const std::string marlett = WineFontFile("marlett.ttf");
  for (int i = 1; i <= count; ++i) {
    char name[32];
    snprintf(name, sizeof name, "\\M%03d.TTF", i);
    CopyFileA(marlett.c_str(), (folder + name).c_str(), FALSE);
  }
  return folder;
}

TEST_F(InstallDialogTest, TwentyFilesOnAFixedDiskShowNoProgress) {
  const std::string folder = FillWithMarlett(SourceFolder(), 20);
  ProgressWatch watch;
  OpenDialog(folder);
  EXPECT_EQ(watch.Shown, 0);
  EXPECT_EQ(dialog->FontCount(), 20);
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Marlett"});
}

TEST_F(InstallDialogTest, FiveHundredFilesShowTheProgressForAtLeastTwoSeconds) {
  const std::string folder = FillWithMarlett(SourceFolder(), 500);
  ProgressWatch watch;
  OpenDialog(folder);
  EXPECT_EQ(watch.Shown, 1);
  EXPECT_GE(watch.MilliSeconds, 2000u);
  EXPECT_EQ(watch.LastText.rfind("Reading M", 0), 0u) << watch.LastText;
  EXPECT_EQ(dialog->FontCount(), 500);
  EXPECT_EQ(dialog->FontFileCount(), 500u);
  EXPECT_TRUE(IsWindowEnabled(dialog->Handle())) << "the dialog is enabled again";
}

TEST_F(InstallDialogTest, CancelInTheProgressStopsTheScanWithNothingListed) {
  const std::string folder = FillWithMarlett(SourceFolder(), 40);
  ProgressWatch watch(true);
  OpenDialog(folder);
  EXPECT_EQ(watch.Shown, 1);
  // Stopped at the first file: 1 of 40 is 2 per cent.
  EXPECT_EQ(watch.LastPosition, 2);
  EXPECT_EQ(dialog->lbAvailableFonts.Count(), 0);
  EXPECT_EQ(dialog->FontFileCount(), 0u);
  EXPECT_FALSE(dialog->pbSelectAll.Enabled());
  EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
}

TEST_F(InstallDialogTest, OneFileOnARemovableDriveShowsTheProgressForAtLeastTwoSeconds) {
  ASSERT_EQ(GetDriveTypeA(kRemovableRoot), static_cast<UINT>(DRIVE_REMOVABLE))
      << "the prefix has no drive R:";
  const std::string folder = SourceFolder("R:\\sources");
  PutHackFamily(folder, "Hrd1", 1);
  ProgressWatch watch;
  OpenDialog(folder);
  EXPECT_EQ(dialog->cmbDrives.Drive(), 'r');
  EXPECT_EQ(watch.Shown, 1);
  EXPECT_GE(watch.MilliSeconds, 2000u);
  EXPECT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Hrd1"});
}

TEST(AddFontNames, NameBeforeParenCutsTheSuffixAndItsBlanks) {
  EXPECT_EQ(NameBeforeParen("Courier 10,12,15 (VGA res)"), "Courier 10,12,15");
  EXPECT_EQ(NameBeforeParen("  Small Fonts  (8514)"), "Small Fonts");
  EXPECT_EQ(NameBeforeParen("Roman"), "Roman");
  EXPECT_EQ(NameBeforeParen("(only)"), "");
  EXPECT_EQ(RemoveNulls(std::string("\0D\0e\0j\0a", 8)), "Deja");
}

}  // namespace
