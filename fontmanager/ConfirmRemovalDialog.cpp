#include "ConfirmRemovalDialog.h"

#include "Resources.h"

#include "platform/forms/ScreenCursor.h"

#include <string>

namespace {
const TFormDefinition kConfirmRemovalDefinition = {
    "TDlgConfirmRemoval", "Confirm Font Removal", TBorderStyle::DialogNoSysMenu, 384, 115, true};
}

TDlgConfirmRemoval::TDlgConfirmRemoval() : TForm("DlgConfirmRemoval", kConfirmRemovalDefinition) {
  pbYes.ModalResult = IDYES;
  pbNo.ModalResult = IDNO;
}

TDlgConfirmRemoval::~TDlgConfirmRemoval() { DestroyForm(); }

void TDlgConfirmRemoval::Create(TForm* owner) {
  CreateForm(owner);
  SetFont("MS Sans Serif", 8, fsBold);
  ImgIcon.Create(this, IDB_FONTREMOVE, 24, 28, true);
  lblUserText.Create(this, "", 70, 32, 287, 0, TLabelStyle::WordWrap);
  lblUserText.SetFont("MS Sans Serif", 8);
  imgRBin.Create(this, IDB_RECYCLEBIN, 0, 0, false);
  imgFontRemove.Create(this, IDB_FONTREMOVE, 0, 0, false);
  pbYes.Create(this, "&Yes", 169, 75, 90, 25);
  pbNo.Create(this, "&No", 269, 75, 90, 25, true);
  DefaultButton = &pbNo;
  CancelButton = &pbNo;
  ActiveControl = &pbNo;
}

int ShowConfirmRemoval(TDlgConfirmRemoval& dialog, int familyCount, int recycleCount) {
  std::string question =
      "Are you sure you want to remove " + std::to_string(familyCount) + " font(s)";
  if (recycleCount != 0) {
    dialog.ImgIcon.ShowPicture(dialog.imgRBin);
    question += " and send " + std::to_string(recycleCount) + " font file(s) to the Recycle Bin ?";
  } else {
    dialog.ImgIcon.ShowPicture(dialog.imgFontRemove);
    question += " ?";
  }
  dialog.lblUserText.SetCaption(question);
  SetScreenCursor(TCursor::Default);
  return dialog.ShowModal();
}
