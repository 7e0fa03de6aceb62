// What the installation's registry file is about to change, as Install.Log
// entries that undo it: run before the file is imported.
#pragma once

#include "InstallLog.h"

#include <string>
#include <vector>

// One value of a registry file. `IsString`: a string value ("name"="data" or
// @="data"); other kinds (dword:, hex:) are written as they come.
struct TRegFileValue {
  std::string Key;
  std::string Name;  // "" for the default value
  bool IsString;
};

// A key of a registry file with the values written under it.
struct TRegFileKey {
  std::string Key;
  std::vector<TRegFileValue> Values;
};

// The keys a REGEDIT4 file writes, in its order. Lines that delete ([-KEY],
// "name"=-) or continue a value are not writes and are passed over.
std::vector<TRegFileKey> ParseRegFile(const std::string& text);

// The entries that undo importing `keys` into the registry as it is now: the
// topmost missing key of each path; for keys that exist, each added value and
// each replaced string value with its data.
std::vector<TLogEntry> RecordRegistryChanges(const std::vector<TRegFileKey>& keys);
