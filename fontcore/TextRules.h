// Text rules shared by the settings and the font readers.
#pragma once

#include <string>

// The text without its leading and trailing blanks and control characters
// (every character up to and including the blank, 0 to 32).
std::string Trim(const std::string& text);

// The text as a signed decimal number: an optional "+" or "-" and at least one
// digit, nothing else, within the range of int. Anything else raises
// EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);
