// The About box: product line, version, notice of rights and the counts of
// installed fonts.
#pragma once

#include "platform/forms/Bevel.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"

#include <string>

class TdlgAbout : public TForm {
 public:
  TdlgAbout();
  ~TdlgAbout() override;

  // Creates the box owned by `owner` and runs FormCreate.
  void Create(TForm* owner);

  TPanel Panel1{"Panel1"};
  TImage Image1{"Image1"};
  TLabel Label1{"Label1"};
  TLabel lblVersion{"lblVersion"};
  TLabel lblCR{"lblCR"};
  TBevel Bevel1{"Bevel1"};
  TLabel Label6{"Label6"};
  TLabel lblTTF{"lblTTF"};
  TLabel Label7{"Label7"};
  TLabel lblOther{"lblOther"};
  TButton pbOK{"pbOK"};

  void FormCreate();
};

// The notice of rights, its years running from 1996 to `currentYear`.
std::string CopyrightNotice(int currentYear);
