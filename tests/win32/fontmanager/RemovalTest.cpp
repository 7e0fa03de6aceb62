// Removing fonts from the main window: the question, the Recycle Bin (Wine's
// trash), the Fonts key and the fonts loaded in the system, with every way a
// file can refuse to go.
#include "fontmanager/ConfirmRemovalDialog.h"
#include "fontmanager/FontRemoval.h"
#include "InstallFixture.h"
#include "fontmanager/ProgramErrors.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/UserInput.h"

#include "fontcore/AnsiText.h"
#include "fontcore/FontReaders.h"
#include "platform/forms/KernelHandle.h"
#include "platform/forms/ErrorBeep.h"

#include <functional>

namespace {

struct TConfirmation {
  std::string Question;
  bool RecycleBinPicture = false;
  bool FontRemovePicture = false;
};

class RemovalTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    WriteString(HKEY_CURRENT_USER, kSettingsKeyPath, "TTFOnly", "0");
  }

  // Installs the renamed Hack styles into the fonts folder by hand, each
  // under the full name the file gives.
  std::vector<std::string> InstallHack(const std::string& family, size_t styles = 4) {
    std::vector<std::string> names;
    for (const std::string& path : PutHackFamily(SourceFolder(), family, styles)) {
      std::string familyName, fullName;
      EXPECT_EQ(ReadTrueTypeNames(path, familyName, fullName), frOK) << path;
      InstallByHand(path, fullName + " (TrueType)", true);
      names.push_back(path.substr(path.find_last_of('\\') + 1));
    }
    return names;
  }

  // The confirmation is answered with `answer` (IDYES or IDNO) and what it
  // asked is kept; a screenshot is saved as `screen` when given.
  void AnswerConfirmation(int answer, const std::string& screen = "") {
    boxes.OnForm = [this, answer, screen](HWND window) {
      auto* dialog = dynamic_cast<TDlgConfirmRemoval*>(TForm::FromWindow(window));
      if (!dialog) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return;
      }
      confirmed = true;
      confirmation.Question = dialog->lblUserText.Caption();
      const auto shown = reinterpret_cast<HBITMAP>(
          SendMessageA(dialog->ImgIcon.Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
      confirmation.RecycleBinPicture = shown == dialog->imgRBin.Picture();
      confirmation.FontRemovePicture = shown == dialog->imgFontRemove.Picture();
      if (!screen.empty()) SaveWindowScreenshot(window, screen);
      SendMessageA((answer == IDYES ? dialog->pbYes : dialog->pbNo).Handle(), BM_CLICK, 0, 0);
    };
  }

  void Select(const std::vector<std::string>& faces) {
    for (size_t i = 0; i < faces.size(); ++i) {
      const int row = RowOf(faces[i]);
      ASSERT_GE(row, 0) << faces[i];
      ClickListRow(form->lbFonts.Handle(), row, i > 0);
    }
    ASSERT_EQ(form->CountSelected(), static_cast<int>(faces.size()));
  }

  void Remove(const std::vector<std::string>& faces) {
    Select(faces);
    // Through the button's window, as a click comes.
    SendMessageA(form->sbRemove.Handle(), BM_CLICK, 0, 0);
    Pump();
  }

  std::vector<std::string> ErrorTexts() const {
    std::vector<std::string> texts;
    for (const TShownBox& box : boxes.Shown())
      if (box.Caption == "Error" || box.Caption == "Confirm") texts.push_back(box.Text);
    return texts;
  }

  bool confirmed = false;
  TConfirmation confirmation;
};

// The names of the files that appear in `folder` while `work` runs.
std::vector<std::string> FilesAddedDuring(const std::string& folder,
                                          const std::function<void()>& work) {
  KernelHandle watched(CreateFileA(
      folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  KernelHandle changed(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  EXPECT_TRUE(watched.Valid());
  alignas(DWORD) char records[16384];
  OVERLAPPED overlapped{};
  overlapped.hEvent = changed.Get();
  auto watch = [&] {
    ResetEvent(changed.Get());
    return ReadDirectoryChangesW(watched.Get(), records, sizeof records, FALSE,
                                 FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped, nullptr);
  };
  EXPECT_TRUE(watch());
  work();
  std::vector<std::string> added;
  DWORD size = 0;
  while (WaitForSingleObject(changed.Get(), 500) == WAIT_OBJECT_0 &&
         GetOverlappedResult(watched.Get(), &overlapped, &size, FALSE) && size != 0) {
    for (DWORD at = 0;;) {
      const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(records + at);
      if (record->Action == FILE_ACTION_ADDED || record->Action == FILE_ACTION_RENAMED_NEW_NAME)
        added.push_back(AnsiFromUtf16(std::u16string(
            reinterpret_cast<const char16_t*>(record->FileName), record->FileNameLength / 2)));
      if (record->NextEntryOffset == 0) break;
      at += record->NextEntryOffset;
    }
    if (!watch()) break;
  }
  CancelIo(watched.Get());
  return added;
}

std::string RecycleQuestion(int families, int files) {
  return "Are you sure you want to remove " + std::to_string(families) + " font(s) and send " +
         std::to_string(files) + " font file(s) to the Recycle Bin ?";
}

TEST_F(RemovalTest, FourTrueTypeStylesGoToTheRecycleBinAndCanBeRestored) {
  const std::vector<std::string> files = InstallHack("Hrm1");
  const std::string original = ReadWholeFile(fonts + files[1]);
  CreateMainWindow();
  ASSERT_EQ(LoadedStyles("Hrm1").size(), 4u);
  AnswerConfirmation(IDYES, "confirm-removal-recycle-bin");
  Remove({"Hrm1"});

  EXPECT_TRUE(confirmed);
  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 4));
  EXPECT_TRUE(confirmation.RecycleBinPicture);
  EXPECT_TRUE(ErrorTexts().empty());
  for (const std::string& file : files) {
    EXPECT_FALSE(FileExists(fonts + file)) << file;
    EXPECT_TRUE(FileExists(TrashedFile(file))) << file << " is not in the trash";
  }
  for (const std::string& fullName : HackFullNames("Hrm1"))
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, fullName + " (TrueType)"))
        << fullName;
  EXPECT_TRUE(LoadedStyles("Hrm1").empty());
  EXPECT_EQ(RowOf("Hrm1"), -1);
  EXPECT_EQ(form->CountSelected(), 0);
  EXPECT_FALSE(form->Catalogue().FToDelete);

  // Restored from the Recycle Bin, the file is whole again.
  ASSERT_TRUE(MoveFileA(TrashedFile(files[1]).c_str(), (fonts + files[1]).c_str()));
  EXPECT_TRUE(HoldsBytes(fonts + files[1], original));
}

TEST_F(RemovalTest, AnsweringNoLeavesFilesRegistryAndListAsTheyWere) {
  const std::vector<std::string> files = InstallHack("Hrm2", 2);
  CreateMainWindow();
  const std::vector<std::string> rowsBefore = Rows();
  const std::vector<TKeyValue> keyBefore = ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath);
  AnswerConfirmation(IDNO);
  Remove({"Hrm2"});

  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 2));
  EXPECT_EQ(ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath), keyBefore);
  EXPECT_EQ(Rows(), rowsBefore);
  EXPECT_EQ(LoadedStyles("Hrm2").size(), 2u);
  for (const std::string& file : files) EXPECT_TRUE(FileExists(fonts + file)) << file;
}

TEST_F(RemovalTest, TwoRasterFamiliesCountTwoFamiliesAndTwoFiles) {
  const std::string folder = SourceFolder();
  InstallByHand(PutRasterFont(folder, "ZQSERIF.FON", "ZQ Sans Serif"),
                "ZQ Sans Serif 8,10,12 (VGA res)", true);
  InstallByHand(PutRasterFont(folder, "ZRSERIF.FON", "ZR Sans Serif"),
                "ZR Sans Serif 8,10,12 (VGA res)", true);
  CreateMainWindow();
  AnswerConfirmation(IDYES);
  Remove({"ZQ Sans Serif", "ZR Sans Serif"});

  EXPECT_EQ(confirmation.Question, RecycleQuestion(2, 2));
  for (const char* file : {"ZQSERIF.FON", "ZRSERIF.FON"}) {
    EXPECT_FALSE(FileExists(fonts + file)) << file;
    EXPECT_TRUE(FileExists(TrashedFile(file))) << file;
  }
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "ZQ Sans Serif 8,10,12 (VGA res)"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "ZR Sans Serif 8,10,12 (VGA res)"));
  EXPECT_TRUE(LoadedStyles("ZQ Sans Serif").empty());
  EXPECT_EQ(RowOf("ZR Sans Serif"), -1);
}

TEST_F(RemovalTest, AFileOnANetworkDriveIsUnregisteredAndStaysWhereItIs) {
  ASSERT_EQ(GetDriveTypeA(kNetworkRoot), static_cast<UINT>(DRIVE_REMOTE))
      << "the prefix has no network drive N:";
  const std::string path = PutHackFamily(SourceFolder("N:\\sources"), "Hnw1", 1)[0];
  InstallByHand(path, "Hnw1 Regular (TrueType)", false);
  CreateMainWindow();
  AnswerConfirmation(IDYES, "confirm-removal-font");
  Remove({"Hnw1"});

  EXPECT_EQ(confirmation.Question, "Are you sure you want to remove 1 font(s) ?");
  EXPECT_TRUE(confirmation.FontRemovePicture);
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hnw1 Regular (TrueType)"));
  EXPECT_TRUE(LoadedStyles("Hnw1").empty());
}

TEST_F(RemovalTest, AReadOnlyFileGoesToTheRecycleBinAllTheSame) {
  const std::vector<std::string> files = InstallHack("Hro1", 1);
  ASSERT_TRUE(SetFileAttributesA((fonts + files[0]).c_str(), FILE_ATTRIBUTE_READONLY));
  CreateMainWindow();
  AnswerConfirmation(IDYES);
  Remove({"Hro1"});

  EXPECT_TRUE(ErrorTexts().empty());
  EXPECT_FALSE(FileExists(fonts + files[0]));
  EXPECT_TRUE(FileExists(TrashedFile(files[0])));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hro1 Regular (TrueType)"));
}

// Nothing is copied on the way, so a full disk cannot stop a removal.
TEST_F(RemovalTest, ARemovalWritesNothingInTheFontsFolder) {
  const std::vector<std::string> files = InstallHack("Hnc1", 2);
  CreateMainWindow();
  AnswerConfirmation(IDYES);
  EXPECT_EQ(FilesAddedDuring(fonts, [&] { Remove({"Hnc1"}); }), std::vector<std::string>{});
  EXPECT_TRUE(ErrorTexts().empty());
  for (const std::string& file : files) EXPECT_TRUE(FileExists(TrashedFile(file))) << file;
}

TEST_F(RemovalTest, AStyleWhoseFileIsGoneLosesItsValueAndTheOthersGo) {
  const std::vector<std::string> paths = PutHackFamily(SourceFolder(), "Hfg1", 2);
  InstallByHand(paths[0], "Hfg1 Regular (TrueType)", true);
  // The bold style is known to the system from a file elsewhere, while its
  // value names a file of the fonts folder that is gone.
  ASSERT_TRUE(AddFontResourceA(paths[1].c_str()));
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hfg1 Bold (TrueType)", "Hfg1-Bold.ttf");
  const std::string gone = fonts + "Hfg1-Bold.ttf";
  ASSERT_FALSE(FileExists(gone));
  CreateMainWindow();
  AnswerConfirmation(IDYES);
  Remove({"Hfg1"});

  EXPECT_TRUE(ErrorTexts().empty());
  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 2));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hfg1 Regular (TrueType)"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hfg1 Bold (TrueType)"));
  EXPECT_TRUE(FileExists(TrashedFile("Hfg1-Regular.ttf")));
  EXPECT_FALSE(FileExists(gone));
}

// Wine loads the fonts of the fonts folder at a program's start and will not
// let RemoveFontResource withdraw them.
TEST_F(RemovalTest, AFontTheSystemWillNotWithdrawIsReportedAndItsFileAndValueGo) {
  const std::string file = fonts + "webdings.ttf";
  const std::string bytes = ReadWholeFile(file);
  ASSERT_FALSE(bytes.empty()) << file;
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Webdings (TrueType)", "webdings.ttf");
  CreateMainWindow();
  AnswerConfirmation(IDYES);
  Remove({"Webdings"});
  // Back for the tests that follow.
  const bool trashed = MoveFileA(TrashedFile("webdings.ttf").c_str(), file.c_str());

  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 1));
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{
                              "The font Webdings (TrueType) has been removed, but the system "
                              "still uses it. It stays available until Windows is restarted."});
  EXPECT_TRUE(trashed);
  EXPECT_TRUE(HoldsBytes(file, bytes));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Webdings (TrueType)"));
}

// A file that stays keeps its font: loaded, registered and listed.
class RefusedRemovalTest : public RemovalTest {
 protected:
  void ExpectKept(const std::string& file, const std::string& bytes) {
    EXPECT_TRUE(HoldsBytes(fonts + file, bytes));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hrf1 Regular (TrueType)").value_or(""),
              file);
    EXPECT_EQ(LoadedStyles("Hrf1"), std::set<std::string>{"Hrf1 Regular"});
    EXPECT_GE(RowOf("Hrf1"), 0);
    EXPECT_FALSE(FileExists(TrashedFile(file)));
  }
  std::string Message13(const std::string& file) const {
    return "Can not send file " + fonts + file +
           " to the Recycle Bin. Access to the file is denied. Close all other application "
           "(including the Explorer) that might use this file and try again.";
  }
  std::string Message6(const std::string& file) const {
    return "Can not send file " + fonts + file +
           " to the Recycle Bin. Make sure that the file is not write protected and that you have "
           "enough "
           "rights on this disk to (re)move the file.";
  }
};

TEST_F(RefusedRemovalTest, AFileHeldOpenByAnotherProgramIsReportedAsInUseAndStaysInstalled) {
  const std::string file = InstallHack("Hrf1", 1)[0];
  const std::string bytes = ReadWholeFile(fonts + file);
  CreateMainWindow();
  HANDLE held =
      CreateFileA((fonts + file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  AnswerConfirmation(IDYES);
  Remove({"Hrf1"});
  CloseHandle(held);

  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{Message13(file)});
  ExpectKept(file, bytes);
}

TEST_F(RefusedRemovalTest, AFileTheFileSystemWillNotChangeStaysInstalled) {
  const std::string file = InstallHack("Hrf1", 1)[0];
  const std::string bytes = ReadWholeFile(fonts + file);
  CreateMainWindow();
  SetImmutable(fonts + file, true);
  if (SetFileAttributesA((fonts + file).c_str(), FILE_ATTRIBUTE_ARCHIVE))
    GTEST_SKIP() << "the file system has no immutable files";
  AnswerConfirmation(IDYES);
  Remove({"Hrf1"});

  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{Message6(file)});
  SetImmutable(fonts + file, false);
  ExpectKept(file, bytes);
}

TEST_F(RefusedRemovalTest, ARecycleBinThatTakesNothingLosesNothing) {
  const std::string file = InstallHack("Hrf1", 1)[0];
  const std::string bytes = ReadWholeFile(fonts + file);
  CreateMainWindow();
  // Wine deletes a file for good when its trash will not take it.
  const std::string trash = TrashedFile("");
  CreateDirectoryA(trash.c_str(), nullptr);
  SetImmutable(trash, true);
  const std::string probe = trash + "probe";
  if (CopyFileA((fonts + file).c_str(), probe.c_str(), FALSE)) {
    DeleteFileA(probe.c_str());
    SetImmutable(trash, false);
    GTEST_SKIP() << "the file system has no immutable folders";
  }
  AnswerConfirmation(IDYES);
  Remove({"Hrf1"});
  SetImmutable(trash, false);

  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{Message6(file)});
  ExpectKept(file, bytes);
}

TEST_F(RemovalTest, AStyleWithoutRegistryEntryIsReportedAndTheOthersGo) {
  const std::vector<std::string> files = InstallHack("Hre1", 2);
  CreateMainWindow();
  RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hre1 Bold (TrueType)");
  AnswerConfirmation(IDYES);
  Remove({"Hre1"});

  ASSERT_EQ(ErrorTexts().size(), 1u);
  EXPECT_EQ(ErrorTexts()[0],
            "Unable to remove font Hre1 Bold. The font does not have a corresponding entry in the "
            "registry. If the error reoccurs again, try opening Window 95 Font Shortcut from "
            "Control Panel.");
  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 1));
  EXPECT_FALSE(FileExists(fonts + files[0]));
  EXPECT_TRUE(FileExists(fonts + files[1]));
}

class RasterEntriesTest : public RemovalTest {
 protected:
  // Two files of face `face` (of 13 characters) for two resolutions,
  // registered under their descriptions.
  void InstallTwoFiles(const std::string& face, const std::string& tag) {
    const std::string folder = SourceFolder(folder_);
    folder_ += "2";
    InstallByHand(PutRasterFont(folder, tag + "1.FON", face), face + " 8,10,12 (VGA res)", true);
    InstallByHand(PutRasterFont(folder, tag + "2.FON", face, "sseriff.fon"),
                  face + " 8,10 (8514 res)", true);
  }
  std::string folder_ = "C:\\zel95-sources";
  static std::string Question5(const std::string& face) {
    return "Can not remove font " + face +
           ". The corresponding entry in the registry does not exist. You may "
           "try to remove the font using Windows 95 native font managing tool. Continue to remove "
           "selected fonts ?";
  }
};

TEST_F(RasterEntriesTest, AnEntryWithoutDataAsksOnceAndYesRemovesTheOther) {
  InstallTwoFiles("ZS Sans Serif", "ZS");
  CreateMainWindow();
  const int face = form->Catalogue().FNonTTFFonts.IndexOf("ZS Sans Serif");
  ASSERT_GE(face, 0);
  RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, form->Catalogue().FNonTTFFonts[face].Entries[0]);
  const std::string gone = form->Catalogue().FNonTTFFonts[face].Entries[0];
  const std::string kept = form->Catalogue().FNonTTFFonts[face].Entries[1];
  boxes.Answer({IDYES});
  AnswerConfirmation(IDYES);
  Remove({"ZS Sans Serif"});

  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{Question5("ZS Sans Serif")});
  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 1));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kept));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, gone));
}

TEST_F(RasterEntriesTest, NoToAnEntryWithoutDataRemovesNothing) {
  InstallTwoFiles("ZU Sans Serif", "ZU");
  CreateMainWindow();
  const int face = form->Catalogue().FNonTTFFonts.IndexOf("ZU Sans Serif");
  ASSERT_GE(face, 0);
  const std::string kept = form->Catalogue().FNonTTFFonts[face].Entries[1];
  RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, form->Catalogue().FNonTTFFonts[face].Entries[0]);
  boxes.Answer({IDNO});
  AnswerConfirmation(IDYES);
  Remove({"ZU Sans Serif"});

  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{Question5("ZU Sans Serif")});
  EXPECT_FALSE(confirmed);
  EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kept));
  EXPECT_GE(RowOf("ZU Sans Serif"), 0);
}

TEST_F(RasterEntriesTest, AfterAllFurtherEntriesWithoutDataAreSkippedUncounted) {
  InstallTwoFiles("ZV Sans Serif", "ZV");
  InstallTwoFiles("ZW Sans Serif", "ZW");
  CreateMainWindow();
  for (const char* name : {"ZV Sans Serif", "ZW Sans Serif"}) {
    const int face = form->Catalogue().FNonTTFFonts.IndexOf(name);
    ASSERT_GE(face, 0);
    RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, form->Catalogue().FNonTTFFonts[face].Entries[0]);
  }
  boxes.Answer({mrAll});
  AnswerConfirmation(IDNO);
  Remove({"ZV Sans Serif", "ZW Sans Serif"});

  // The walk runs from the last family to the first.
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{Question5("ZW Sans Serif")});
  EXPECT_EQ(confirmation.Question, RecycleQuestion(2, 2));
}

// Another program's font change while question 5 is open: the removal goes
// on with the catalogue it collected from, and the list is rebuilt after it.
class FontChangeDuringRemovalTest : public RasterEntriesTest {
 protected:
  void SetUp() override {
    RasterEntriesTest::SetUp();
    InstallTwoFiles("ZT Sans Serif", "ZT");
    CreateMainWindow();
    const int face = form->Catalogue().FNonTTFFonts.IndexOf("ZT Sans Serif");
    ASSERT_GE(face, 0);
    kept = form->Catalogue().FNonTTFFonts[face].Entries[1];
    RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, form->Catalogue().FNonTTFFonts[face].Entries[0]);
    boxes.OnBox = [this](HWND) {
      InstallByHand(PutRasterFont(SourceFolder("C:\\zel95-other"), "ZOSERIF.FON", "ZO Sans Serif"),
                    "ZO Sans Serif 8,10,12 (VGA res)", true);
      SendMessageA(form->Handle(), WM_FONTCHANGE, 0, 0);
      selectedDuringQuestion = form->CountSelected();
      listedDuringQuestion = RowOf("ZO Sans Serif") >= 0;
    };
    AnswerConfirmation(IDYES);
  }

  std::string kept;
  int selectedDuringQuestion = -1;
  bool listedDuringQuestion = true;
};

TEST_F(FontChangeDuringRemovalTest, YesRemovesWhatWasSelectedAndRebuildsAfterwards) {
  boxes.Answer({IDYES});
  Remove({"ZT Sans Serif"});

  EXPECT_EQ(selectedDuringQuestion, 1);
  EXPECT_FALSE(listedDuringQuestion);
  EXPECT_EQ(confirmation.Question, RecycleQuestion(1, 1));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kept));
  EXPECT_EQ(RowOf("ZT Sans Serif"), -1);
  EXPECT_GE(RowOf("ZO Sans Serif"), 0);
}

TEST_F(FontChangeDuringRemovalTest, NoRemovesNothingAndRebuildsAfterwards) {
  boxes.Answer({IDNO});
  Remove({"ZT Sans Serif"});

  EXPECT_EQ(selectedDuringQuestion, 1);
  EXPECT_FALSE(listedDuringQuestion);
  EXPECT_FALSE(confirmed);
  EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kept));
  EXPECT_GE(RowOf("ZT Sans Serif"), 0);
  EXPECT_GE(RowOf("ZO Sans Serif"), 0);
}

TEST_F(RemovalTest, AFaceMissingFromTheRasterListIsAnInternalErrorAndRemovesNothing) {
  InstallByHand(PutRasterFont(SourceFolder(), "ZXSERIF.FON", "ZX Sans Serif"),
                "ZX Sans Serif 8,10,12 (VGA res)", true);
  CreateMainWindow();
  form->Catalogue().FNonTTFFonts.Clear();
  AnswerConfirmation(IDYES);
  Remove({"ZX Sans Serif"});

  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].Text.find("Application Exception: EUnexpected at "), std::string::npos)
      << boxes.Shown()[0].Text;
  EXPECT_NE(boxes.Shown()[0].Text.find("Fontname not found in non-TTF list: ZX Sans Serif"),
            std::string::npos);
  EXPECT_TRUE(FileExists(fonts + "ZXSERIF.FON"));
  EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "ZX Sans Serif 8,10,12 (VGA res)"));
  EXPECT_FALSE(form->Catalogue().FToDelete);
}

TEST_F(RemovalTest, DeleteWithNothingSelectedOnlyBeeps) {
  CreateMainWindow();
  const int beeps = ErrorBeepCount();
  SendMessageA(form->sbRemove.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ErrorBeepCount(), beeps + 1);
  EXPECT_TRUE(boxes.Shown().empty());
}

// Answers the removal's questions as the test scripts them and keeps what
// was asked and reported.
class TScriptedPrompts : public TRemovalPrompts {
 public:
  uint16_t AskContinueWithoutEntry(const std::string& face) override {
    asked.push_back(face);
    return entryAnswer;
  }
  bool ConfirmRemoval(int familyCount, int recycleCount) override {
    confirmed.emplace_back(familyCount, recycleCount);
    return true;
  }
  void ShowError(Msg::Error number, const std::string& text) override {
    errors.push_back(std::to_string(static_cast<int>(number)) + ": " + text);
  }

  uint16_t entryAnswer = mrYes;
  std::vector<std::string> asked;
  std::vector<std::pair<int, int>> confirmed;
  std::vector<std::string> errors;
};

TEST_F(RemovalTest, TheRemovalWorksWithoutTheWindowOnTheCallersAnswers) {
  const std::vector<std::string> paths = PutHackFamily(SourceFolder(), "Hnw1", 2);
  InstallByHand(paths[0], "Hnw1 Regular (TrueType)", true);
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, "Hnw1 Bold (TrueType)", "Hnw1-Bold.ttf");
  const std::string vga = "ZN Sans Serif 8,10,12 (VGA res)";
  InstallByHand(PutRasterFont(SourceFolder(), "ZN1.FON", "ZN Sans Serif"), vga, true);
  TNonTTFFonts raster;
  raster.Add("ZN Sans Serif", "ZN Sans Serif 8,10 (8514 res)");  // no value at all
  raster.Add("ZN Sans Serif", vga);
  std::vector<TToDeleteItem> records(4);
  records[0] = {"Hnw1 Regular", "", "", true, false};
  records[1] = {"Hnw1 Bold", "", "", true, false};
  records[2] = {"Hnw1 Italic", "", "", true, false};
  records[3] = {"ZN Sans Serif", "", "", false, false};
  TScriptedPrompts prompts;
  TFontRemoval removal(records, raster, fonts.substr(0, fonts.size() - 1), prompts);

  ASSERT_TRUE(removal.Prepare());
  EXPECT_EQ(prompts.asked, std::vector<std::string>{"ZN Sans Serif"});
  EXPECT_EQ(prompts.errors, std::vector<std::string>{"2: Hnw1 Italic"});
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].Path, fonts + "Hnw1-Bold.ttf");
  EXPECT_EQ(records[2].Name, vga);
  EXPECT_TRUE(removal.Confirm(2));
  EXPECT_EQ(prompts.confirmed, (std::vector<std::pair<int, int>>{{2, 3}}));
  removal.Remove();

  EXPECT_EQ(prompts.errors.size(), 1u);
  for (const char* value : {"Hnw1 Regular (TrueType)", "Hnw1 Bold (TrueType)", vga.c_str()})
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, value)) << value;
  EXPECT_TRUE(FileExists(TrashedFile("Hnw1-Regular.ttf")));
  EXPECT_TRUE(FileExists(TrashedFile("ZN1.FON")));

  // No to an entry without a file stops before the confirmation.
  std::vector<TToDeleteItem> stopped{{"ZN Sans Serif", "", "", false, false}};
  prompts.entryAnswer = mrNo;
  EXPECT_FALSE(TFontRemoval(stopped, raster, fonts, prompts).Prepare());
  EXPECT_EQ(prompts.asked.size(), 2u);
  EXPECT_EQ(prompts.confirmed.size(), 1u);
}

TEST(MarkRecycleFiles, CountsFilesOffTheNetworkAndTakesUncPathsForNetworkFiles) {
  ASSERT_EQ(GetDriveTypeA(kNetworkRoot), static_cast<UINT>(DRIVE_REMOTE));
  std::vector<TToDeleteItem> list(4);
  list[0].Path = "C:\\windows\\FONTS\\A.TTF";
  list[1].Path = "n:\\fonts\\B.TTF";
  list[2].Path = "\\\\server\\share\\C.TTF";
  list[3].Path = "c:\\D.FON";
  EXPECT_EQ(MarkRecycleFiles(list), 2);
  EXPECT_TRUE(list[0].Recycle);
  EXPECT_FALSE(list[1].Recycle);
  EXPECT_FALSE(list[2].Recycle);
  EXPECT_TRUE(list[3].Recycle);

  std::vector<TToDeleteItem> odd(1);
  odd[0].Path = "1:\\E.TTF";
  EXPECT_THROW(MarkRecycleFiles(odd), ERangeError);
}

}  // namespace
