// The system's Fonts registry key: one string value per installed font file,
// named after the font, holding a bare file name (in the fonts folder) or a path.
#pragma once

#include <string>

inline constexpr char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";

// The entry a font is registered under: its name, and after a TrueType
// font's name " (TrueType)".
std::string FontEntryName(const std::string& fontName, bool trueType);

// Where the file an entry names lies: a bare file name is in `fontsDir`.
std::string FontFilePath(const std::string& fontsDir, const std::string& fileName);

// The file of an entry, "" when there is none.
std::string ReadFontEntry(const std::string& entryName);
bool WriteFontEntry(const std::string& entryName, const std::string& fileName);
bool DeleteFontEntry(const std::string& entryName);
