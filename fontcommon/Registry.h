// Registry access, one call each. Every call opens its key with full access,
// creating the key and the path to it when missing, does its one operation and
// closes the key: so even a read leaves the key behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Value := the string value ValueName when the key holds one, else Default.
// A value of another type than a string counts as missing.
void RegReadString(HKEY rootKey, const std::string& keyPath, const std::string& valueName,
                   std::string& value, const std::string& defaultValue);

// Writes a string value; false when the key or the value cannot be written.
bool RegWriteString(HKEY rootKey, const std::string& keyPath, const std::string& valueName,
                    const std::string& value);

// Deletes a value; true on success.
bool RegRemoveValue(HKEY rootKey, const std::string& keyPath, const std::string& valueName);

struct TRegValue {
  std::string Name;
  std::string Data;  // empty for a value that is not a string
};

// List := one entry per value of the key, in the order the registry
// enumerates them.
void RegReadValues(HKEY rootKey, const std::string& keyPath, std::vector<TRegValue>& list);

// Deletes a key with all its subkeys and values (the system's own key deletion
// takes no subkeys along); true when the key is gone afterwards, also when it
// did not exist.
bool RegDeleteKeyTree(HKEY rootKey, const std::string& keyPath);
