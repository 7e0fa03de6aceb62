#include "RegistryPath.h"

namespace {

struct TRoot {
  const char* Name;
  HKEY Key;
};

const TRoot kRoots[] = {
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_USERS", HKEY_USERS},
};

}  // namespace

bool SplitKey(const std::string& key, HKEY& root, std::string& path) {
  const size_t slash = key.find('\\');
  if (slash == std::string::npos || slash + 1 == key.size()) return false;
  for (const TRoot& candidate : kRoots) {
    if (key.compare(0, slash, candidate.Name) == 0) {
      root = candidate.Key;
      path = key.substr(slash + 1);
      return true;
    }
  }
  return false;
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}
