#include "Uninstaller.h"

#include "InstallLog.h"
#include "Removal.h"
#include "TemporaryCopy.h"
#include "UninstallArguments.h"

#include "fontcommon/MessageDialog.h"

#include <cstdio>
#include <optional>

namespace {

// C streams, not file streams: the library's file streams need a newer
// msvcrt.dll than the Windows 95 one.
std::optional<std::string> ReadFileText(const std::string& path) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return std::nullopt;
  std::string text;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, in)) > 0) text.append(block, got);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) return std::nullopt;
  return text;
}

bool WriteFileText(const std::string& path, const std::string& text) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  return (std::fclose(out) == 0) && written;
}

// The program's standard box under the uninstaller's own title.
uint16_t Show(const TUninstallArguments& arguments, TMsgDlgType kind, const std::string& text,
              TMsgDlgButtons buttons) {
  TMessageBoxLook look = MessageBoxLook(kind, text, buttons);
  look.Title = arguments.Title.c_str();
  return ShowMessageDialog(look);
}

// Nothing of ours keeps the program folder in use.
void LeaveProgramFolder() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  SetCurrentDirectoryA(windows);
}

}  // namespace

int RunUninstaller(const std::string& commandLine) {
  // Whoever started this may wait until it takes input (WinExec does):
  // answer at once, the work below asks for none.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

  const TUninstallArguments arguments = ParseUninstallArguments(commandLine);
  if (arguments.LogPath.empty()) {
    Show(arguments, mtInformation, "Usage: UninstallZel95 [/A] INSTALL.LOG [\"TITLE\"]", {mbOK});
    return 1;
  }
  const std::optional<std::string> text = ReadFileText(arguments.LogPath);
  const std::optional<std::vector<TLogEntry>> entries =
      text ? ParseInstallLog(*text) : std::nullopt;
  if (!entries) {
    Show(arguments, mtError,
         "The installation log " + arguments.LogPath + " cannot be read. Nothing has been removed.",
         {mbOK});
    return 1;
  }
  if (RunsFromProgramFolder(arguments.LogPath) && ContinueInTemporaryCopy(arguments)) return 0;
  if (!arguments.Automatic &&
      Show(arguments, mtConfirmation, "Remove Zel 95 and all of its components from this computer?",
           {mbYes, mbNo}) != mrYes)
    return 1;

  LeaveProgramFolder();
  // The log goes first, so that it does not keep its folder; it comes back
  // holding what stayed, for another try.
  DeleteFileA(arguments.LogPath.c_str());
  const std::vector<TLogEntry> stayed = UndoInstallation(*entries, kRemovalPatience);
  if (stayed.empty()) return 0;
  WriteFileText(arguments.LogPath, FormatInstallLog(stayed));
  std::string report =
      "Zel 95 has been removed, except for these items, which could not be removed:\r\n";
  for (const TLogEntry& entry : stayed) report += "\r\n" + DescribeEntry(entry);
  Show(arguments, mtError, report, {mbOK});
  return 1;
}
