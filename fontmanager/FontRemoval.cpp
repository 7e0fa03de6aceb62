// The removal of font files: finding them, asking, and moving them to the
// Recycle Bin.
#include "FontRemoval.h"

#include "FontsKey.h"
#include "ProgramErrors.h"

#include "fontcommon/FileHelpers.h"
#include "fontcommon/Messages.h"
#include "platform/system/RecycleBin.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <cctype>
#include <optional>

namespace {

// The shell's answers, and the system's, for a file that is out of reach:
// denied, or held open by another program.
bool IsAccessDenied(int result) {
  return result == ERROR_ACCESS_DENIED || result == ERROR_SHARING_VIOLATION ||
         result == ERROR_LOCK_VIOLATION;
}
// The file did not go to the Recycle Bin, for a reason the shell did not report.
const int kNotMoved = ERROR_GEN_FAILURE;

bool IsUncPath(const std::string& path) {
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

}  // namespace

int MarkRecycleFiles(std::vector<TToDeleteItem>& list) {
  std::array<std::optional<UINT>, 26> driveTypes;
  int recycleCount = 0;
  for (TToDeleteItem& item : list) {
    if (IsUncPath(item.Path)) {
      item.Recycle = false;
      continue;
    }
    const int letter =
        item.Path.empty() ? 0 : std::toupper(static_cast<unsigned char>(item.Path[0]));
    if (letter < 'A' || letter > 'Z') throw ERangeError("Range check error");
    std::optional<UINT>& type = driveTypes[letter - 'A'];
    if (!type) {
      const char root[] = {static_cast<char>(letter), ':', '\\', '\0'};
      type = GetDriveTypeA(root);
    }
    item.Recycle = *type != DRIVE_REMOTE;
    if (item.Recycle) ++recycleCount;
  }
  return recycleCount;
}

namespace {

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Not there at all, rather than there and out of reach.
bool FileIsGone(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

int RecycleFile(const std::string& path) {
  const LONGLONG before = RecycleBinItems(path);
  if (before < 0) return kNotMoved;
  SafetyCopy safety(path);
  if (safety.Error() != 0) return static_cast<int>(safety.Error());
  std::string from = path;
  from.push_back('\0');  // the list of names ends with a second NUL
  SHFILEOPSTRUCTA operation{};
  operation.hwnd = nullptr;
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
  const int result = SHFileOperationA(&operation);
  if (FileExists(path))
    // Some shells report success for a file they could not move.
    return result != 0 ? result : kNotMoved;
  if (result != 0 || RecycleBinItems(path) <= before) {
    safety.Restore();
    return result != 0 ? result : kNotMoved;
  }
  return 0;
}

void RemoveFontEntry(const std::string& entryName, const std::string& fileName, bool recycle,
                     const std::string& path, const TRemovalErrorReport& showError) {
  // The system may know the font by the path it was loaded from (a
  // resource file in the fonts folder) rather than by its registry name.
  std::string loaded = fileName;
  bool unloaded = RemoveFontResourceA(loaded.c_str()) != 0;
  if (!unloaded && path != fileName) {
    loaded = path;
    unloaded = RemoveFontResourceA(loaded.c_str()) != 0;
  }
  // A value whose file is gone can only go; kept, it could never be removed.
  if (FileIsGone(path)) {
    DeleteFontEntry(entryName);
    return;
  }
  // A font the system will not withdraw (one it loaded itself at its start)
  // still loses its file and entry, so that it is gone after a restart.
  auto keep = [&](Msg::Error message) {
    showError(message, path);
    if (unloaded) AddFontResourceA(loaded.c_str());
  };
  if (recycle) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (!SetFileAttributesA(path.c_str(),
                            attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))) {
      keep(Msg::Error::CannotRecycleFile);
      return;
    }
    const int result = RecycleFile(path);
    if (result != 0) {
      keep(IsAccessDenied(result) ? Msg::Error::RecycleAccessDenied
                                  : Msg::Error::CannotRecycleFile);
      return;
    }
  }
  DeleteFontEntry(entryName);
  if (!unloaded) showError(Msg::Error::RemovedButStillLoaded, entryName);
}

bool TFontRemoval::Prepare() {
  bool askAgain = true;
  // Last to first: records appended meanwhile are not visited.
  std::vector<TToDeleteItem>& list = records_;
  for (size_t index = list.size(); index-- > 0;) {
    if (list[index].TrueType) {
      const std::string fileName = ReadFontEntry(FontEntryName(list[index].Name, true));
      if (fileName.empty()) {
        prompts_.ShowError(Msg::Error::FontWithoutEntry, list[index].Name);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
        continue;
      }
      list[index].FileName = fileName;
      list[index].Path = FontFilePath(fontsDir_, fileName);
      continue;
    }
    const std::string face = list[index].Name;
    const int faceIndex = nonTTFFonts_.IndexOf(face);
    if (faceIndex < 0) throw EUnexpected("Fontname not found in non-TTF list: " + face);
    int kept = 0;
    for (const std::string& entry : nonTTFFonts_[faceIndex].Entries) {
      const std::string fileName = ReadFontEntry(entry);
      if (fileName.empty()) {
        if (!askAgain) continue;
        const uint16_t answer = prompts_.AskContinueWithoutEntry(face);
        if (answer == mrNo) return false;
        if (answer == mrAll) askAgain = false;
        continue;
      }
      TToDeleteItem item;
      item.Name = entry;
      item.FileName = fileName;
      item.Path = FontFilePath(fontsDir_, fileName);
      if (++kept == 1)
        list[index] = item;
      else
        list.push_back(item);
    }
    if (kept == 0) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
  }
  if (list.empty()) return false;
  recycleCount_ = MarkRecycleFiles(list);
  return true;
}

bool TFontRemoval::Confirm(int familyCount) {
  return prompts_.ConfirmRemoval(familyCount, recycleCount_);
}

void TFontRemoval::Remove() {
  const TRemovalErrorReport report = [this](Msg::Error number, const std::string& text) {
    prompts_.ShowError(number, text);
  };
  for (const TToDeleteItem& item : records_)
    RemoveFontEntry(FontEntryName(item.Name, item.TrueType), item.FileName, item.Recycle, item.Path,
                    report);
}
