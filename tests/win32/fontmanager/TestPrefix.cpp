#include "TestPrefix.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

std::string WindowsFolder() {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, sizeof folder);
  return folder;
}

std::string FontsFolder() { return WindowsFolder() + "\\FONTS"; }

std::string WineFontFile(const std::string& name) { return "Z:\\usr\\share\\wine\\fonts\\" + name; }

std::optional<std::string> ReadString(HKEY root, const char* key, const std::string& name) {
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  char data[1024];
  DWORD size = sizeof data;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(data, size && data[size - 1] == 0 ? size - 1 : size);
}

void WriteString(HKEY root, const char* key, const std::string& name, const std::string& value) {
  HKEY handle;
  RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

void RemoveValue(HKEY root, const char* key, const std::string& name) {
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle, name.c_str());
  RegCloseKey(handle);
}

std::vector<TKeyValue> ReadValues(HKEY root, const char* key) {
  std::vector<TKeyValue> values;
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return values;
  for (DWORD index = 0;; ++index) {
    char name[512];
    DWORD nameSize = sizeof name;
    BYTE data[1024];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    if (RegEnumValueA(handle, index, name, &nameSize, nullptr, &type, data, &dataSize) !=
        ERROR_SUCCESS)
      break;
    std::string text;
    if (type == REG_SZ)
      text.assign(reinterpret_cast<char*>(data),
                  dataSize && data[dataSize - 1] == 0 ? dataSize - 1 : dataSize);
    values.push_back(TKeyValue{name, text});
  }
  RegCloseKey(handle);
  return values;
}

FontsKeySnapshot::FontsKeySnapshot() : values_(ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath)) {}

FontsKeySnapshot::~FontsKeySnapshot() {
  for (const TKeyValue& value : ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath))
    RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, value.Name);
  for (const TKeyValue& value : values_)
    WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, value.Name, value.Data);
}

void RegisterTestRasterFonts() {
  for (const TKeyValue& value : ReadValues(HKEY_LOCAL_MACHINE, kFontsKeyPath)) {
    std::string upper = value.Data;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper.find(".FON") != std::string::npos)
      RemoveValue(HKEY_LOCAL_MACHINE, kFontsKeyPath, value.Name);
  }
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kSansSerifVga, "sserife.fon");
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kCourierVga, WineFontFile("coure.fon"));
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, kSansSerif8514, "sseriff.fon");
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
