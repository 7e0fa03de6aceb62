#include "Removal.h"

#include "RegistryPath.h"

#include "fontcommon/Registry.h"

namespace {

bool Gone(const std::string& path) {
  return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) {
  if (Gone(path)) return true;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) || Gone(path);
}

bool RemoveFolder(const std::string& path) {
  return Gone(path) || RemoveDirectoryA(path.c_str()) || Gone(path);
}

bool RemoveValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return !KeyExists(root, path);
  const LONG status = RegDeleteValueA(key, name.empty() ? nullptr : name.c_str());
  RegCloseKey(key);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RestoreValue(HKEY root, const std::string& path, const std::string& name,
                  const std::string& data) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  const LONG status = RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace

bool UndoEntry(const TLogEntry& entry) {
  HKEY root = nullptr;
  std::string key;
  switch (entry.Kind) {
    case TLogKind::File:
      return RemoveFile(entry.Path);
    case TLogKind::Folder:
      return RemoveFolder(entry.Path);
    case TLogKind::Key:
      return SplitKey(entry.Path, root, key) && RegDeleteKeyTree(root, key);
    case TLogKind::Value:
      return SplitKey(entry.Path, root, key) && RemoveValue(root, key, entry.Name);
    case TLogKind::Restore:
      return SplitKey(entry.Path, root, key) && RestoreValue(root, key, entry.Name, entry.Data);
  }
  return false;
}

std::vector<TLogEntry> UndoInstallation(const std::vector<TLogEntry>& entries, DWORD patience) {
  std::vector<TLogEntry> left = entries;
  const DWORD start = GetTickCount();
  for (;;) {
    std::vector<TLogEntry> stayed;
    for (auto entry = left.rbegin(); entry != left.rend(); ++entry) {
      if (!UndoEntry(*entry)) stayed.insert(stayed.begin(), *entry);
    }
    if (stayed.empty() || (stayed.size() == left.size() && GetTickCount() - start >= patience))
      return stayed;
    left = stayed;
    Sleep(200);
  }
}

std::string DescribeEntry(const TLogEntry& entry) {
  switch (entry.Kind) {
    case TLogKind::File:
    case TLogKind::Folder:
    case TLogKind::Key:
      return entry.Path;
    case TLogKind::Value:
    case TLogKind::Restore:
      return entry.Path + ", value " +
             (entry.Name.empty() ? "(Default)" : "\"" + entry.Name + "\"");
  }
  return entry.Path;
}
