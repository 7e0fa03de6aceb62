// The program's standard message box: the title, icon, text and buttons of a
// TMessageBoxLook in a dialog of its own (the system's message box has no
// "&All" button). Shown modally through the modal seam over the active window
// (or, with another program in front, the thread's main window);
// returns the result of the chosen button. The exception report shows its text
// with ShowMessageDialog(MessageBoxLook(mtError, text, {mbOK})).
#pragma once

#include "fontcore/MessageBoxLook.h"

#include <cstdint>

// Control identifiers inside the box; each button's identifier is its result.
enum { kMessageIconId = 100, kMessageTextId = 101 };

uint16_t ShowMessageDialog(const TMessageBoxLook& look);
