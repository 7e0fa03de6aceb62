// The parts of the test run's Wine prefix the font manager's tests prepare:
// the settings key, the Fonts key and the fonts folder. Written with the
// plain registry calls, apart from the program's own.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

inline constexpr char kSettingsKeyPath[] = "SOFTWARE\\Velmor\\Zel95";
inline constexpr char kFontsKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";

// Descriptions (entry names) and faces of Wine's raster font files.
inline constexpr char kSansSerifVga[] = "MS Sans Serif 8,10,12 (VGA res)";  // sserife.fon
inline constexpr char kSansSerif8514[] = "MS Sans Serif 8,10 (8514 res)";   // sseriff.fon
inline constexpr char kCourierVga[] = "Courier 10 (VGA res)";               // coure.fon

std::string WindowsFolder();  // C:\windows
std::string FontsFolder();    // C:\windows\FONTS
// Where Wine keeps its own font files.
std::string WineFontFile(const std::string& name);

std::optional<std::string> ReadString(HKEY root, const char* key, const std::string& name);
void WriteString(HKEY root, const char* key, const std::string& name, const std::string& value);
void RemoveValue(HKEY root, const char* key, const std::string& name);

struct TKeyValue {
  std::string Name;
  std::string Data;
  bool operator==(const TKeyValue& other) const { return Name == other.Name && Data == other.Data; }
};
// The string values of a key in the registry's enumeration order.
std::vector<TKeyValue> ReadValues(HKEY root, const char* key);

// Puts the Fonts key back as it was when the snapshot was taken.
class FontsKeySnapshot {
 public:
  FontsKeySnapshot();
  ~FontsKeySnapshot();

 private:
  std::vector<TKeyValue> values_;
};

// Removes every ".FON" entry of the Fonts key and registers Wine's two MS Sans
// Serif files by bare name and its Courier file by full path.
void RegisterTestRasterFonts();

bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
