#include "fontcommon/FileHelpers.h"

#include "platform/forms/KernelHandle.h"

#include <windows.h>

#include <new>

int CountFiles(const std::string& folder, const std::string& pattern, uint16_t attributes) {
  std::string search = folder;
  if (search.empty() || search.back() != '\\') search += '\\';
  search += pattern;
  WIN32_FIND_DATAA entry;
  const FileSearchHandle find(FindFirstFileA(search.c_str(), &entry));
  if (!find.Valid()) return 0;
  int count = 0;
  do {
    if ((entry.dwFileAttributes & ~static_cast<DWORD>(attributes) & 0xFFFF) == 0) ++count;
  } while (FindNextFileA(find.Get(), &entry));
  return count;
}

std::string GetShortPath(const std::string& path) {
  char shortPath[261];
  DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
  if (length == 0 || length >= sizeof shortPath) return path;
  return std::string(shortPath, length);
}

bool CanDelete(const std::string& path) {
  const KernelHandle file(
      CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

SafetyCopy::SafetyCopy(const std::string& path) : path_(path) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    error_ = GetLastError();
    return;
  }
  DWORD high = 0;
  const DWORD low = GetFileSize(file.Get(), &high);
  if (high != 0 || low == INVALID_FILE_SIZE) {
    error_ = ERROR_NOT_ENOUGH_MEMORY;
    return;
  }
  try {
    bytes_.resize(low);
  } catch (const std::bad_alloc&) {
    error_ = ERROR_NOT_ENOUGH_MEMORY;
    return;
  }
  DWORD read = 0;
  if (low != 0 && (!ReadFile(file.Get(), bytes_.data(), low, &read, nullptr) || read != low))
    error_ = ERROR_READ_FAULT;
}

void SafetyCopy::Restore() {
  bool whole;
  {
    KernelHandle file(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return;
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes_.size());
    whole = size == 0 ||
            (WriteFile(file.Get(), bytes_.data(), size, &written, nullptr) && written == size);
  }
  if (!whole) DeleteFileA(path_.c_str());
}
