#include "AboutBox.h"

#include "Resources.h"

#include "platform/forms/Application.h"

#include <windows.h>

namespace {
const TFormDefinition kAboutDefinition = {
    "TdlgAbout", "About Zel 95", TBorderStyle::Dialog, 447, 245, true};
const int kFirstYear = 1996;
}  // namespace

std::string CopyrightNotice(int currentYear) {
  std::string years = std::to_string(kFirstYear);
  if (currentYear > kFirstYear) years += "-" + std::to_string(currentYear);
  return "Copyright \xA9 " + years + " VELMOR Software";
}

TdlgAbout::TdlgAbout() : TForm("dlgAbout", kAboutDefinition) { pbOK.ModalResult = IDOK; }

TdlgAbout::~TdlgAbout() { DestroyForm(); }

void TdlgAbout::Create(TForm* owner) {
  CreateForm(owner);
  SetFont("MS Sans Serif", 8);

  Panel1.Create(this, 12, 12, 190, 145);
  Image1.Create(&Panel1, IDB_ABOUT, 6, 6, true);

  Label1.Create(this, "Zel 95, Font Manager for Windows 95", 216, 24, 220, 0,
                TLabelStyle::WordWrap);
  Label1.SetFont("MS Sans Serif", 8, fsBold);
  lblVersion.Create(this, "", 216, 62);
  lblCR.Create(this, "", 216, 84, 220, 0, TLabelStyle::WordWrap);

  Bevel1.Create(this, TBevelShape::HorizontalLine, 12, 168, 423, 2);
  Label6.Create(this, "True Type Fonts installed:", 24, 182);
  lblTTF.Create(this, "", 190, 182, 60, 14, TLabelStyle::RightAligned);
  Label7.Create(this, "Other Types of Fonts installed:", 24, 204);
  lblOther.Create(this, "", 190, 204, 60, 14, TLabelStyle::RightAligned);

  pbOK.Create(this, "OK", 352, 208, 80, 25, true);
  DefaultButton = &pbOK;
  CancelButton = &pbOK;
  ActiveControl = &pbOK;

  Guarded([this] { FormCreate(); });
}

void TdlgAbout::FormCreate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  lblCR.SetCaption(CopyrightNotice(now.wYear));
  lblVersion.SetCaption("Version 1.0");
}
