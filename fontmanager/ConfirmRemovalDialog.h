// The one question of a removal: how many families go, and how many font
// files go to the Recycle Bin.
#pragma once

#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"

class TDlgConfirmRemoval : public TForm {
 public:
  TDlgConfirmRemoval();
  ~TDlgConfirmRemoval() override;

  void Create(TForm* owner);

  TImage ImgIcon{"ImgIcon"};
  TLabel lblUserText{"lblUserText"};
  TImage imgRBin{"imgRBin"};
  TImage imgFontRemove{"imgFontRemove"};
  TButton pbYes{"pbYes"};
  TButton pbNo{"pbNo"};
};

// Sets the picture and the question and shows the dialog modally; returns
// its modal result (6 Yes, 7 No).
int ShowConfirmRemoval(TDlgConfirmRemoval& dialog, int familyCount, int recycleCount);
