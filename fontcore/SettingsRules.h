// The user settings as the registry keeps them: a decimal text per value, read
// back with a default for a missing value and for a number out of range.
#pragma once

#include <string>

inline constexpr char kSettingsKey[] = "SOFTWARE\\Velmor\\Zel95";
// Written by the installation; the applet finds the program through it.
inline constexpr char kInstallKey[] = "SOFTWARE\\Velmor\\Zel95\\CurrentVersion";
inline constexpr char kAppDirValue[] = "AppDir";

struct TSettingRule {
  const char* ValueName;
  const char* DefaultText;  // read when the value is missing
  int Lo;
  int Hi;
  int Default;          // for a number outside Lo..Hi
  bool EmptyIsDefault;  // an empty text gives Default instead of an error
};

// Bit 0: toolbar shown; bit 1: status bar shown.
inline constexpr TSettingRule kAppToolsRule{"AppTools", "", 0, 3, 3, true};
// Point size of the samples in the font list.
inline constexpr TSettingRule kSampleSizeRule{"SampleSize", "12", 6, 72, 12, false};
// 1: only TrueType fonts are listed.
inline constexpr TSettingRule kTTFOnlyRule{"TTFOnly", "1", 0, 1, 1, false};

// The setting's number from the text the registry gave: trimmed, converted
// with StrToInt (so a text that is no number raises EConvertError), and the
// default when out of range.
int SettingFromText(const TSettingRule& rule, const std::string& text);
