// Many distinct TrueType families made from one font file, for measuring
// the catalogue over a crowded fonts folder.
#pragma once

#include <string>
#include <vector>

// Writes `count` copies of the TrueType file `source` into `folder`, each with
// its family renamed: every "Liberation Sans" of the naming table becomes
// "Bench Sans 0001", "Bench Sans 0002" ... (same length, so the table keeps
// its layout). Returns the paths written.
std::vector<std::string> MakeRenamedCopies(const std::string& source, const std::string& folder,
                                           int count);
