// The commands of the main window: toolbar buttons, menu items and keys, and
// the selection state they depend on. Menu items and keys run the click
// handler of the matching button, so every command has one implementation.
#include "MainForm.h"

#include "AboutBox.h"
#include "AddFontDialog.h"
#include "HelpFile.h"

#include "platform/forms/Application.h"
#include "platform/forms/ScreenCursor.h"

#include <cmath>
#include <string>

int TfrmZel95::CountSelected() const {
  int selected = 0;
  for (int i = 0; i < lbFonts.Count(); ++i)
    if (lbFonts.Selected(i)) ++selected;
  return selected;
}

int TfrmZel95::CurrentFamilyRow() const {
  if (CountSelected() == 1)
    for (int i = 0; i < lbFonts.Count(); ++i)
      if (lbFonts.Selected(i)) return i;
  return lbFonts.ItemIndex();
}

void TfrmZel95::UpdateSelectionState() {
  const int selected = CountSelected();
  if (selected == 0) {
    lbFonts.ShowHint = false;
    mnuFontRemove.SetEnabled(false);
    mnuViewFullSample.SetEnabled(false);
  } else if (selected == 1) {
    lbFonts.Hint = "|Selected font: " + lbFonts.Text(CurrentFamilyRow());
    lbFonts.ShowHint = true;
    mnuFontRemove.SetEnabled(true);
    mnuViewFullSample.SetEnabled(true);
  } else {
    lbFonts.Hint.clear();
    lbFonts.ShowHint = false;
    mnuFontRemove.SetEnabled(true);
    mnuViewFullSample.SetEnabled(false);
  }
}

void TfrmZel95::lbFontsClick() { UpdateSelectionState(); }

void TfrmZel95::lbFontsDblClick() { sbFullSample.Click(); }

void TfrmZel95::spSizeChange() {
  TWaitCursor wait;
  // Rounded to nearest, halves to the even neighbour (the default rounding mode).
  lbFonts.SetItemHeight(
      static_cast<int>(std::nearbyint(spSize.Value() * FCatalogue.FHeightPerPoint)));
  InvalidateRect(lbFonts.Handle(), nullptr, TRUE);
  UpdateWindow(lbFonts.Handle());
}

void TfrmZel95::cbTTClick() {
  if (FLoaded) sbRefresh.Click();
}

void TfrmZel95::FormKeyUp(WORD& key) {
  if (key == VK_F5) sbRefresh.Click();
}

void TfrmZel95::sbRefreshClick() { RefreshFontList(); }

void TfrmZel95::sbAddClick() {
  TdlgAddFont dialog;
  dialog.Create(this);
  int result;
  {
    TWaitCursor wait;
    result = dialog.ShowModal();
  }
  if (result == IDOK) sbRefresh.Click();
}

void TfrmZel95::mnuFileExitClick() { Close(); }

void TfrmZel95::mnuFontAddClick() { sbAdd.Click(); }

void TfrmZel95::mnuFontRemoveClick() { sbRemove.Click(); }

void TfrmZel95::mnuFontRefreshClick() { sbRefresh.Click(); }

void TfrmZel95::mnuFontFullSampleClick() { sbFullSample.Click(); }

void TfrmZel95::mnuViewToolbarClick() {
  mnuViewToolbar.SetChecked(!mnuViewToolbar.Checked());
  Toolbar.SetVisible(mnuViewToolbar.Checked());
}

void TfrmZel95::mnuViewStatusbarClick() {
  mnuViewStatusbar.SetChecked(!mnuViewStatusbar.Checked());
  StatusBar.SetVisible(mnuViewStatusbar.Checked());
}

void TfrmZel95::mnuHelpTopicsClick() {
  Application.HelpFile = HelpFilePath();
  WinHelpA(Handle(), Application.HelpFile.c_str(), HELP_FINDER, 0);
  Application.HelpFile.clear();
}

void TfrmZel95::mnuHelpAboutClick() {
  TdlgAbout about;
  about.Create(this);
  about.lblTTF.SetCaption(std::to_string(FCatalogue.TrueTypeCount));
  about.lblOther.SetCaption(std::to_string(FCatalogue.NonTTFCount));
  about.ShowModal();
}
