// Direct registry access for the tests, independent of the code under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Deletes the key with everything below it; true when it is gone.
bool DeleteKeyTree(HKEY root, const std::string& path);
bool KeyExists(HKEY root, const std::string& path);
// The value names as the registry enumerates them.
std::vector<std::string> ValueNames(HKEY root, const std::string& path);
// Number of values the key holds; -1 when it does not exist.
int ValueCount(HKEY root, const std::string& path);
void SetRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 const void* data, DWORD size);
void SetStringValue(HKEY root, const std::string& path, const std::string& name,
                    const std::string& text);
// The value's type and data as stored, or type REG_NONE when missing.
struct RawValue {
  DWORD type = REG_NONE;
  std::string data;
};
RawValue GetRawValue(HKEY root, const std::string& path, const std::string& name);
