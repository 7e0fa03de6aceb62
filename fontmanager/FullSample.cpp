// Full Sample: the platform's font viewer, started on the file of the
// selected family.
#include "MainForm.h"

#include "FontsKey.h"

#include "platform/forms/ErrorBeep.h"

void TfrmZel95::sbFullSampleClick() {
  if (CountSelected() != 1) {
    SoundErrorBeep();
    return;
  }
  const int row = CurrentFamilyRow();
  const TToShowItem* item = ShowItem(row);
  if (!item) return;
  std::string fileName;
  if (item->TrueType) {
    fileName = ReadFontEntry(FontEntryName(item->Name, true));
  } else {
    const int face = FCatalogue.FNonTTFFonts.IndexOf(lbFonts.Text(row));
    if (face >= 0) fileName = ReadFontEntry(FCatalogue.FNonTTFFonts[face].Entries.front());
  }
  ShowFullSample(FontFilePath(FFontsDir, fileName));
}

void TfrmZel95::ShowFullSample(const std::string& path) {
  // The path goes in unquoted, as the viewer expects it.
  const std::string commandLine = FWindowsDir + "\\FONTVIEW.EXE " + path;
  WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}
