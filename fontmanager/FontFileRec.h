// One font file found in a folder by the Install New Fonts dialog.
#pragma once

#include <string>

struct TFontFileRec {
  std::string Family;    // TrueType: family name; font resource file: face name of its first font
  std::string FullName;  // TrueType: full name; font resource file: its description
  std::string Path;      // folder with trailing backslash + long file name
  bool TrueType = false;
  // The scan that read the file: an entry of the lists stands for the files
  // of its own scan, whatever folder was read since.
  unsigned Scan = 0;
};
