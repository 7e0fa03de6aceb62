#include "fontcommon/MessageBoxSpec.h"

namespace {

const TMsgDlgButtonSpec kButtonOrder[] = {
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

TMessageBoxSpec MessageBoxSpec(TMsgDlgType kind, const std::string& text, TMsgDlgButtons buttons) {
  if (buttons.Empty()) buttons = {mbOK};
  TMessageBoxSpec spec{kind, TitleOf(kind), text, {}, 0, 0};
  for (const TMsgDlgButtonSpec& button : kButtonOrder)
    if (buttons.Contains(button.Button)) spec.Buttons.push_back(button);

  // A set with neither OK nor Yes (No and All) defaults to its first button.
  if (buttons.Contains(mbOK))
    spec.DefaultResult = mrOk;
  else if (buttons.Contains(mbYes))
    spec.DefaultResult = mrYes;
  else
    spec.DefaultResult = spec.Buttons.front().Result;

  // Without No or OK there is no answer that means "no": the box then stays
  // until a button is pressed.
  if (buttons.Contains(mbNo))
    spec.EscapeResult = mrNo;
  else if (buttons.Contains(mbOK))
    spec.EscapeResult = mrOk;
  return spec;
}
