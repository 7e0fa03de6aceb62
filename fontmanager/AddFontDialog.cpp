// The Install New Fonts dialog: its components, its first paint, context
// help and closing.
#include "AddFontDialog.h"

#include "HelpFile.h"
#include "Resources.h"

#include "platform/forms/Application.h"
#include "platform/forms/ScreenCursor.h"

#include <algorithm>

namespace {

const TFormDefinition kAddFontDefinition = {
    "TdlgAddFont", "Install New Fonts", TBorderStyle::Dialog, 617, 420, true};
// Posted by the first paint, so that the scan starts once the dialog is drawn.
const UINT WM_FIRSTSCAN = WM_APP + 0x2A;
const int kRowHeight = 17;

}  // namespace

std::string NameBeforeParen(const std::string& name) {
  const size_t paren = name.find('(');
  if (paren == std::string::npos) return name;
  const std::string before = name.substr(0, paren);
  const size_t first = before.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return before.substr(first, before.find_last_not_of(' ') - first + 1);
}

std::string RemoveNulls(const std::string& text) {
  std::string result = text;
  result.erase(std::remove(result.begin(), result.end(), '\0'), result.end());
  return result;
}

TdlgAddFont::TdlgAddFont() : TForm("dlgAddFont", kAddFontDefinition) {
  lbAvailableFonts.OnClick = [this] { lbAvailableFontsClick(); };
  lbSelectedFonts.OnClick = [this] { lbSelectedFontsClick(); };
  lbAvailableFonts.OnDrawItem = [this](TCanvas& canvas, int index, const RECT& rect,
                                       unsigned state) {
    lbAvailableFontsDrawItem(lbAvailableFonts, canvas, index, rect, state);
  };
  lbSelectedFonts.OnDrawItem = [this](TCanvas& canvas, int index, const RECT& rect,
                                      unsigned state) {
    lbAvailableFontsDrawItem(lbSelectedFonts, canvas, index, rect, state);
  };
  pbSelect.OnClick = [this] { pbSelectClick(); };
  pbSelectAll.OnClick = [this] { pbSelectAllClick(); };
  pbDeselect.OnClick = [this] { pbDeselectClick(); };
  pbDeselectAll.OnClick = [this] { pbDeselectAllClick(); };
  rbFamily.OnClick = [this] { rgShowClick(); };
  rbFullName.OnClick = [this] { rgShowClick(); };
  speSize.OnChange = [this] { speSizeChange(); };
  pbFullSample.OnClick = [this] { pbFullSampleClick(); };
  lbFolders.OnChange = [this] { lbFoldersChange(); };
  pbOK.OnClick = [this] { pbOKClick(); };
  // OK closes the dialog itself, unless the installation stops.
  pbCancel.ModalResult = IDCANCEL;
}

TdlgAddFont::~TdlgAddFont() { DestroyForm(); }

void TdlgAddFont::Create(TForm* owner) {
  CreateForm(owner);
  SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SetFont("MS Sans Serif", 8);
  CreateComponents();
  Guarded([this] { FormCreate(); });
}

void TdlgAddFont::CreateComponents() {
  // Two lists of 13 rows with the move buttons between them.
  gbAvailable.Create(this, " Available Fonts ", 8, 4, 210, 248);
  lbAvailableFonts.Create(this, 16, 20, 194, 225, kRowHeight);
  gbSelected.Create(this, " Selected Fonts to Install ", 270, 4, 210, 248);
  lbSelectedFonts.Create(this, 278, 20, 194, 225, kRowHeight);
  struct {
    TButton& button;
    const char* caption;
    int top;
  } moves[] = {{pbSelect, ">", 72},
               {pbSelectAll, ">>", 104},
               {pbDeselect, "<", 136},
               {pbDeselectAll, "<<", 168}};
  for (auto& move : moves) {
    move.button.Create(this, move.caption, 226, move.top, 36, 25);
    move.button.SetFont("MS Sans Serif", 8, fsBold);
  }

  // Commands and options on the right.
  pbOK.Create(this, "OK", 490, 12, 119, 25, true);
  pbCancel.Create(this, "Cancel", 490, 44, 119, 25);
  pbFullSample.Create(this, "&Full Sample", 490, 76, 119, 25);
  cbTT.Create(this, "&True Type only", 490, 118, 119, 17);
  rbFamily.Create(this, "&Family", 490, 146, 119, 17);
  rbFullName.Create(this, "Full &Name", 490, 166, 119, 17);
  lblSize.Create(this, "Size (pt.):", 490, 204);
  speSize.Create(this, 548, 200, 45, 22, 8, 45);

  // The sample, and where the fonts come from.
  gbSample.Create(this, " Sample ", 8, 258, 376, 154);
  memSample.Create(this, 16, 276, 360, 128);
  // Each label before its control: its key moves the focus there.
  lblDrives.ShowAccelChar = true;
  lblDrives.Create(this, "Dri&ves:", 394, 258);
  cmbDrives.Create(this, 394, 274, 215);
  lblFolders.ShowAccelChar = true;
  lblFolders.Create(this, "Fol&ders:", 394, 302);
  lbFolders.Create(this, 394, 318, 215, 72);
  cmbDrives.SetDirList(&lbFolders);
  cbCopy.Create(this, "&Copy font to fonts folder", 394, 395, 215, 17);

  imgTTF.Create(this, IDB_TTF, 0, 0, false);
  imgTTFSel.Create(this, IDB_TTFSEL, 0, 0, false);

  // Set before the handlers can act: the first scan has not run yet.
  speSize.SetValue(12);
  cbTT.SetChecked(true);
  rbFamily.SetChecked(true);
  cbCopy.SetChecked(true);
  memSample.SetFontPixels("System", 16);
  cbTT.OnClick = [this] { cbTTClick(); };

  DefaultButton = &pbOK;
  CancelButton = &pbCancel;
  ActiveControl = &lbAvailableFonts;
}

void TdlgAddFont::FormCreate() {
  FFontFiles.clear();
  FFirstPaint = true;
  char folder[256] = "";
  GetWindowsDirectoryA(folder, sizeof folder);
  FWinDir = folder;
  FTempFont.clear();
  FFontCount = 0;
  pbOK.SetEnabled(false);
  SetScreenCursor(TCursor::Default);
}

int TdlgAddFont::ShowModal() {
  const int result = TForm::ShowModal();
  Guarded([this] { FormClose(); });
  return result;
}

void TdlgAddFont::FormClose() {
  WithdrawTempFont();
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}

std::string TdlgAddFont::DriveRoot() const { return std::string(1, cmbDrives.Drive()) + ":\\"; }

int TdlgAddFont::HelpContextOf(HWND window) const {
  const struct {
    const TControl& control;
    int context;
  } contexts[] = {
      {lbAvailableFonts, 2000}, {pbSelect, 2001},      {pbSelectAll, 2002},
      {pbDeselect, 2003},       {pbDeselectAll, 2004}, {lbSelectedFonts, 2005},
      {memSample, 2006},        {cmbDrives, 2007},     {pbOK, 2008},
      {pbCancel, 2009},         {pbFullSample, 2010},  {lbFolders, 2011},
      {speSize, 2013},          {cbCopy, 2014},        {cbTT, 2015},
      {rbFamily, 2016},         {rbFullName, 2017},
  };
  for (const auto& entry : contexts) {
    const std::vector<HWND>& windows = entry.control.Windows();
    if (std::find(windows.begin(), windows.end(), window) != windows.end()) return entry.context;
    // The edit field inside the drive list's box belongs to it too.
    if (IsChild(entry.control.Handle(), window)) return entry.context;
  }
  return 0;
}

void TdlgAddFont::ShowControlHelp(HWND window, bool asContextMenu) {
  const int context = HelpContextOf(window);
  if (context == 0) return;
  // Pairs of control identifier and help context, ended by a zero pair.
  DWORD ids[] = {static_cast<DWORD>(GetDlgCtrlID(window)), static_cast<DWORD>(context), 0, 0};
  const std::string helpFile = HelpFilePath();
  const BOOL shown =
      WinHelpA(window, helpFile.c_str(), asContextMenu ? HELP_CONTEXTMENU : HELP_WM_HELP,
               reinterpret_cast<ULONG_PTR>(ids));
  // A help system that refuses the request (Wine's does) still shows the
  // control's topic when F1 asked for it.
  if (!shown && !asContextMenu)
    WinHelpA(window, helpFile.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
}

bool TdlgAddFont::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      if (FFirstPaint) {
        FFirstPaint = false;
        result = DefWindowProcA(Handle(), message, wParam, lParam);
        RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        PostMessageA(Handle(), WM_FIRSTSCAN, 0, 0);
        return true;
      }
      return false;
    case WM_FIRSTSCAN:
      Guarded([this] { Rescan(); });
      result = 0;
      return true;
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (info->iContextType == HELPINFO_WINDOW)
        Guarded([&] { ShowControlHelp(static_cast<HWND>(info->hItemHandle), false); });
      result = TRUE;
      return true;
    }
    case WM_CONTEXTMENU: {
      POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ScreenToClient(Handle(), &point);
      if (point.x > 0 && point.y > 0)
        Guarded([&] { ShowControlHelp(reinterpret_cast<HWND>(wParam), true); });
      result = 0;
      return true;
    }
  }
  return false;
}
