// Every numbered message as it reads, with the texts the callers insert.
#include "fontcommon/MessageTexts.h"

#include <gtest/gtest.h>

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

std::string ErrorText(uint16_t number) { return ErrorMessageText(number, "T"); }
std::string VerifyText(uint16_t number) { return VerifyMessageText(number, "T1", "T2"); }
std::string InfoText(uint16_t number) { return InfoMessageText(number); }

TEST(ErrorMessages, ReadAsTheCatalogueHasThem) {
  EXPECT_EQ("Sorry, Zel 95 can only run in Windows 95.", ErrorMessageText(1, "ignored"));
  EXPECT_EQ("Unable to remove font Arial Black. The font does not have a corresponding entry in "
            "the registry. If the error reoccurs again, try opening Window 95 Font Shortcut from "
            "Control Panel.",
            ErrorMessageText(2, "Arial Black"));
  EXPECT_EQ("The font Verdana is already installed. To install a new version of the font, first "
            "remove the old version.",
            ErrorMessageText(3, "Verdana"));
  EXPECT_EQ("Can not replace file C:\\WINDOWS\\FONTS\\A.TTF. Make sure that the file is not write "
            "protected and that you have write rights on this disk. Installation of new fonts "
            "will stop now.",
            ErrorMessageText(4, "C:\\WINDOWS\\FONTS\\A.TTF"));
  EXPECT_EQ("Can not copy file A:\\B.TTF. This font will not be installed on your system.",
            ErrorMessageText(5, "A:\\B.TTF"));
  EXPECT_EQ("Can not send file C:\\F.TTF to the Recycle Bin. Make sure that the file is not write "
            "protected and that you have enough rights on this disk to (re)move the file.",
            ErrorMessageText(6, "C:\\F.TTF"));
  EXPECT_EQ("Can not install font file: X.FON (unknown reason).", ErrorMessageText(7, "X.FON"));
  EXPECT_EQ("Zel 95 Control Panel Application Error. Can not start ZEL95APP.EXE. File or Path "
            "\"C:\\Zel95\\Zel95APP\" not valid.",
            ErrorMessageText(8, "C:\\Zel95\\Zel95APP"));
  EXPECT_EQ("Zel 95 Control Panel Application Error. WinExec returned error code \"2.",
            ErrorMessageText(9, "2"));
  EXPECT_EQ("Can not remove Zel 95 because it is running at the moment. Stop Zel 95 and try again.",
            ErrorMessageText(11, ""));
  EXPECT_EQ("Error removing Zel 95. The UninstallZel95.Exe file may be missing.",
            ErrorMessageText(12, ""));
  EXPECT_EQ("Can not send file C:\\F.TTF to the Recycle Bin. Access to the file is denied. Close "
            "all other application (including the Explorer) that might use this file and try "
            "again.",
            ErrorMessageText(13, "C:\\F.TTF"));
}

TEST(ErrorMessages, InsertTheTextAsItIs) {
  EXPECT_EQ("Unable to remove font  \"Odd\" . The font does not have a corresponding entry in "
            "the registry. If the error reoccurs again, try opening Window 95 Font Shortcut from "
            "Control Panel.",
            ErrorMessageText(2, " \"Odd\" "));
  EXPECT_EQ("Can not install font file:  (unknown reason).", ErrorMessageText(7, ""));
}

TEST(VerifyMessages, ReadAsTheCatalogueHasThem) {
  EXPECT_EQ("The registry contains the following invalid font entry: Old Font (TrueType) . The "
            "associated font file: C:\\WINDOWS\\FONTS\\OLD.TTF can not be found. Remove the entry "
            "from the registry ?",
            VerifyMessageText(1, "Old Font (TrueType)", "C:\\WINDOWS\\FONTS\\OLD.TTF"));
  EXPECT_EQ("Refresh the list of available fonts ? ", VerifyMessageText(2, "x", "y"));
  EXPECT_EQ("File ARIAL.TTF already exists. Overwrite the existing  file ?",
            VerifyMessageText(3, "ARIAL.TTF", ""));
  EXPECT_EQ("Permanently remove font Arial (delete font file) ?", VerifyMessageText(4, "Arial", ""));
  EXPECT_EQ("Can not remove font Courier. The corresponding entry in the registry does not exist. "
            "You may try to remove the font using Windows 95 native font managing tool. Continue "
            "to remove selected fonts ?",
            VerifyMessageText(5, "Courier", ""));
  EXPECT_EQ("Are you sure you want to remove Zel 95 permanently ?", VerifyMessageText(6, "", ""));
}

TEST(InformationMessages, ReadAsTheCatalogueHasThem) {
  EXPECT_EQ("Zel 95 will now be removed. If you don't receive any error messages during this "
            "process, the removal has been done successfully.",
            InfoMessageText(2));
}

TEST(UndefinedMessages, RaiseWithTheCatalogueAndTheNumber) {
  for (uint16_t number : {0, 10, 14, 65535}) {
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
    bool error = number >= 1 && number <= 13 && number != 10;
    bool verify = number >= 1 && number <= 6;
    bool info = number == 2;
    uint16_t n = static_cast<uint16_t>(number);
    EXPECT_EQ(error, UndefinedText(ErrorText, n) == "defined") << "error " << number;
    EXPECT_EQ(verify, UndefinedText(VerifyText, n) == "defined") << "verify " << number;
    EXPECT_EQ(info, UndefinedText(InfoText, n) == "defined") << "information " << number;
  }
}

}  // namespace
