// What OK of the Install New Fonts dialog does: copy the chosen font files
// into the fonts folder (or leave them where they are), register them in the
// Fonts key and make them available at once.
#include "AddFontDialog.h"

#include "FontsKey.h"

#include "fontcommon/FileHelpers.h"
#include "fontcommon/Messages.h"
#include "platform/forms/ScreenCursor.h"
#include "platform/system/ReplaceFile.h"

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

enum class TCopyOutcome { Copied, Skipped, Stop };

}  // namespace

void TdlgAddFont::pbOKClick() {
  // Enter reaches the default button even while it is disabled.
  if (!pbOK.Enabled()) return;
  TWaitCursor wait;
  InstallSelected();
}

void TdlgAddFont::InstallSelected() {
  const bool network = GetDriveTypeA(DriveRoot().c_str()) == DRIVE_REMOTE;
  ReleaseTempFont();
  std::vector<std::string> reportedFamilies;
  // A family listed twice (TrueType and not) stands twice for all its
  // files; each is worked once.
  std::vector<const TFontFileRec*> worked;
  bool overwriteAll = false;
  const std::string fontsFolder = FWinDir + "\\FONTS\\";
  const bool copy = cbCopy.Checked();
  const bool familyMode = rbFamily.Checked();

  // Copies the file of `record` to `target`, replacing an older file only
  // once the new one is complete, so that a failure loses neither.
  auto copyFile = [&](const TFontFileRec& record, const std::string& target) {
    const bool exists = FileExists(target);
    if (exists) {
      if (!overwriteAll) {
        const uint16_t answer =
            AskVerifyMessage(Msg::Verify::OverwriteFile, target, "", {mbYes, mbNo, mbAll});
        if (answer == mrNo) return TCopyOutcome::Skipped;
        if (answer == mrAll) overwriteAll = true;
      }
      const DWORD attributes = GetFileAttributesA(target.c_str());
      if (!SetFileAttributesA(target.c_str(),
                              attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) ||
          !CanDelete(target)) {
        ShowErrorMessage(Msg::Error::CannotReplaceFile, target);
        return TCopyOutcome::Stop;
      }
    }
    std::string temporary;
    if (!CopyToTemporary(record.Path, fontsFolder, temporary)) {
      ShowErrorMessage(Msg::Error::CannotCopyFile, record.Path);
      return TCopyOutcome::Skipped;
    }
    if (!(exists ? MoveFileReplacing(temporary, target)
                 : MoveFileA(temporary.c_str(), target.c_str()))) {
      DeleteFileA(temporary.c_str());
      if (exists) {
        ShowErrorMessage(Msg::Error::CannotReplaceFile, target);
        return TCopyOutcome::Stop;
      }
      ShowErrorMessage(Msg::Error::CannotCopyFile, record.Path);
      return TCopyOutcome::Skipped;
    }
    return TCopyOutcome::Copied;
  };

  for (int entryIndex = lbSelectedFonts.Count() - 1; entryIndex >= 0; --entryIndex) {
    const std::string entry = lbSelectedFonts.Text(entryIndex);
    const auto* listed = static_cast<const TFontFileRec*>(lbSelectedFonts.Object(entryIndex));
    if (!listed) {
      ShowErrorMessage(Msg::Error::CannotCopyFile, entry);
      continue;
    }
    bool allDone = true;
    // The files of the scan that listed the entry, not of the folder shown now.
    for (const auto& owned : records_) {
      const TFontFileRec& record = *owned;
      if (record.Scan != listed->Scan) continue;
      if (!(familyMode ? record.Family == entry : record.FullName == entry)) continue;
      if (std::find(worked.begin(), worked.end(), &record) != worked.end()) continue;
      worked.push_back(&record);

      const std::string valueName = FontEntryName(record.FullName, record.TrueType);
      if (!ReadFontEntry(valueName).empty()) {
        const std::string& shown = familyMode ? record.Family : record.FullName;
        const bool reported =
            familyMode && std::any_of(reportedFamilies.begin(), reportedFamilies.end(),
                                      [&](const std::string& family) {
                                        return lstrcmpiA(family.c_str(), shown.c_str()) == 0;
                                      });
        if (!reported) {
          if (familyMode) reportedFamilies.push_back(record.Family);
          ShowErrorMessage(Msg::Error::AlreadyInstalled, shown);
        }
        continue;
      }

      // A file that lies in the fonts folder already is installed where it is.
      const bool inFontsFolder = SameFolder(FolderPart(record.Path), fontsFolder);
      std::string file = record.Path;
      // Copying reports a missing source itself.
      if ((!copy || inFontsFolder) && !FileExists(record.Path)) {
        ShowErrorMessage(Msg::Error::CannotCopyFile, record.Path);
        allDone = false;
        continue;
      }
      if (copy && !inFontsFolder) {
        file = fontsFolder + FileNamePart(record.Path);
        const TCopyOutcome outcome = copyFile(record, file);
        if (outcome == TCopyOutcome::Stop) {
          SetModalResult(mrNone);
          return;
        }
        if (outcome == TCopyOutcome::Skipped) {
          allDone = false;
          continue;
        }
      }

      // The system loads the font from where its resource file says it is;
      // a name relative to the font's own folder would be looked for in
      // the fonts folder, so the resource names the whole path.
      std::string loaded;
      if (network && !copy && record.TrueType) {
        const std::string fot = fontsFolder + WithExtension(FileNamePart(file), ".FOT");
        if (!CreateScalableFontResourceA(0, fot.c_str(), record.Path.c_str(), nullptr)) {
          ShowErrorMessage(Msg::Error::CannotInstallFontFile, FileNamePart(file));
          allDone = false;
          continue;
        }
        file = WithExtension(FileNamePart(record.Path), ".FOT");
        loaded = fot;
      }

      const std::string copied = copy && !inFontsFolder ? file : "";
      const std::string data = UpperCase(copy ? FileNamePart(record.Path) : file);
      if (copy) file = FileNamePart(file);
      const bool madeFot = !loaded.empty();
      if (!madeFot) loaded = file;
      // Registered only once loaded: a font the system refuses leaves
      // nothing behind that would stop a later attempt.
      if (!AddFontResourceA(loaded.c_str())) {
        if (!copied.empty()) DeleteFileA(copied.c_str());
        if (madeFot) DeleteFileA(loaded.c_str());
        ShowErrorMessage(Msg::Error::CannotInstallFontFile, file);
        allDone = false;
        continue;
      }
      WriteFontEntry(valueName, data);
    }
    if (allDone) lbSelectedFonts.Delete(entryIndex);
  }
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  SetModalResult(IDOK);
}
