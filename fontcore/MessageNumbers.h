// The numbers of the program's messages, one enumeration per catalogue, so
// that a caller names the message it means and cannot hand the number of one
// catalogue to another. The values are fixed: the applet is built with the
// same error catalogue and relies on them.
#pragma once

#include <cstdint>

namespace Msg {

// Error messages, shown with OK.
enum class Error : uint16_t {
  NotWindows95 = 1,
  FontWithoutEntry = 2,  // a TrueType font to remove has no registry entry
  AlreadyInstalled = 3,
  CannotReplaceFile = 4,  // ends the installation
  CannotCopyFile = 5,
  CannotRecycleFile = 6,
  CannotInstallFontFile = 7,
  FontManagerNotFound = 8,    // the applet's path to the program is not valid
  FontManagerNotStarted = 9,  // WinExec failed with an error code
  RemovedWhileRunning = 11,
  UninstallerMissing = 12,
  RecycleAccessDenied = 13,
  RemovedButStillLoaded = 14,  // the system would not withdraw a removed font
};

// Verify questions, asked with the caller's buttons.
enum class Verify : uint16_t {
  RemoveInvalidEntry = 1,
  RefreshFontList = 2,
  OverwriteFile = 3,
  DeleteFontFile = 4,
  ContinueWithoutEntry = 5,  // a face to remove has no registry entry
  RemoveZel95 = 6,
};

// Information messages.
enum class Info : uint16_t {
  RemovalStarts = 2,
};

}  // namespace Msg
