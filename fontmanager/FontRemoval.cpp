// The main window's Delete command and the removal of one font file.
#include "FontRemoval.h"

#include "ConfirmRemovalDialog.h"
#include "FontsKey.h"
#include "MainForm.h"
#include "ProgramErrors.h"

#include "fontcommon/FileHelpers.h"
#include "fontcommon/Messages.h"
#include "platform/forms/ErrorBeep.h"
#include "platform/forms/ScreenCursor.h"
#include "platform/system/RecycleBin.h"

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

// Holds the catalogue's rebuilds while a removal walks its records, which a
// font change announced under one of the removal's questions would free.
// Ends a removal whatever way it goes: the records go, the list has no
// current row, Delete waits for the next click into the list, and a rebuild
// asked for meanwhile follows.
class RemovalCleanup {
 public:
  explicit RemovalCleanup(TfrmZel95& form) : form_(form) { form_.HoldRebuilds(); }
  ~RemovalCleanup() {
    form_.FCatalogue.FToDelete.reset();
    form_.lbFonts.SetItemIndex(-1);
    form_.mnuFontRemove.SetEnabled(false);
    form_.ReleaseRebuilds();
  }
  RemovalCleanup(const RemovalCleanup&) = delete;
  RemovalCleanup& operator=(const RemovalCleanup&) = delete;

 private:
  TfrmZel95& form_;
};

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
                     const std::string& path) {
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
    ShowErrorMessage(message, path);
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
  if (!unloaded) ShowErrorMessage(Msg::Error::RemovedButStillLoaded, entryName);
}

void TfrmZel95::sbRemoveClick() {
  if (CountSelected() == 0) {
    SoundErrorBeep();
    return;
  }
  FCatalogue.FToDelete = std::make_unique<std::vector<TToDeleteItem>>();
  RemovalCleanup cleanup(*this);
  int recycleCount;
  {
    TWaitCursor wait;
    if (!CollectFontsToDelete() || FCatalogue.FToDelete->empty()) return;
    recycleCount = MarkRecycleFiles(*FCatalogue.FToDelete);
  }
  int answer;
  {
    TDlgConfirmRemoval dialog;
    dialog.Create(this);
    answer = ShowConfirmRemoval(dialog, CountSelected(), recycleCount);
  }
  if (answer != mrYes) return;

  TWaitCursor wait;
  for (const TToDeleteItem& item : *FCatalogue.FToDelete)
    RemoveFontEntry(FontEntryName(item.Name, item.TrueType), item.FileName, item.Recycle,
                    item.Path);
  ReleaseRebuilds(true);
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  RefreshFontList();
}

bool TfrmZel95::CollectFontsToDelete() {
  bool askAgain = true;
  // Collect: one record per TrueType style, one per other family.
  for (int row = 0; row < lbFonts.Count(); ++row) {
    if (lbFonts.Selected(row)) FCatalogue.CollectToDelete(Handle(), lbFonts.Text(row));
  }

  // Resolve, last to first: records appended meanwhile are not visited.
  std::vector<TToDeleteItem>& list = *FCatalogue.FToDelete;
  const TNonTTFFonts& nonTTFFonts = FCatalogue.FNonTTFFonts;
  for (size_t index = list.size(); index-- > 0;) {
    if (list[index].TrueType) {
      const std::string fileName = ReadFontEntry(FontEntryName(list[index].Name, true));
      if (fileName.empty()) {
        ShowErrorMessage(Msg::Error::FontWithoutEntry, list[index].Name);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
        continue;
      }
      list[index].FileName = fileName;
      list[index].Path =
          fileName.find('\\') != std::string::npos ? fileName : FFontsDir + "\\" + fileName;
      continue;
    }
    const std::string face = list[index].Name;
    const int faceIndex = nonTTFFonts.IndexOf(face);
    if (faceIndex < 0) throw EUnexpected("Fontname not found in non-TTF list: " + face);
    int kept = 0;
    for (const std::string& entry : nonTTFFonts[faceIndex].Entries) {
      const std::string fileName = ReadFontEntry(entry);
      if (fileName.empty()) {
        if (!askAgain) continue;
        const uint16_t answer =
            AskVerifyMessage(Msg::Verify::ContinueWithoutEntry, face, "", {mbYes, mbNo, mbAll});
        if (answer == mrNo) return false;
        if (answer == mrAll) askAgain = false;
        continue;
      }
      TToDeleteItem item;
      item.Name = entry;
      item.FileName = fileName;
      item.Path = fileName.find('\\') != std::string::npos ? fileName : FFontsDir + "\\" + fileName;
      if (++kept == 1)
        list[index] = item;
      else
        list.push_back(item);
    }
    if (kept == 0) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
  }
  return true;
}
