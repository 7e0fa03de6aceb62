// The two lists of the Install New Fonts dialog: drawing, moving entries
// between them, the live sample and the options that rescan.
#include "AddFontDialog.h"

#include "fontcommon/Messages.h"
#include "platform/forms/ScreenCursor.h"

namespace {

const size_t kDrawnLength = 31;
const char kDigitsAndMarks[] = "0123456789.:,;(\"!?'')";

}  // namespace

int TdlgAddFont::SelectedCount(const TListBox& listBox) {
  int count = 0;
  for (int i = 0; i < listBox.Count(); ++i)
    if (listBox.Selected(i)) ++count;
  return count;
}

void TdlgAddFont::lbAvailableFontsDrawItem(TListBox& list, TCanvas& canvas, int index,
                                           const RECT& rect, unsigned state) {
  const std::string text = list.Text(index).substr(0, kDrawnLength);
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
  canvas.SetFont("MS Sans Serif", 9);
  canvas.TextRect(rect, rect.left + 4 + (rect.bottom - rect.top), rect.top + 2, text);
  const auto* record = static_cast<const TFontFileRec*>(list.Object(index));
  if (record && record->TrueType) {
    const TImage& mark = (state & odSelected) ? imgTTFSel : imgTTF;
    const SIZE size = mark.PictureSize();
    canvas.StretchDraw(
        RECT{rect.left + 2, rect.top + 2, rect.left + 2 + size.cx, rect.top + 2 + size.cy},
        mark.Picture());
  }
}

void TdlgAddFont::lbAvailableFontsClick() {
  for (int i = 0; i < lbSelectedFonts.Count(); ++i) lbSelectedFonts.SetSelected(i, false);
  pbDeselect.SetEnabled(false);
  TWaitCursor wait;
  WithdrawTempFont();
  const int selected = SelectedCount(lbAvailableFonts);
  memSample.Clear();
  if (const TFontFileRec* record = SampledRecord()) {
    FTempFont = record->Path;
    AddFontResourceA(FTempFont.c_str());
    SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    const std::string sampleFont =
        record->TrueType ? record->FullName : NameBeforeParen(record->FullName);
    memSample.SetFontPoints(sampleFont, speSize.Value());
    memSample.AddLine(record->FullName);
    memSample.AddLine("abcdefghijklmnopqrstuvwxyz");
    memSample.AddLine("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    memSample.AddLine(kDigitsAndMarks);
  }
  pbSelect.SetEnabled(selected > 0);
  pbFullSample.SetEnabled(selected == 1);
}

void TdlgAddFont::lbSelectedFontsClick() {
  for (int i = 0; i < lbAvailableFonts.Count(); ++i) lbAvailableFonts.SetSelected(i, false);
  pbSelect.SetEnabled(false);
  pbDeselect.SetEnabled(SelectedCount(lbSelectedFonts) > 0);
}

void TdlgAddFont::MoveItems(TListBox& source, TListBox& dest, bool all) {
  int index = 0;
  while (index < source.Count()) {
    if (all || source.Selected(index)) {
      dest.AddItem(source.Text(index), source.Object(index));
      source.Delete(index);
    } else {
      ++index;
    }
  }
}

void TdlgAddFont::pbSelectClick() { MoveToSelected(false); }

void TdlgAddFont::pbSelectAllClick() { MoveToSelected(true); }

void TdlgAddFont::MoveToSelected(bool all) {
  MoveItems(lbAvailableFonts, lbSelectedFonts, all);
  lbAvailableFonts.SetItemIndex(-1);
  pbSelect.SetEnabled(false);
  if (lbAvailableFonts.Count() == 0) pbSelectAll.SetEnabled(false);
  rbFamily.SetEnabled(false);
  rbFullName.SetEnabled(false);
  pbDeselectAll.SetEnabled(true);
  pbFullSample.SetEnabled(false);
  ReleaseTempFont();
  pbOK.SetEnabled(lbSelectedFonts.Count() > 0);
}

void TdlgAddFont::pbDeselectClick() { MoveToAvailable(false); }

void TdlgAddFont::pbDeselectAllClick() { MoveToAvailable(true); }

void TdlgAddFont::MoveToAvailable(bool all) {
  MoveItems(lbSelectedFonts, lbAvailableFonts, all);
  lbSelectedFonts.SetItemIndex(-1);
  pbDeselect.SetEnabled(false);
  if (lbSelectedFonts.Count() == 0) {
    pbDeselectAll.SetEnabled(false);
    rbFamily.SetEnabled(true);
    rbFullName.SetEnabled(true);
  }
  pbSelectAll.SetEnabled(true);
  pbOK.SetEnabled(lbSelectedFonts.Count() > 0);
}

void TdlgAddFont::lbFoldersChange() { Rescan(); }

void TdlgAddFont::cbTTClick() {
  if (FFontCount == 0 ||
      AskVerifyMessage(Msg::Verify::RefreshFontList, "", "", {mbYes, mbNo}) != mrNo)
    Rescan();
}

void TdlgAddFont::rgShowClick() { cbTTClick(); }

void TdlgAddFont::speSizeChange() {
  if (!memSample.FontName().empty()) memSample.SetFontPoints(memSample.FontName(), speSize.Value());
}

// The selected entry, not the current one: a Ctrl-click can leave the
// caret on an entry it unselected.
const TFontFileRec* TdlgAddFont::SampledRecord() const {
  if (SelectedCount(lbAvailableFonts) != 1) return nullptr;
  for (int i = 0; i < lbAvailableFonts.Count(); ++i)
    if (lbAvailableFonts.Selected(i))
      return static_cast<const TFontFileRec*>(lbAvailableFonts.Object(i));
  return nullptr;
}

void TdlgAddFont::pbFullSampleClick() {
  const TFontFileRec* record = SampledRecord();
  if (!record) return;
  const std::string commandLine = FWinDir + "\\FONTVIEW.EXE " + record->Path;
  WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}
