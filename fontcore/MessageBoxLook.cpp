#include "fontcore/MessageBoxLook.h"

namespace {

const TMsgDlgButtonLook kButtonOrder[] = {
    {mbYes, "&Yes", mrYes},
    {mbNo, "&No", mrNo},
    {mbOK, "OK", mrOk},
    {mbAll, "&All", mrAll},
};

const char* TitleOf(TMsgDlgType kind) {
  switch (kind) {
    case mtError:
      return "Error";
    case mtConfirmation:
      return "Confirm";
    case mtInformation:
      return "Information";
  }
  return "";
}

}  // namespace

TMessageBoxLook MessageBoxLook(TMsgDlgType kind, const std::string& text, TMsgDlgButtons buttons) {
  if (buttons.Empty()) buttons = {mbOK};
  TMessageBoxLook look{kind, TitleOf(kind), text, {}, 0, 0};
  for (const TMsgDlgButtonLook& button : kButtonOrder)
    if (buttons.Contains(button.Button)) look.Buttons.push_back(button);

  // A set with neither OK nor Yes (No and All) defaults to its first button.
  if (buttons.Contains(mbOK))
    look.DefaultResult = mrOk;
  else if (buttons.Contains(mbYes))
    look.DefaultResult = mrYes;
  else
    look.DefaultResult = look.Buttons.front().Result;

  // Without No or OK there is no answer that means "no": the box then stays
  // until a button is pressed.
  if (buttons.Contains(mbNo))
    look.EscapeResult = mrNo;
  else if (buttons.Contains(mbOK))
    look.EscapeResult = mrOk;
  return look;
}
