// What the system itself says about its font families, asked independently
// of the program.
#pragma once

#include <windows.h>

#include <set>
#include <string>

struct TSystemFamilies {
  std::set<std::string> trueType;
  std::set<std::string> other;
  // "@" families: East Asian fonts turned for vertical text.
  std::set<std::string> vertical;
};

// Every family EnumFontFamilies reports, by kind.
TSystemFamilies EnumerateFamilies();

// The cell height (tmHeight) of `face` at `points` on the screen.
int CellHeight(const std::string& face, int points);
