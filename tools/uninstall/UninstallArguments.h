// The uninstaller's command line: PROGRAM [/A] LOG ["TITLE"]. /A removes
// without asking first. The font manager writes the program and the log
// path without quotes although the program folder usually holds a blank, so
// the arguments are taken apart by their places, not split at blanks: the
// program ends with ".exe", the title is the quoted text at the end, the log
// is everything between.
#pragma once

#include <string>

inline constexpr char kDefaultUninstallTitle[] = "Remove Zel 95";

struct TUninstallArguments {
  bool Automatic = false;
  std::string LogPath;  // "" when none was given
  std::string Title = kDefaultUninstallTitle;
};

// `commandLine`: the whole command line, program name included.
TUninstallArguments ParseUninstallArguments(const std::string& commandLine);
