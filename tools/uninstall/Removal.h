// Undoing what Install.Log lists, from its last line up.
#pragma once

#include "InstallLog.h"

#include <windows.h>

#include <string>
#include <vector>

// Undoes one entry. True when what it names is gone (or back as it was),
// also when someone else removed it already.
bool UndoEntry(const TLogEntry& entry);

// Undoes every entry, last first. A file in use by a program that is still
// ending (the font manager that started this, the Control Panel that held
// the applet) is tried again for up to `patience` milliseconds. Returns the
// entries that stayed, in log order.
std::vector<TLogEntry> UndoInstallation(const std::vector<TLogEntry>& entries, DWORD patience);

// How an entry is named to the user: the path, or the key and value.
std::string DescribeEntry(const TLogEntry& entry);
