#include "InstallRecorder.h"

#include "RegistryPath.h"

#include <windows.h>

#include <sstream>

namespace {

// The text of a quoted .reg string starting at `p` (on the opening quote);
// `p` ends behind the closing quote.
std::string QuotedText(const std::string& line, size_t& p) {
  std::string text;
  for (++p; p < line.size() && line[p] != '"'; ++p) {
    if (line[p] == '\\' && p + 1 < line.size()) ++p;
    text += line[p];
  }
  ++p;
  return text;
}

bool AlreadyCovered(const std::vector<TLogEntry>& entries, const std::string& key) {
  for (const TLogEntry& entry : entries) {
    if (entry.Kind == TLogKind::Key &&
        (key == entry.Path || key.compare(0, entry.Path.size() + 1, entry.Path + "\\") == 0))
      return true;
  }
  return false;
}

// The first key on the way from the root to `key` that does not exist; ""
// when all do.
std::string TopmostMissing(const std::string& key) {
  HKEY root;
  std::string path;
  if (!SplitKey(key, root, path)) return "";
  for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    if (!KeyExists(root, path.substr(0, end)))
      return key.substr(0,
                        key.size() - path.size() + (end == std::string::npos ? path.size() : end));
    if (end == std::string::npos) return "";
  }
}

// The string data of a value; false when it is missing. `isString` false for
// a value of another kind.
bool ReadValue(const std::string& key, const std::string& name, bool& isString, std::string& data) {
  HKEY root;
  std::string path;
  HKEY handle;
  if (!SplitKey(key, root, path) ||
      RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  DWORD size = 0;
  const char* valueName = name.empty() ? nullptr : name.c_str();
  bool found = RegQueryValueExA(handle, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  isString = found && type == REG_SZ;
  if (isString) {
    std::string bytes(size + 1, '\0');
    found = RegQueryValueExA(handle, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                             &size) == ERROR_SUCCESS;
    data = bytes.c_str();
  }
  RegCloseKey(handle);
  return found;
}

bool FitsOnALine(const std::string& text) {
  return text.find_first_of("\t\r\n") == std::string::npos;
}

}  // namespace

std::vector<TRegFileKey> ParseRegFile(const std::string& text) {
  std::vector<TRegFileKey> keys;
  std::istringstream in(text);
  std::string line;
  bool inKey = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inKey = line.size() > 2 && line[1] != '-' && line.back() == ']';
      if (inKey) keys.push_back(TRegFileKey{line.substr(1, line.size() - 2), {}});
      continue;
    }
    if (!inKey || line.empty() || (line.front() != '"' && line.front() != '@')) continue;
    size_t p = 0;
    std::string name;
    if (line.front() == '@')
      p = 1;
    else
      name = QuotedText(line, p);
    if (p >= line.size() || line[p] != '=' || p + 1 >= line.size() || line[p + 1] == '-') continue;
    keys.back().Values.push_back(TRegFileValue{keys.back().Key, name, line[p + 1] == '"'});
  }
  return keys;
}

std::vector<TLogEntry> RecordRegistryChanges(const std::vector<TRegFileKey>& keys) {
  std::vector<TLogEntry> entries;
  for (const TRegFileKey& key : keys) {
    if (AlreadyCovered(entries, key.Key)) continue;
    const std::string missing = TopmostMissing(key.Key);
    if (!missing.empty()) {
      entries.push_back(TLogEntry{TLogKind::Key, missing, "", ""});
      continue;
    }
    for (const TRegFileValue& value : key.Values) {
      bool isString = false;
      std::string data;
      const bool found = ReadValue(key.Key, value.Name, isString, data);
      if (!found)
        entries.push_back(TLogEntry{TLogKind::Value, key.Key, value.Name, ""});
      else if (isString && FitsOnALine(data))
        entries.push_back(TLogEntry{TLogKind::Restore, key.Key, value.Name, data});
      // A value of another kind that was there stays as the import leaves it.
    }
  }
  return entries;
}
