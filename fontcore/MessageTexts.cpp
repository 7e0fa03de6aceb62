#include "fontcore/MessageTexts.h"

namespace {

[[noreturn]] void RaiseUndefined(const char* catalogue, uint16_t number) {
  throw EUndefinedMessage(std::string("Internal Error: ") + catalogue +
                          "-Message not defined for Constant: " + std::to_string(number) +
                          ". Please inform VELMOR Software about this error");
}

}  // namespace

std::string ErrorMessageText(Msg::Error number, const std::string& text) {
  switch (number) {
    case Msg::Error::NotWindows95:
      return "Sorry, Zel 95 can only run in Windows 95.";
    case Msg::Error::FontWithoutEntry:
      return "Unable to remove font " + text + ". The font " +
             "does not have a corresponding entry in the registry. If the error " +
             "reoccurs again, try opening Window 95 Font Shortcut from Control Panel.";
    case Msg::Error::AlreadyInstalled:
      return "The font " + text + " is already installed. " +
             "To install a new version of the font, first remove the old version.";
    case Msg::Error::CannotReplaceFile:
      return "Can not replace file " + text + ". Make sure that " +
             "the file is not write protected and that you have write rights on " +
             "this disk. Installation of new fonts will stop now.";
    case Msg::Error::CannotCopyFile:
      return "Can not copy file " + text + ". This font will not " + "be installed on your system.";
    case Msg::Error::CannotRecycleFile:
      return "Can not send file " + text + " to the Recycle Bin. " +
             "Make sure that the file is not write protected and that you have " +
             "enough rights on this disk to (re)move the file.";
    case Msg::Error::CannotInstallFontFile:
      return "Can not install font file: " + text + " (unknown reason).";
    case Msg::Error::FontManagerNotFound:
      return "Zel 95 Control Panel Application Error. Can not start ZEL95APP.EXE. File or Path \"" +
             text + "\" not valid.";
    case Msg::Error::FontManagerNotStarted:
      // No closing quote after the code: the message has always read so.
      return "Zel 95 Control Panel Application Error. WinExec returned error code \"" + text + ".";
    case Msg::Error::RemovedWhileRunning:
      return "Can not remove Zel 95 because it is running at the moment. Stop Zel 95 and try "
             "again.";
    case Msg::Error::UninstallerMissing:
      return "Error removing Zel 95. The UninstallZel95.Exe file may be missing.";
    case Msg::Error::RecycleAccessDenied:
      return "Can not send file " + text + " to the Recycle Bin. " +
             "Access to the file is denied. Close all other application (including the " +
             "Explorer) that might use this file and try again.";
    case Msg::Error::RemovedButStillLoaded:
      return "The font " + text + " has been removed, but the system still uses it. " +
             "It stays available until Windows is restarted.";
  }
  RaiseUndefined("Error", static_cast<uint16_t>(number));
}

std::string VerifyMessageText(Msg::Verify number, const std::string& text1,
                              const std::string& text2) {
  switch (number) {
    case Msg::Verify::RemoveInvalidEntry:
      return "The registry contains the following invalid font entry: " + text1 +
             " . The associated font file: " + text2 + " can not be found." +
             " Remove the entry from the registry ?";
    case Msg::Verify::RefreshFontList:
      return "Refresh the list of available fonts ? ";
    case Msg::Verify::OverwriteFile:
      return "File " + text1 + " already exists. Overwrite the existing " + " file ?";
    case Msg::Verify::DeleteFontFile:
      return "Permanently remove font " + text1 + " (delete font file) ?";
    case Msg::Verify::ContinueWithoutEntry:
      return "Can not remove font " + text1 + ". The corresponding " +
             "entry in the registry does not exist. You may try to remove the font " +
             "using Windows 95 native font managing tool. Continue to remove selected fonts ?";
    case Msg::Verify::RemoveZel95:
      return "Are you sure you want to remove Zel 95 permanently ?";
  }
  RaiseUndefined("Verify", static_cast<uint16_t>(number));
}

std::string InfoMessageText(Msg::Info number) {
  if (number == Msg::Info::RemovalStarts)
    return "Zel 95 will now be removed. If you don't receive any error messages during this "
           "process, the removal has been done successfully.";
  RaiseUndefined("Information", static_cast<uint16_t>(number));
}
