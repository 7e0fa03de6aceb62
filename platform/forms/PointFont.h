// The forms' fonts: a face name and a point size at the screen's resolution.
#pragma once

#include "platform/gdi/Gdi.h"

#include <string>

enum TFontStyle : unsigned { fsNone = 0, fsBold = 1 };

// A font given by face name and point size, at the screen's resolution, the
// way the forms name their fonts ("MS Sans Serif", 8 points, bold).
FontHandle CreatePointFont(const std::string& face, int points, unsigned style = fsNone);
