#include "MainForm.h"

#include "Resources.h"

#include "platform/forms/Application.h"
#include "platform/forms/ScreenCursor.h"

namespace {
const TFormDefinition kMainFormDefinition = {"TfrmZel95", "Zel 95", TBorderStyle::Sizeable,
                                             550,         377,      false};
}

TfrmZel95::TfrmZel95() : TForm("frmZel95", kMainFormDefinition) {
  KeyPreview = true;
  OnKeyUp = [this](WORD& key) { FormKeyUp(key); };
  OnDestroy = [this] { FormDestroy(); };

  spSize.OnChange = [this] { spSizeChange(); };
  cbTT.OnClick = [this] { cbTTClick(); };
  sbRefresh.OnClick = [this] { sbRefreshClick(); };
  sbFullSample.OnClick = [this] { sbFullSampleClick(); };
  sbAdd.OnClick = [this] { sbAddClick(); };
  sbRemove.OnClick = [this] { sbRemoveClick(); };
  lbFonts.OnDrawItem = [this](TCanvas& canvas, int index, const RECT& rect, unsigned state) {
    lbFontsDrawItem(canvas, index, rect, state);
  };
  lbFonts.OnClick = [this] { lbFontsClick(); };
  lbFonts.OnDblClick = [this] { lbFontsDblClick(); };

  mnuFileExit.OnClick = [this] { mnuFileExitClick(); };
  mnuFontAdd.OnClick = [this] { mnuFontAddClick(); };
  mnuFontRemove.OnClick = [this] { mnuFontRemoveClick(); };
  mnuViewToolbar.OnClick = [this] { mnuViewToolbarClick(); };
  mnuViewStatusbar.OnClick = [this] { mnuViewStatusbarClick(); };
  mnuViewRefresh.OnClick = [this] { mnuFontRefreshClick(); };
  mnuViewFullSample.OnClick = [this] { mnuFontFullSampleClick(); };
  mnuHelpTopics.OnClick = [this] { mnuHelpTopicsClick(); };
  mnuHelpAbout.OnClick = [this] { mnuHelpAboutClick(); };
}

TfrmZel95::~TfrmZel95() {
  DestroyForm();
  // The application handlers the window installed go with it.
  Application.OnException = nullptr;
  Application.OnHint = nullptr;
}

void TfrmZel95::Create() {
  CreateForm(nullptr);
  SetFont("MS Sans Serif", 8, fsBold);
  CreateComponents();
  CreateMenu();
  RegisterTooltips();
  AlignChildren();
  ActiveControl = &lbFonts;
  Guarded([this] { FormCreate(); });
}

void TfrmZel95::CreateComponents() {
  Toolbar.Create(this, 0, 0, 550, 29);
  Toolbar.SetFont("MS Sans Serif", 8);
  Toolbar.SetAlign(TAlign::Top);

  Label3.Create(&Toolbar, "Sample Size:", 6, 8);
  spSize.Create(&Toolbar, 72, 4, 41, 22, 8, 50);
  // The defaults stand when reading the stored settings fails.
  spSize.SetValue(12);
  spSize.Hint = "The size of the samples in points";
  spSize.ShowHint = true;
  cbTT.Create(&Toolbar, "&True Type only", 140, 7, 95, 17);
  cbTT.SetChecked(true);
  cbTT.Hint = "Display True Type Fonts only|";
  cbTT.ShowHint = true;
  Bevel1.Create(&Toolbar, TBevelShape::VerticalLine, 237, 2, 2, 25);

  struct {
    TGlyphButton& button;
    int glyph;
    int left;
    const char* hint;
  } buttons[] = {
      {sbRefresh, IDB_REFRESH, 248, "Refresh the Font List|"},
      {sbFullSample, IDB_FULLSAMPLE, 273, "Full Font Sample|"},
      {sbAdd, IDB_ADD, 304, "Install New Font|"},
      {sbRemove, IDB_REMOVE, 336, "Remove Font(s)|"},
  };
  for (auto& b : buttons) {
    b.button.Create(&Toolbar, b.glyph, b.left, 2, 25, 25);
    b.button.Hint = b.hint;
    b.button.ShowHint = true;
  }

  lbFonts.Create(this, 0, 29, 542, 300, 16);
  lbFonts.SetAlign(TAlign::Client);

  StatusBar.Create(this);
  StatusBar.SetFont("MS Sans Serif", 8);

  imgTTF.Create(this, IDB_TTF, 0, 0, false);
  imgTTFSel.Create(this, IDB_TTFSEL, 0, 0, false);
}

void TfrmZel95::CreateMenu() {
  mnuFile.Add(mnuFileExit);
  mnuFont.Add(mnuFontAdd);
  mnuFont.Add(mnuFontRemove);
  mnuView.Add(mnuViewToolbar);
  mnuView.Add(mnuViewStatusbar);
  mnuView.Add(N2);
  mnuView.Add(mnuViewRefresh);
  mnuView.Add(mnuViewFullSample);
  mnuHelp.Add(mnuHelpTopics);
  mnuHelp.Add(mnuSep1);
  mnuHelp.Add(mnuHelpAbout);
  for (TMenuItem* item : {&mnuFile, &mnuFont, &mnuView, &mnuHelp}) MainMenu1.Add(*item);
  SetMenu(&MainMenu1);
}

bool TfrmZel95::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_FONTCHANGE) {
    HandleFontChange();
    result = 0;
    return true;
  }
  // The session's end takes the process without destroying the window.
  if (message == WM_ENDSESSION && wParam) {
    SaveWindowSettings();
    result = 0;
    return true;
  }
  return false;
}

const TToShowItem* TfrmZel95::ShowItem(int index) const {
  return static_cast<const TToShowItem*>(lbFonts.Object(index));
}

// A rebuild can be asked for while one runs: a font change announced while
// the rebuild's question is open. It runs once the running one has ended,
// so that the two never fill the list together.
void TfrmZel95::RefreshFontList() {
  if (rebuilding_ || rebuildsHeld_) {
    rebuildAgain_ = true;
    return;
  }
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  };
  do {
    Running running(rebuilding_);
    rebuildAgain_ = false;
    RebuildCatalogue();
  } while (rebuildAgain_);
}

void TfrmZel95::RebuildCatalogue() {
  {
    TWaitCursor wait;
    ReleaseFontList();
    try {
      FCatalogue.Rebuild(Handle(), FFontsDir, spSize.Value(), cbTT.Checked());
    } catch (...) {
      FillFontList(false);
      throw;
    }
    FillFontList(true);
  }
  UpdateSelectionState();
}

void TfrmZel95::FillFontList(bool complete) {
  lbFonts.SetRedraw(false);
  for (const TFontRow& row : FCatalogue.Rows()) lbFonts.AddItem(row.Face, row.Item.get());
  if (complete) lbFonts.SetItemHeight(FCatalogue.MaxTextHeight);
  lbFonts.SetRedraw(true);
  if (complete) UpdateWindow(lbFonts.Handle());
}

void TfrmZel95::ReleaseFontList() {
  lbFonts.Clear();
  FCatalogue.ReleaseShowItems();
}

void TfrmZel95::HandleFontChange() { RefreshFontList(); }

void TfrmZel95::HoldRebuilds() { rebuildsHeld_ = true; }

void TfrmZel95::ReleaseRebuilds(bool rebuildFollows) {
  rebuildsHeld_ = false;
  if (rebuildFollows || !rebuildAgain_ || rebuilding_) return;
  rebuildAgain_ = false;
  // Posted: the removal's clean-up may run while an exception unwinds.
  PostMessageA(Handle(), WM_FONTCHANGE, 0, 0);
}
