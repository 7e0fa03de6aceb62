#include "FontsKey.h"

#include "fontcommon/Registry.h"

std::string FontEntryName(const std::string& fontName, bool trueType) {
  return trueType ? fontName + " (TrueType)" : fontName;
}

std::string FontFilePath(const std::string& fontsDir, const std::string& fileName) {
  return fileName.find('\\') != std::string::npos ? fileName : fontsDir + "\\" + fileName;
}

std::string ReadFontEntry(const std::string& entryName) {
  std::string fileName;
  RegReadString(HKEY_LOCAL_MACHINE, kFontsKey, entryName, fileName, "");
  return fileName;
}

bool WriteFontEntry(const std::string& entryName, const std::string& fileName) {
  return RegWriteString(HKEY_LOCAL_MACHINE, kFontsKey, entryName, fileName);
}

bool DeleteFontEntry(const std::string& entryName) {
  return RegRemoveValue(HKEY_LOCAL_MACHINE, kFontsKey, entryName);
}
