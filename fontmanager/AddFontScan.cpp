// Reading the font files of the current folder into the available list.
#include "AddFontDialog.h"

#include "ProgressDialog.h"
#include "ProgramErrors.h"

#include "fontcommon/FileHelpers.h"
#include "fontcore/FontReaders.h"
#include "platform/forms/Application.h"
#include "platform/forms/KernelHandle.h"
#include "platform/forms/ScreenCursor.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Read-only, hidden, archive, normal and compressed files; no folders,
// system or temporary files.
const uint16_t kCountedAttributes = 0x8A3;
const int kProgressThreshold = 20;
const DWORD kProgressShownAtLeast = 2000;

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The long names of the entries of `pattern`, in the file system's order.
std::vector<std::string> MatchingFiles(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  const FileSearchHandle find(FindFirstFileA(pattern.c_str(), &entry));
  if (!find.Valid()) return names;
  do names.push_back(entry.cFileName);
  while (FindNextFileA(find.Get(), &entry));
  return names;
}

// The progress dialog of one scan: shown or not, ended exactly once. While
// the scan runs the arrow stands over it (and its Cancel), and the hourglass
// of the rescan comes back when it ends.
class ScanProgress {
 public:
  ScanProgress(TForm& owner, bool shown) : shown_(shown) {
    dialog_.Create(&owner);
    if (shown_) {
      StartProgress(dialog_, "", "Reading font files...");
      start_ = GetTickCount();
    }
    SetScreenCursor(TCursor::Default);
  }
  ~ScanProgress() { End(); }
  ScanProgress(const ScanProgress&) = delete;
  ScanProgress& operator=(const ScanProgress&) = delete;

  // False when Cancel was pressed.
  bool Update(int percent, const std::string& name) {
    if (!shown_) return true;
    UpdateProgress(dialog_, std::min(percent, 100), name);
    return !ProgressCancelled();
  }

  // Keeps the dialog up for its least time, then ends it.
  void Finish() {
    while (shown_ && GetTickCount() - start_ < kProgressShownAtLeast) {
      Application.ProcessMessages();
      Sleep(10);
    }
    End();
  }

 private:
  void End() {
    if (ended_) return;
    ended_ = true;
    EndProgress(dialog_);
    SetScreenCursor(TCursor::HourGlass);
  }

  TDlgProgress dialog_;
  bool shown_;
  bool ended_ = false;
  DWORD start_ = 0;
};

}  // namespace

void TdlgAddFont::WithdrawTempFont() {
  if (FTempFont.empty()) return;
  RemoveFontResourceA(FTempFont.c_str());
  FTempFont.clear();
}

void TdlgAddFont::ReleaseTempFont() {
  if (FTempFont.empty()) return;
  WithdrawTempFont();
  memSample.Clear();
}

void TdlgAddFont::FreeUnusedRecords() {
  // A family entry stands for every file of its family in its scan, so
  // whole scans are kept.
  std::vector<unsigned> used;
  for (TListBox* list : {&lbAvailableFonts, &lbSelectedFonts})
    for (int i = 0; i < list->Count(); ++i)
      if (const auto* record = static_cast<const TFontFileRec*>(list->Object(i)))
        used.push_back(record->Scan);
  for (const auto& entry : FFontFiles) used.push_back(entry.second->Scan);
  records_.erase(std::remove_if(records_.begin(), records_.end(),
                                [&](const std::unique_ptr<TFontFileRec>& record) {
                                  return std::find(used.begin(), used.end(), record->Scan) ==
                                         used.end();
                                }),
                 records_.end());
}

void TdlgAddFont::Rescan() {
  TWaitCursor wait;
  ReleaseTempFont();
  for (TButton* button : {&pbSelect, &pbSelectAll, &pbDeselect, &pbDeselectAll, &pbFullSample})
    button->SetEnabled(false);
  ReleaseTempFont();
  FFontFiles.clear();
  lbAvailableFonts.Clear();
  // The selected list keeps its entries, and so their records.
  FreeUnusedRecords();
  if (ScanFolder(lbFolders.Directory())) {
    FillAvailableList();
    pbSelectAll.SetEnabled(lbAvailableFonts.Count() > 0);
  }
}

bool TdlgAddFont::ScanFolder(const std::string& folder) {
  int count = CountFiles(folder, "*.TTF", kCountedAttributes);
  if (!cbTT.Checked()) count += CountFiles(folder, "*.FON", kCountedAttributes);
  if (count > 0xFFFF) throw ERangeError("Range check error");
  FFontCount = static_cast<uint16_t>(count);
  if (FFontCount == 0) return false;

  const bool removable = GetDriveTypeA(DriveRoot().c_str()) == DRIVE_REMOVABLE;
  ScanProgress progress(*this, FFontCount > kProgressThreshold || removable);
  std::string prefix = folder;
  if (prefix.empty() || prefix.back() != '\\') prefix += '\\';

  // A cancelled scan lists nothing.
  auto Cancelled = [this] {
    FFontFiles.clear();
    return false;
  };
  uint16_t counter = 0;
  const unsigned scan = ++scans_;
  try {
    for (const std::string& name : MatchingFiles(prefix + "*.TTF")) {
      ++counter;
      if (!progress.Update(counter * 100 / FFontCount, name)) return Cancelled();
      std::string family;
      std::string fullName;
      if (ReadTrueTypeNames(prefix + name, family, fullName) != frOK) continue;
      records_.push_back(std::make_unique<TFontFileRec>(
          TFontFileRec{family, RemoveNulls(fullName), prefix + name, true, scan}));
      FFontFiles.emplace_back(records_.back()->FullName, records_.back().get());
    }
    if (!cbTT.Checked()) {
      const std::string shortFolder = GetShortPath(prefix);
      for (const std::string& name : MatchingFiles(prefix + "*.FON")) {
        ++counter;
        if (!progress.Update(counter * 100 / FFontCount, name)) return Cancelled();
        std::string description;
        std::string faceName;
        bool scalable = false;
        if (ReadFonNames(shortFolder + name, description, faceName, scalable) != frOK) continue;
        records_.push_back(std::make_unique<TFontFileRec>(
            TFontFileRec{faceName, description, prefix + name, false, scan}));
        FFontFiles.emplace_back(description, records_.back().get());
      }
    }
  } catch (...) {
    // A scan that fails lists nothing.
    FFontFiles.clear();
    throw;
  }
  progress.Finish();
  return true;
}

void TdlgAddFont::FillAvailableList() {
  lbAvailableFonts.Clear();
  for (const auto& entry : FFontFiles) {
    TFontFileRec* record = entry.second;
    if (rbFullName.Checked()) {
      lbAvailableFonts.AddItem(record->FullName, record);
      continue;
    }
    int existing = -1;
    for (int i = 0; i < lbAvailableFonts.Count() && existing < 0; ++i)
      if (SameTextIgnoringCase(lbAvailableFonts.Text(i), record->Family)) existing = i;
    if (existing < 0) {
      lbAvailableFonts.AddItem(record->Family, record);
      continue;
    }
    const auto* other = static_cast<const TFontFileRec*>(lbAvailableFonts.Object(existing));
    if (other->FullName.find("Bold") != std::string::npos ||
        other->FullName.find("Italic") != std::string::npos) {
      // The family is represented by a regular face when there is one.
      lbAvailableFonts.Delete(existing);
      lbAvailableFonts.AddItem(record->Family, record);
    } else if (other->TrueType != record->TrueType) {
      lbAvailableFonts.AddItem(record->Family, record);
    }
  }
}
