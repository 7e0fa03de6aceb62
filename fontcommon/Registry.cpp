#include "fontcommon/Registry.h"

#include <algorithm>

namespace {

class OpenedKey {
 public:
  OpenedKey(HKEY root, const std::string& path) {
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~OpenedKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  HKEY Handle() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The string data of a value, up to its first NUL (the stored data need not
// end with one). False when the value is missing or not a string.
bool QueryString(HKEY key, const char* name, std::string& text) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::string data;
  LONG status;
  do {  // again when the value grew between the two queries
    data.assign(size + 1, '\0');
    status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
  } while (status == ERROR_MORE_DATA);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  data.resize(size);
  text.assign(data.c_str());
  return true;
}

}  // namespace

void RegReadString(HKEY rootKey, const std::string& keyPath, const std::string& valueName,
                   std::string& value, const std::string& defaultValue) {
  OpenedKey key(rootKey, keyPath);
  if (!key.Handle() || !QueryString(key.Handle(), valueName.c_str(), value)) value = defaultValue;
}

bool RegWriteString(HKEY rootKey, const std::string& keyPath, const std::string& valueName,
                    const std::string& value) {
  OpenedKey key(rootKey, keyPath);
  return key.Handle() && RegSetValueExA(key.Handle(), valueName.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegRemoveValue(HKEY rootKey, const std::string& keyPath, const std::string& valueName) {
  OpenedKey key(rootKey, keyPath);
  return key.Handle() && RegDeleteValueA(key.Handle(), valueName.c_str()) == ERROR_SUCCESS;
}

void RegReadValues(HKEY rootKey, const std::string& keyPath, std::vector<TRegValue>& list) {
  list.clear();
  OpenedKey key(rootKey, keyPath);
  if (!key.Handle()) return;
  DWORD longestName = 0;
  DWORD longestData = 0;
  if (RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return;

  // Name and data in one call a value: each call is a trip to the registry.
  std::vector<char> name(longestName + 1);
  std::vector<char> data(longestData + 1);
  DWORD index = 0;
  for (;;) {
    DWORD length = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG status = RegEnumValueA(key.Handle(), index, name.data(), &length, nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) {  // a longer value was added meanwhile
      name.resize(name.size() * 2 + 256);
      data.resize(std::max<size_t>(data.size() * 2, size + 1u));
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    TRegValue value{std::string(name.data(), length), std::string()};
    // String data up to its first NUL (the stored data need not end with one).
    if (type == REG_SZ || type == REG_EXPAND_SZ)
      value.Data.assign(data.data(), std::find(data.data(), data.data() + size, '\0'));
    list.push_back(std::move(value));
    ++index;
  }
}

bool RegDeleteKeyTree(HKEY rootKey, const std::string& keyPath) {
  HKEY key;
  LONG status = RegOpenKeyExA(rootKey, keyPath.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) return false;
  std::vector<std::string> children;
  char name[256];
  DWORD length = sizeof name;
  for (DWORD index = 0; RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
       ++index, length = sizeof name)
    children.push_back(name);
  RegCloseKey(key);
  for (const std::string& child : children) RegDeleteKeyTree(rootKey, keyPath + "\\" + child);
  status = RegDeleteKeyA(rootKey, keyPath.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
