// Removing installed fonts: each file is withdrawn from the running system,
// moved to the Recycle Bin and only then taken out of the Fonts key, so that
// a file that stays keeps its font installed.
#pragma once

#include "FontItems.h"

#include <string>
#include <vector>

// Sets Recycle of every record (its file is not on a network drive) and
// returns how many have it set. A path that does not begin with a drive
// letter is on the network (a UNC path); any other raises ERangeError.
int MarkRecycleFiles(std::vector<TToDeleteItem>& list);

// Removes one font file; failures are reported and leave the font loaded
// and registered. The entry of a file that is gone is deleted. A font the
// system will not withdraw loses file and entry all the same, and the user
// is told that it stays loaded.
void RemoveFontEntry(const std::string& entryName, const std::string& fileName, bool recycle,
                     const std::string& path);

// Moves one file to the Recycle Bin silently; the shell's result code, 0 on
// success.
int RecycleFile(const std::string& path);
