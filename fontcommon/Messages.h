// The numbered messages of the program, shown in its standard message box. An
// undefined number raises EUndefinedMessage before anything is shown. While a
// box is open the cursor is the arrow; the caller's cursor (the hourglass of
// a long operation) comes back afterwards.
#pragma once

#include "fontcore/MessageBoxLook.h"
#include "fontcore/MessageTexts.h"

#include <cstdint>
#include <string>

// Error box with OK; returns when it is pressed.
void ShowErrorMessage(Msg::Error number, const std::string& text);

// Confirmation box with the caller's buttons; returns mrYes, mrNo, mrOk or
// mrAll. Texts a message does not use are ignored.
uint16_t AskVerifyMessage(Msg::Verify number, const std::string& text1, const std::string& text2,
                          TMsgDlgButtons buttons);

// Information box with the caller's buttons; returns the chosen button.
uint16_t ShowInfoMessage(Msg::Info number, TMsgDlgButtons buttons);
