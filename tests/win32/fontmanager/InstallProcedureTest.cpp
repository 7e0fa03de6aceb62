// OK of the Install New Fonts dialog: font files into the fonts folder or
// left where they are, the Fonts key, the loaded fonts, and nothing lost when
// the file system refuses.
#include "fontmanager/ConfirmRemovalDialog.h"
#include "fontmanager/FontInstall.h"
#include "InstallDialogFixture.h"

#include "tests/win32/support/Screenshot.h"
#include "SystemFonts.h"

#include "fontcommon/FileHelpers.h"

namespace {

TEST_F(InstallDialogTest, FamilyModeInstallsEveryFileOfTheFamilyAndReportsAnInstalledOneOnce) {
  const std::string folder = SourceFolder();
  const std::vector<std::string> paths = PutHackFamily(folder, "Hin1", 3);
  InstallByHand(paths[0], "Hin1 Regular (TrueType)", true);
  CopyFileA(paths[0].c_str(), (folder + "\\Hin1-Regular-copy.ttf").c_str(), FALSE);
  OpenDialog(folder);
  ASSERT_EQ(Texts(dialog->lbAvailableFonts), std::vector<std::string>{"Hin1"});
  Install({"Hin1"});

  // Two files of the regular face, one message for the family.
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{AlreadyInstalled("Hin1")});
  ExpectInstalled("Hin1 Bold (TrueType)", "HIN1-BOLD.TTF", "Hin1", "Hin1 Bold");
  ExpectInstalled("Hin1 Italic (TrueType)", "HIN1-ITALIC.TTF", "Hin1", "Hin1 Italic");
  EXPECT_EQ(dialog->ModalResult(), IDOK);
  EXPECT_EQ(dialog->lbSelectedFonts.Count(), 0);
}

TEST_F(InstallDialogTest, FullNameModeReportsTheInstalledFontByItsFullName) {
  const std::string folder = SourceFolder();
  const std::vector<std::string> paths = PutHackFamily(folder, "Hin2", 2);
  InstallByHand(paths[1], "Hin2 Bold (TrueType)", true);
  OpenDialog(folder);
  ShowFullNames();
  ASSERT_EQ(Texts(dialog->lbAvailableFonts),
            (std::vector<std::string>{"Hin2 Bold", "Hin2 Regular"}));
  Install({"Hin2 Bold", "Hin2 Regular"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{AlreadyInstalled("Hin2 Bold")});
  ExpectInstalled("Hin2 Regular (TrueType)", "HIN2-REGULAR.TTF", "Hin2", "Hin2 Regular");
}

TEST_F(InstallDialogTest, ATrueTypeAndARasterFileOfOneFamilyAreBothInstalled) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hrs1", 1);
  PutRasterFont(folder, "HRS1.FON", "Hrs1");
  CleanUpFontFile("HRS1.FON");
  OpenDialog(folder);
  boxes.Answer({IDYES});
  dialog->cbTT.SetChecked(false);
  Pump();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Refresh the list of available fonts ? "});
  boxes.Forget();
  ASSERT_EQ(Texts(dialog->lbAvailableFonts), (std::vector<std::string>{"Hrs1", "Hrs1"}));
  EXPECT_NE(RecordOf(dialog->lbAvailableFonts, "Hrs1").TrueType,
            static_cast<const TFontFileRec*>(dialog->lbAvailableFonts.Object(1))->TrueType);
  Press(dialog->pbSelectAll);
  Press(dialog->pbOK);
  Pump();

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  ExpectInstalled("Hrs1 Regular (TrueType)", "HRS1-REGULAR.TTF", "Hrs1", "Hrs1 Regular");
  // A raster value is named after the file's description, without " (TrueType)".
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrs1").value_or("<none>"), "HRS1.FON");
  EXPECT_TRUE(FileExists(fonts + "HRS1.FON"));
}

class OverwriteTest : public InstallDialogTest {
 protected:
  // Three styles whose files lie in the fonts folder already, unregistered,
  // with other bytes.
  void SetUp() override {
    InstallDialogTest::SetUp();
    folder = SourceFolder();
    paths = PutHackFamily(folder, "How1", 3);
    for (const std::string& path : paths) {
      const std::string name = path.substr(path.find_last_of('\\') + 1);
      WriteWholeFile(fonts + name, "old " + name);
      names.push_back(name);
    }
    OpenDialog(folder);
    ShowFullNames();
  }

  std::string folder;
  std::vector<std::string> paths;
  std::vector<std::string> names;
};

TEST_F(OverwriteTest, YesReplacesNoKeepsTheOldFileUnregistered) {
  boxes.Answer({IDYES, IDNO});
  Install({"How1 Regular", "How1 Bold"});

  // The selected list is worked from its last entry to its first.
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{OverwriteQuestion(fonts + names[0]),
                                                  OverwriteQuestion(fonts + names[1])}));
  EXPECT_TRUE(HoldsBytes(fonts + names[0], ReadWholeFile(paths[0])));
  ExpectInstalled("How1 Regular (TrueType)", "HOW1-REGULAR.TTF", "How1", "How1 Regular");
  EXPECT_EQ(ReadWholeFile(fonts + names[1]), "old " + names[1]);
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "How1 Bold (TrueType)"));
}

TEST_F(OverwriteTest, AllAnswersTheQuestionForTheRestOfTheRun) {
  boxes.Answer({mrAll});
  Press(dialog->pbSelectAll);
  Press(dialog->pbOK);
  Pump();

  ASSERT_EQ(BoxTexts().size(), 1u);
  for (size_t i = 0; i < names.size(); ++i)
    EXPECT_TRUE(HoldsBytes(fonts + names[i], ReadWholeFile(paths[i])));
  EXPECT_EQ(LoadedStyles("How1").size(), 3u);
}

TEST_F(InstallDialogTest, WithoutCopyingALocalFileIsRegisteredAndLoadedWhereItIs) {
  const std::string folder = SourceFolder();
  const std::string path = PutHackFamily(folder, "Hlc1", 1)[0];
  OpenDialog(folder);
  dialog->cbCopy.SetChecked(false);
  Install({"Hlc1"});

  std::string upper = path;
  CharUpperA(&upper[0]);
  ExpectInstalled("Hlc1 Regular (TrueType)", upper, "Hlc1", "Hlc1 Regular");
  EXPECT_FALSE(FileExists(fonts + "Hlc1-Regular.ttf"));
  EXPECT_FALSE(FileExists(fonts + "Hlc1-Regular.FOT"));
}

TEST_F(InstallDialogTest,
       WithoutCopyingATrueTypeFileOnANetworkDriveIsInstalledThroughAScalableFontResource) {
  ASSERT_EQ(GetDriveTypeA(kNetworkRoot), static_cast<UINT>(DRIVE_REMOTE))
      << "the prefix has no network drive N:";
  const std::string folder = SourceFolder("N:\\sources");
  const std::string path = PutHackFamily(folder, "Hnt1", 1)[0];
  CleanUpFontFile("Hnt1-Regular.FOT");
  OpenDialog(folder);
  ASSERT_EQ(dialog->cmbDrives.Drive(), 'n');
  dialog->cbCopy.SetChecked(false);
  Install({"Hnt1"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  ExpectInstalled("Hnt1 Regular (TrueType)", "HNT1-REGULAR.FOT", "Hnt1", "Hnt1 Regular");
  EXPECT_FALSE(FileExists(fonts + "Hnt1-Regular.ttf"));
  EXPECT_TRUE(FileExists(path));

  // Removed again: the resource file goes to the Recycle Bin, the font
  // file stays on the network drive.
  dialog.reset();
  Pump();
  const int row = RowOf("Hnt1");
  ASSERT_GE(row, 0);
  ClickListRow(form->lbFonts.Handle(), row);
  boxes.OnForm = [](HWND window) {
    if (auto* confirm = dynamic_cast<TDlgConfirmRemoval*>(TForm::FromWindow(window)))
      SendMessageA(confirm->pbYes.Handle(), BM_CLICK, 0, 0);
  };
  boxes.Forget();
  SendMessageA(form->sbRemove.Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{""});
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hnt1 Regular (TrueType)"));
  EXPECT_TRUE(LoadedStyles("Hnt1").empty());
  EXPECT_TRUE(FileExists(TrashedFile("Hnt1-Regular.FOT")));
  EXPECT_TRUE(FileExists(path));
}

TEST_F(InstallDialogTest, WithoutCopyingARasterFileOnANetworkDriveIsRegisteredByItsPath) {
  ASSERT_EQ(GetDriveTypeA(kNetworkRoot), static_cast<UINT>(DRIVE_REMOTE));
  const std::string folder = SourceFolder("N:\\sources");
  const std::string path = PutRasterFont(folder, "HNF1.FON", "Hnf1");
  OpenDialog(folder);
  boxes.Answer({IDYES});
  dialog->cbTT.SetChecked(false);
  dialog->cbCopy.SetChecked(false);
  Pump();
  boxes.Forget();
  Install({"Hnf1"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  std::string upper = path;
  CharUpperA(&upper[0]);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hnf1").value_or("<none>"), upper);
  EXPECT_FALSE(LoadedStyles("Hnf1").empty());
  EXPECT_FALSE(FileExists(fonts + "HNF1.FOT"));
}

TEST_F(InstallDialogTest, AFileInTheFontsFolderIsInstalledInPlaceAndKept) {
  const std::string path = fonts + "Hip1-Regular.ttf";
  CopyRenamed("/usr/share/fonts/truetype/hack/Hack-Regular.ttf", path, "Hack", "Hip1");
  CleanUpFontFile("Hip1-Regular.ttf");
  const std::string bytes = ReadWholeFile(path);
  OpenDialog(FontsFolder());
  Install({"Hip1"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{})
      << "no question about overwriting the file with itself";
  EXPECT_TRUE(HoldsBytes(path, bytes));
  ExpectInstalled("Hip1 Regular (TrueType)", "HIP1-REGULAR.TTF", "Hip1", "Hip1 Regular");
}

TEST_F(InstallDialogTest, TheMainListShowsTheNewFamilyAfterOk) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hml1", 2);
  CreateMainWindow();
  ASSERT_EQ(RowOf("Hml1"), -1);
  SetCurrentDirectoryA(folder.c_str());
  boxes.OnForm = [&](HWND window) {
    auto* shown = dynamic_cast<TdlgAddFont*>(TForm::FromWindow(window));
    if (!shown) return;
    ClickListRow(shown->lbAvailableFonts.Handle(), 0);
    UpdateWindow(window);
    Press(shown->pbSelect);
    Press(shown->pbOK);
  };
  SendMessageA(form->sbAdd.Handle(), BM_CLICK, 0, 0);
  Pump();
  SetCurrentDirectoryA("C:\\");

  EXPECT_GE(RowOf("Hml1"), 0);
  EXPECT_EQ(LoadedStyles("Hml1").size(), 2u);
  form->Show();
  SendMessageA(form->lbFonts.Handle(), LB_SETTOPINDEX, RowOf("Hml1"), 0);
  SetForegroundWindow(form->Handle());
  Pump();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveWindowScreenshot(form->Handle(), "main-window-after-install");
}

TEST_F(InstallDialogTest, FontsPickedInAnotherFolderAreInstalledFromThere) {
  const std::string first = SourceFolder();
  const std::string picked = PutHackFamily(first, "Hpf1", 1)[0];
  const std::string second = SourceFolder("C:\\zel95-sources2");
  // The other folder holds another face of the same family.
  DeleteFileA(PutHackFamily(second, "Hpf1", 2)[0].c_str());
  OpenDialog(first);
  SelectAvailable({"Hpf1"});
  Press(dialog->pbSelect);
  ASSERT_TRUE(dialog->lbFolders.SetDirectory(second));
  Pump();
  Press(dialog->pbOK);
  Pump();

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  ExpectInstalled("Hpf1 Regular (TrueType)", "HPF1-REGULAR.TTF", "Hpf1", "Hpf1 Regular");
  EXPECT_TRUE(HoldsBytes(fonts + "Hpf1-Regular.ttf", ReadWholeFile(picked)));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hpf1 Bold (TrueType)"));
  EXPECT_EQ(dialog->ModalResult(), IDOK);
}

// Every refusal leaves the files, the Fonts key and the loaded fonts agreeing.
class RefusedInstallTest : public InstallDialogTest {
 protected:
  std::string Message4(const std::string& target) const {
    return "Can not replace file " + target +
           ". Make sure that the file is not write protected and that you "
           "have write rights on this disk. Installation of new fonts will stop now.";
  }
  std::string Message5(const std::string& source) const {
    return "Can not copy file " + source + ". This font will not be installed on your system.";
  }
};

TEST_F(RefusedInstallTest, ATargetThatCannotBeMadeWritableStopsTheInstallationAndStaysWhole) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hrt1", 1);
  const std::string target = fonts + "Hrt1-Regular.ttf";
  WriteWholeFile(target, "the old file");
  SetImmutable(target, true);
  if (SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_ARCHIVE))
    GTEST_SKIP() << "the file system has no immutable files";
  OpenDialog(folder);
  boxes.Answer({IDYES});
  Install({"Hrt1"});
  SetImmutable(target, false);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{OverwriteQuestion(target), Message4(target)}));
  EXPECT_EQ(ReadWholeFile(target), "the old file");
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrt1 Regular (TrueType)"));
  EXPECT_TRUE(LoadedStyles("Hrt1").empty());
  EXPECT_EQ(dialog->ModalResult(), mrNone) << "the dialog stays open";
  EXPECT_EQ(Texts(dialog->lbSelectedFonts), std::vector<std::string>{"Hrt1"});
}

TEST_F(RefusedInstallTest, ATargetHeldOpenWithoutSharingStopsTheInstallationAndStaysWhole) {
  const std::string folder = SourceFolder();
  PutHackFamily(folder, "Hrt2", 1);
  const std::string target = fonts + "Hrt2-Regular.ttf";
  WriteWholeFile(target, "the old file");
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  OpenDialog(folder);
  boxes.Answer({IDYES});
  Install({"Hrt2"});
  CloseHandle(held);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{OverwriteQuestion(target), Message4(target)}));
  EXPECT_EQ(ReadWholeFile(target), "the old file");
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrt2 Regular (TrueType)"));
  EXPECT_EQ(dialog->ModalResult(), mrNone);
}

TEST_F(RefusedInstallTest, ACopyThatFailsKeepsTheFileItWouldHaveReplaced) {
  const std::string folder = SourceFolder();
  const std::string path = PutHackFamily(folder, "Hrk1", 1)[0];
  const std::string target = fonts + "Hrk1-Regular.ttf";
  WriteWholeFile(target, "the old file");
  OpenDialog(folder);
  DeleteFileA(path.c_str());
  boxes.Answer({IDYES});
  Install({"Hrk1"});

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{OverwriteQuestion(target), Message5(path)}));
  EXPECT_TRUE(HoldsBytes(target, "the old file"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrk1 Regular (TrueType)"));
  EXPECT_EQ(CountFiles(FontsFolder(), "ZEL*.TMP", 0xFFFF), 0);
}

TEST_F(RefusedInstallTest, ASourceFileGoneSinceTheScanIsSkipped) {
  const std::string folder = SourceFolder();
  const std::vector<std::string> paths = PutHackFamily(folder, "Hrm3", 2);
  OpenDialog(folder);
  ShowFullNames();
  DeleteFileA(paths[0].c_str());
  Install({"Hrm3 Regular", "Hrm3 Bold"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Message5(paths[0])});
  EXPECT_FALSE(FileExists(fonts + "Hrm3-Regular.ttf"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrm3 Regular (TrueType)"));
  ExpectInstalled("Hrm3 Bold (TrueType)", "HRM3-BOLD.TTF", "Hrm3", "Hrm3 Bold");
  // No half-written file is left behind.
  EXPECT_EQ(CountFiles(FontsFolder(), "ZEL*.TMP", 0xFFFF), 0);
}

TEST_F(RefusedInstallTest, AFontsFolderThatTakesNoFileInstallsNothing) {
  const std::string folder = SourceFolder();
  const std::vector<std::string> paths = PutHackFamily(folder, "Hrm4", 1);
  OpenDialog(folder);
  SetImmutable(FontsFolder(), true);
  const std::string probe = fonts + "probe.tmp";
  if (CopyFileA(paths[0].c_str(), probe.c_str(), FALSE)) {
    DeleteFileA(probe.c_str());
    SetImmutable(FontsFolder(), false);
    GTEST_SKIP() << "the file system has no immutable folders";
  }
  Install({"Hrm4"});
  SetImmutable(FontsFolder(), false);

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Message5(paths[0])});
  EXPECT_FALSE(FileExists(fonts + "Hrm4-Regular.ttf"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrm4 Regular (TrueType)"));
  EXPECT_TRUE(LoadedStyles("Hrm4").empty());
}

TEST_F(RefusedInstallTest, AnEntryWhoseFileIsGoneIsReportedWithoutCopying) {
  const std::string folder = SourceFolder();
  const std::string path = PutHackFamily(folder, "Hrg1", 1)[0];
  OpenDialog(folder);
  dialog->cbCopy.SetChecked(false);
  DeleteFileA(path.c_str());
  Install({"Hrg1"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Message5(path)});
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrg1 Regular (TrueType)"));
}

TEST_F(RefusedInstallTest, AFontTheSystemRefusesLeavesNoFileAndNoValue) {
  const std::string folder = SourceFolder();
  const std::string path = PutHackFamily(folder, "Hrf1", 1)[0];
  // Without its OS/2 table the names still read, but the system will not load it.
  std::string bytes = ReadWholeFile(path);
  const size_t tag = bytes.find("OS/2");
  ASSERT_LT(tag, 12u + 16u * 64u);
  bytes[tag] = 'X';
  WriteWholeFile(path, bytes);
  ASSERT_EQ(AddFontResourceA(path.c_str()), 0) << "the system takes the font all the same";
  OpenDialog(folder);
  Install({"Hrf1"});

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            "Can not install font file: Hrf1-Regular.ttf (unknown reason)."});
  EXPECT_FALSE(FileExists(fonts + "Hrf1-Regular.ttf"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrf1 Regular (TrueType)"));
}

// A rebuild keeps the measures of the families that come back unchanged; a
// family whose name now comes from a file of another design is measured anew.
// Answers the overwrite question as the test scripts it and keeps what was
// asked and reported.
class TScriptedInstallPrompts : public TInstallPrompts {
 public:
  uint16_t AskOverwrite(const std::string& target) override {
    asked.push_back(target);
    return overwriteAnswer;
  }
  void ShowError(Msg::Error number, const std::string& text) override {
    errors.push_back(std::to_string(static_cast<int>(number)) + ": " + text);
  }

  uint16_t overwriteAnswer = mrNo;
  std::vector<std::string> asked;
  std::vector<std::string> errors;
};

TEST_F(InstallTest, TheInstallationWorksWithoutTheDialogOnTheCallersAnswers) {
  const std::vector<std::string> paths = PutHackFamily(SourceFolder(), "Hnd1", 2);
  WriteWholeFile(fonts + "Hnd1-Bold.ttf", "old bold");
  std::vector<std::unique_ptr<TFontFileRec>> records;
  for (const auto& [fullName, path] :
       {std::pair{"Hnd1 Regular", paths[0]}, {"Hnd1 Bold", paths[1]}})
    records.push_back(
        std::make_unique<TFontFileRec>(TFontFileRec{"Hnd1", fullName, path, true, 1}));
  TScriptedInstallPrompts prompts;
  TFontInstallation installation(records, true, true, false, fonts, prompts);

  // No keeps the old bold file, so the family's entry stays chosen; an entry
  // without its record is reported.
  ASSERT_TRUE(installation.Install({{"Hnd1", records[0].get()}, {"Lost", nullptr}}));
  EXPECT_EQ(prompts.asked, std::vector<std::string>{fonts + "Hnd1-Bold.ttf"});
  EXPECT_EQ(prompts.errors, std::vector<std::string>{"5: Lost"});
  EXPECT_TRUE(installation.DoneEntries().empty());
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hnd1 Regular (TrueType)").value_or(""),
            "HND1-REGULAR.TTF");
  EXPECT_TRUE(HoldsBytes(fonts + "Hnd1-Regular.ttf", ReadWholeFile(paths[0])));
  EXPECT_EQ(ReadWholeFile(fonts + "Hnd1-Bold.ttf"), "old bold");

  // Again with Yes: the installed style is reported by its family, the
  // other replaces the old file, and the entry is done.
  prompts.overwriteAnswer = mrYes;
  ASSERT_TRUE(installation.Install({{"Hnd1", records[0].get()}}));
  EXPECT_EQ(prompts.errors, (std::vector<std::string>{"5: Lost", "3: Hnd1"}));
  EXPECT_EQ(installation.DoneEntries(), std::vector<int>{0});
  EXPECT_TRUE(HoldsBytes(fonts + "Hnd1-Bold.ttf", ReadWholeFile(paths[1])));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hnd1 Bold (TrueType)").value_or(""),
            "HND1-BOLD.TTF");
  EXPECT_EQ(LoadedStyles("Hnd1").size(), 2u);
}

TEST_F(InstallTest, AFamilyBackWithATallerDesignIsMeasuredAnew) {
  const std::string folder = SourceFolder();
  const std::string path = PutHackFamily(folder, "Htl1", 1)[0];
  CleanUpFontFile(path);
  ASSERT_TRUE(AddFontResourceA(path.c_str()));
  CreateMainWindow();
  const int before = form->Catalogue().MaxTextHeight;
  ASSERT_TRUE(RemoveFontResourceA(path.c_str()));

  // The same names, with a cell reaching four em above and below the baseline.
  std::string bytes = ReadWholeFile(path);
  const size_t tag = bytes.find("OS/2");
  ASSERT_LT(tag, 12u + 16u * 64u);
  size_t table = 0;
  for (size_t i = 0; i < 4; ++i) table = table << 8 | static_cast<uint8_t>(bytes[tag + 8 + i]);
  ASSERT_LT(table + 78, bytes.size());
  for (size_t winAscentAndDescent : {table + 74, table + 76}) {
    bytes[winAscentAndDescent] = 0x20;  // 8192 units of 2048 an em
    bytes[winAscentAndDescent + 1] = 0;
  }
  const std::string taller = folder + "\\Htl1-Tall.ttf";
  WriteWholeFile(taller, bytes);
  CleanUpFontFile(taller);
  ASSERT_TRUE(AddFontResourceA(taller.c_str()));
  SendMessageA(form->Handle(), WM_FONTCHANGE, 0, 0);

  const int tall = CellHeight("Htl1", form->Catalogue().EnumSampleSize);
  ASSERT_GT(tall, before) << "the taller design is the tallest family";
  EXPECT_EQ(form->Catalogue().MaxTextHeight, tall);
  EXPECT_EQ(form->lbFonts.ItemHeight(), tall);
}

}  // namespace
