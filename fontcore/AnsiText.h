// Text of Unicode font names in the system's ANSI code page, the code page
// every other name of the program is in.
#pragma once

#include <string>

// Characters the code page lacks become "?".
std::string AnsiFromUtf16(const std::u16string& text);
