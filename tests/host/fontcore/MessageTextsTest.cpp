// Every numbered message as it reads, with the texts the callers insert.
#include "fontcore/MessageTexts.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::string UndefinedText(std::string (*text)(uint16_t), uint16_t number) {
  try {
    text(number);
  } catch (const EUndefinedMessage& e) {
    EXPECT_STREQ("EUndefinedMessage", e.ClassName());
    return e.Message();
  }
  return "defined";
}

std::string ErrorText(uint16_t number) {
  return ErrorMessageText(static_cast<Msg::Error>(number), "T");
}
std::string VerifyText(uint16_t number) {
  return VerifyMessageText(static_cast<Msg::Verify>(number), "T1", "T2");
}
std::string InfoText(uint16_t number) { return InfoMessageText(static_cast<Msg::Info>(number)); }

TEST(ErrorMessages, ReadAsTheCatalogueHasThem) {
  EXPECT_EQ("Sorry, Zel 95 can only run in Windows 95.",
            ErrorMessageText(Msg::Error::NotWindows95, "ignored"));
  EXPECT_EQ(
      "Unable to remove font Arial Black. The font does not have a corresponding entry in "
      "the registry. If the error reoccurs again, try opening Window 95 Font Shortcut from "
      "Control Panel.",
      ErrorMessageText(Msg::Error::FontWithoutEntry, "Arial Black"));
  EXPECT_EQ(
      "The font Verdana is already installed. To install a new version of the font, first "
      "remove the old version.",
      ErrorMessageText(Msg::Error::AlreadyInstalled, "Verdana"));
  EXPECT_EQ(
      "Can not replace file C:\\WINDOWS\\FONTS\\A.TTF. Make sure that the file is not write "
      "protected and that you have write rights on this disk. Installation of new fonts "
      "will stop now.",
      ErrorMessageText(Msg::Error::CannotReplaceFile, "C:\\WINDOWS\\FONTS\\A.TTF"));
  EXPECT_EQ("Can not copy file A:\\B.TTF. This font will not be installed on your system.",
            ErrorMessageText(Msg::Error::CannotCopyFile, "A:\\B.TTF"));
  EXPECT_EQ(
      "Can not send file C:\\F.TTF to the Recycle Bin. Make sure that the file is not write "
      "protected and that you have enough rights on this disk to (re)move the file.",
      ErrorMessageText(Msg::Error::CannotRecycleFile, "C:\\F.TTF"));
  EXPECT_EQ("Can not install font file: X.FON (unknown reason).",
            ErrorMessageText(Msg::Error::CannotInstallFontFile, "X.FON"));
  EXPECT_EQ(
      "Zel 95 Control Panel Application Error. Can not start ZEL95APP.EXE. File or Path "
      "\"C:\\Zel95\\Zel95APP\" not valid.",
      ErrorMessageText(Msg::Error::FontManagerNotFound, "C:\\Zel95\\Zel95APP"));
  EXPECT_EQ("Zel 95 Control Panel Application Error. WinExec returned error code \"2.",
            ErrorMessageText(Msg::Error::FontManagerNotStarted, "2"));
  EXPECT_EQ("Can not remove Zel 95 because it is running at the moment. Stop Zel 95 and try again.",
            ErrorMessageText(Msg::Error::RemovedWhileRunning, ""));
  EXPECT_EQ("Error removing Zel 95. The UninstallZel95.Exe file may be missing.",
            ErrorMessageText(Msg::Error::UninstallerMissing, ""));
  EXPECT_EQ(
      "Can not send file C:\\F.TTF to the Recycle Bin. Access to the file is denied. Close "
      "all other application (including the Explorer) that might use this file and try "
      "again.",
      ErrorMessageText(Msg::Error::RecycleAccessDenied, "C:\\F.TTF"));
  EXPECT_EQ(
      "The font Tahoma (TrueType) has been removed, but the system still uses it. It stays "
      "available until Windows is restarted.",
      ErrorMessageText(Msg::Error::RemovedButStillLoaded, "Tahoma (TrueType)"));
}

TEST(ErrorMessages, InsertTheTextAsItIs) {
  EXPECT_EQ(
      "Unable to remove font  \"Odd\" . The font does not have a corresponding entry in "
      "the registry. If the error reoccurs again, try opening Window 95 Font Shortcut from "
      "Control Panel.",
      ErrorMessageText(Msg::Error::FontWithoutEntry, " \"Odd\" "));
  EXPECT_EQ("Can not install font file:  (unknown reason).",
            ErrorMessageText(Msg::Error::CannotInstallFontFile, ""));
}

TEST(VerifyMessages, ReadAsTheCatalogueHasThem) {
  EXPECT_EQ(
      "The registry contains the following invalid font entry: Old Font (TrueType) . The "
      "associated font file: C:\\WINDOWS\\FONTS\\OLD.TTF can not be found. Remove the entry "
      "from the registry ?",
      VerifyMessageText(Msg::Verify::RemoveInvalidEntry, "Old Font (TrueType)",
                        "C:\\WINDOWS\\FONTS\\OLD.TTF"));
  EXPECT_EQ("Refresh the list of available fonts ? ",
            VerifyMessageText(Msg::Verify::RefreshFontList, "x", "y"));
  EXPECT_EQ("File ARIAL.TTF already exists. Overwrite the existing  file ?",
            VerifyMessageText(Msg::Verify::OverwriteFile, "ARIAL.TTF", ""));
  EXPECT_EQ("Permanently remove font Arial (delete font file) ?",
            VerifyMessageText(Msg::Verify::DeleteFontFile, "Arial", ""));
  EXPECT_EQ(
      "Can not remove font Courier. The corresponding entry in the registry does not exist. "
      "You may try to remove the font using Windows 95 native font managing tool. Continue "
      "to remove selected fonts ?",
      VerifyMessageText(Msg::Verify::ContinueWithoutEntry, "Courier", ""));
  EXPECT_EQ("Are you sure you want to remove Zel 95 permanently ?",
            VerifyMessageText(Msg::Verify::RemoveZel95, "", ""));
}

TEST(InformationMessages, ReadAsTheCatalogueHasThem) {
  EXPECT_EQ(
      "Zel 95 will now be removed. If you don't receive any error messages during this "
      "process, the removal has been done successfully.",
      InfoMessageText(Msg::Info::RemovalStarts));
}

TEST(UndefinedMessages, RaiseWithTheCatalogueAndTheNumber) {
  for (uint16_t number : {0, 10, 15, 65535}) {
    EXPECT_EQ("Internal Error: Error-Message not defined for Constant: " + std::to_string(number) +
                  ". Please inform VELMOR Software about this error",
              UndefinedText(ErrorText, number));
  }
  for (uint16_t number : {0, 7, 100}) {
    EXPECT_EQ("Internal Error: Verify-Message not defined for Constant: " + std::to_string(number) +
                  ". Please inform VELMOR Software about this error",
              UndefinedText(VerifyText, number));
  }
  for (uint16_t number : {0, 1, 3}) {
    EXPECT_EQ("Internal Error: Information-Message not defined for Constant: " +
                  std::to_string(number) + ". Please inform VELMOR Software about this error",
              UndefinedText(InfoText, number));
  }
}

TEST(UndefinedMessages, OnlyTheListedNumbersAreDefined) {
  for (unsigned number = 0; number <= 65535; ++number) {
    bool error = number >= 1 && number <= 14 && number != 10;
    bool verify = number >= 1 && number <= 6;
    bool info = number == 2;
    uint16_t n = static_cast<uint16_t>(number);
    EXPECT_EQ(error, UndefinedText(ErrorText, n) == "defined") << "error " << number;
    EXPECT_EQ(verify, UndefinedText(VerifyText, n) == "defined") << "verify " << number;
    EXPECT_EQ(info, UndefinedText(InfoText, n) == "defined") << "information " << number;
  }
}

}  // namespace

// The applet and the program share the error numbers; a name must never move
// to another number.
TEST(MessageNumbers, NameTheFixedNumbers) {
  using E = Msg::Error;
  const std::vector<std::pair<E, int>> errors = {
      {E::NotWindows95, 1},          {E::FontWithoutEntry, 2},    {E::AlreadyInstalled, 3},
      {E::CannotReplaceFile, 4},     {E::CannotCopyFile, 5},      {E::CannotRecycleFile, 6},
      {E::CannotInstallFontFile, 7}, {E::FontManagerNotFound, 8}, {E::FontManagerNotStarted, 9},
      {E::RemovedWhileRunning, 11},  {E::UninstallerMissing, 12}, {E::RecycleAccessDenied, 13},
      {E::RemovedButStillLoaded, 14}};
  for (const auto& [name, number] : errors) EXPECT_EQ(number, static_cast<int>(name));
  using V = Msg::Verify;
  const std::vector<std::pair<V, int>> questions = {
      {V::RemoveInvalidEntry, 1}, {V::RefreshFontList, 2},      {V::OverwriteFile, 3},
      {V::DeleteFontFile, 4},     {V::ContinueWithoutEntry, 5}, {V::RemoveZel95, 6}};
  for (const auto& [name, number] : questions) EXPECT_EQ(number, static_cast<int>(name));
  EXPECT_EQ(2, static_cast<int>(Msg::Info::RemovalStarts));
}
