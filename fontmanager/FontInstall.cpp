// What OK of the Install New Fonts dialog does, apart from the dialog.
#include "FontInstall.h"

#include "FontsKey.h"

#include "fontcommon/FileHelpers.h"
#include "fontcore/MessageBoxLook.h"
#include "platform/system/ReplaceFile.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

size_t NameStart(const std::string& path) {
  const size_t separator = path.find_last_of("\\:");
  return separator == std::string::npos ? 0 : separator + 1;
}

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string WithExtension(const std::string& path, const std::string& extension) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < NameStart(path)) return path + extension;
  return path.substr(0, dot) + extension;
}

bool SameFolder(const std::string& a, const std::string& b) {
  char fullA[MAX_PATH] = "";
  char fullB[MAX_PATH] = "";
  if (!GetFullPathNameA(a.c_str(), sizeof fullA, fullA, nullptr) ||
      !GetFullPathNameA(b.c_str(), sizeof fullB, fullB, nullptr))
    return false;
  return lstrcmpiA(fullA, fullB) == 0;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TFontInstallation::TCopyOutcome TFontInstallation::CopyInto(const TFontFileRec& record,
                                                            const std::string& target) {
  const bool exists = FileExists(target);
  if (exists) {
    if (!overwriteAll_) {
      const uint16_t answer = prompts_.AskOverwrite(target);
      if (answer == mrNo) return TCopyOutcome::Skipped;
      if (answer == mrAll) overwriteAll_ = true;
    }
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (!SetFileAttributesA(target.c_str(),
                            attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) ||
        !CanDelete(target)) {
      prompts_.ShowError(Msg::Error::CannotReplaceFile, target);
      return TCopyOutcome::Stop;
    }
  }
  std::string temporary;
  // "ZEL" marks the leftovers as the font manager's.
  if (!CopyToTemporary(record.Path, fontsFolder_, "ZEL", temporary)) {
    prompts_.ShowError(Msg::Error::CannotCopyFile, record.Path);
    return TCopyOutcome::Skipped;
  }
  if (!(exists ? MoveFileReplacing(temporary, target)
               : MoveFileA(temporary.c_str(), target.c_str()))) {
    DeleteFileA(temporary.c_str());
    if (exists) {
      prompts_.ShowError(Msg::Error::CannotReplaceFile, target);
      return TCopyOutcome::Stop;
    }
    prompts_.ShowError(Msg::Error::CannotCopyFile, record.Path);
    return TCopyOutcome::Skipped;
  }
  return TCopyOutcome::Copied;
}

bool TFontInstallation::Install(const std::vector<TInstallEntry>& entries) {
  std::vector<std::string> reportedFamilies;
  // A family listed twice (TrueType and not) stands twice for all its
  // files; each is worked once.
  std::vector<const TFontFileRec*> worked;
  done_.clear();
  overwriteAll_ = false;

  for (int entryIndex = static_cast<int>(entries.size()) - 1; entryIndex >= 0; --entryIndex) {
    const std::string& entry = entries[entryIndex].Text;
    const TFontFileRec* listed = entries[entryIndex].Listed;
    if (!listed) {
      prompts_.ShowError(Msg::Error::CannotCopyFile, entry);
      continue;
    }
    bool allDone = true;
    // The files of the scan that listed the entry, not of the folder shown now.
    for (const auto& owned : records_) {
      const TFontFileRec& record = *owned;
      if (record.Scan != listed->Scan) continue;
      if (!(familyMode_ ? record.Family == entry : record.FullName == entry)) continue;
      if (std::find(worked.begin(), worked.end(), &record) != worked.end()) continue;
      worked.push_back(&record);

      const std::string valueName = FontEntryName(record.FullName, record.TrueType);
      if (!ReadFontEntry(valueName).empty()) {
        const std::string& shown = familyMode_ ? record.Family : record.FullName;
        const bool reported =
            familyMode_ && std::any_of(reportedFamilies.begin(), reportedFamilies.end(),
                                       [&](const std::string& family) {
                                         return lstrcmpiA(family.c_str(), shown.c_str()) == 0;
                                       });
        if (!reported) {
          if (familyMode_) reportedFamilies.push_back(record.Family);
          prompts_.ShowError(Msg::Error::AlreadyInstalled, shown);
        }
        continue;
      }

      // A file that lies in the fonts folder already is installed where it is.
      const bool inFontsFolder = SameFolder(FolderPart(record.Path), fontsFolder_);
      std::string file = record.Path;
      // Copying reports a missing source itself.
      if ((!copy_ || inFontsFolder) && !FileExists(record.Path)) {
        prompts_.ShowError(Msg::Error::CannotCopyFile, record.Path);
        allDone = false;
        continue;
      }
      if (copy_ && !inFontsFolder) {
        file = fontsFolder_ + FileNamePart(record.Path);
        const TCopyOutcome outcome = CopyInto(record, file);
        if (outcome == TCopyOutcome::Stop) return false;
        if (outcome == TCopyOutcome::Skipped) {
          allDone = false;
          continue;
        }
      }

      // The system loads the font from where its resource file says it is;
      // a name relative to the font's own folder would be looked for in
      // the fonts folder, so the resource names the whole path.
      std::string loaded;
      if (network_ && !copy_ && record.TrueType) {
        const std::string fot = fontsFolder_ + WithExtension(FileNamePart(file), ".FOT");
        if (!CreateScalableFontResourceA(0, fot.c_str(), record.Path.c_str(), nullptr)) {
          prompts_.ShowError(Msg::Error::CannotInstallFontFile, FileNamePart(file));
          allDone = false;
          continue;
        }
        file = WithExtension(FileNamePart(record.Path), ".FOT");
        loaded = fot;
      }

      const std::string copied = copy_ && !inFontsFolder ? file : "";
      const std::string data = UpperCase(copy_ ? FileNamePart(record.Path) : file);
      if (copy_) file = FileNamePart(file);
      const bool madeFot = !loaded.empty();
      if (!madeFot) loaded = file;
      // Registered only once loaded: a font the system refuses leaves
      // nothing behind that would stop a later attempt.
      if (!AddFontResourceA(loaded.c_str())) {
        if (!copied.empty()) DeleteFileA(copied.c_str());
        if (madeFot) DeleteFileA(loaded.c_str());
        prompts_.ShowError(Msg::Error::CannotInstallFontFile, file);
        allDone = false;
        continue;
      }
      WriteFontEntry(valueName, data);
    }
    if (allDone) done_.push_back(entryIndex);
  }
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  return true;
}
