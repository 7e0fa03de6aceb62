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

// The message catalogue's boxes, and the confirmation owned by the window.
class TWindowPrompts : public TRemovalPrompts {
 public:
  explicit TWindowPrompts(TfrmZel95& form) : form_(form) {}

  uint16_t AskContinueWithoutEntry(const std::string& face) override {
    return AskVerifyMessage(Msg::Verify::ContinueWithoutEntry, face, "", {mbYes, mbNo, mbAll});
  }
  bool ConfirmRemoval(int familyCount, int recycleCount) override {
    TDlgConfirmRemoval dialog;
    dialog.Create(&form_);
    return ShowConfirmRemoval(dialog, familyCount, recycleCount) == mrYes;
  }
  void ShowError(Msg::Error number, const std::string& text) override {
    ShowErrorMessage(number, text);
  }

 private:
  TfrmZel95& form_;
};

}  // namespace

void TfrmZel95::sbRemoveClick() {
  if (CountSelected() == 0) {
    SoundErrorBeep();
    return;
  }
  FCatalogue.FToDelete = std::make_unique<std::vector<TToDeleteItem>>();
  RemovalCleanup cleanup(*this);
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

void TfrmZel95::CollectFontsToDelete() {
  // One record per TrueType style, one per other family.
  for (int row = 0; row < lbFonts.Count(); ++row) {
    if (lbFonts.Selected(row)) FCatalogue.CollectToDelete(Handle(), lbFonts.Text(row));
  }
}
