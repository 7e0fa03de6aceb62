// The main window's Delete command: the selected families' fonts collected
// from the catalogue and removed, the question and the messages shown over
// the window.
#include "ConfirmRemovalDialog.h"
#include "FontRemoval.h"
#include "MainForm.h"

#include "fontcommon/Messages.h"
#include "platform/forms/ErrorBeep.h"
#include "platform/forms/ScreenCursor.h"

#include <memory>

namespace {

// The message catalogue's boxes, and the confirmation owned by `owner`.
class TWindowPrompts : public TRemovalPrompts {
 public:
  explicit TWindowPrompts(TForm& owner) : owner_(owner) {}

  uint16_t AskContinueWithoutEntry(const std::string& face) override {
    return AskVerifyMessage(Msg::Verify::ContinueWithoutEntry, face, "", {mbYes, mbNo, mbAll});
  }
  bool ConfirmRemoval(int familyCount, int recycleCount) override {
    TDlgConfirmRemoval dialog;
    dialog.Create(&owner_);
    return ShowConfirmRemoval(dialog, familyCount, recycleCount) == mrYes;
  }
  void ShowError(Msg::Error number, const std::string& text) override {
    ShowErrorMessage(number, text);
  }

 private:
  TForm& owner_;
};

}  // namespace

void TfrmZel95::sbRemoveClick() {
  if (CountSelected() == 0) {
    SoundErrorBeep();
    return;
  }
  FCatalogue.FToDelete = std::make_unique<std::vector<TToDeleteItem>>();
  // Rebuilds wait while the removal walks the catalogue's records, which a
  // font change announced under one of its questions would free.
  HoldRebuilds();
  struct Cleanup {
    TfrmZel95& form;
    ~Cleanup() { form.EndRemoval(); }
  } cleanup{*this};
  TWindowPrompts prompts(*this);
  TFontRemoval removal(*FCatalogue.FToDelete, FCatalogue.FNonTTFFonts, FFontsDir, prompts);
  {
    TWaitCursor wait;
    CollectFontsToDelete();
    if (!removal.Prepare()) return;
  }
  if (!removal.Confirm(CountSelected())) return;

  TWaitCursor wait;
  removal.Remove();
  ReleaseRebuilds(true);
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  RefreshFontList();
}

void TfrmZel95::EndRemoval() {
  FCatalogue.FToDelete.reset();
  lbFonts.SetItemIndex(-1);
  mnuFontRemove.SetEnabled(false);
  ReleaseRebuilds();
}

void TfrmZel95::CollectFontsToDelete() {
  // One record per TrueType style, one per other family.
  for (int row = 0; row < lbFonts.Count(); ++row) {
    if (lbFonts.Selected(row)) FCatalogue.CollectToDelete(Handle(), lbFonts.Text(row));
  }
}
