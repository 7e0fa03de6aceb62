// How many items the Recycle Bin of a drive holds.
#pragma once

#include <windows.h>

#include <string>

// The items in the Recycle Bin of `path`'s drive, -1 when it has none. Asks
// SHQueryRecycleBin where the shell has it (shell32 4.71 on), else counts
// the bin's folder of the path's drive with RecycledFolderItems; -1 for a
// path without a drive letter there.
LONGLONG RecycleBinItems(const std::string& path);

// The shell of Windows 95 keeps a drive's Recycle Bin in "RECYCLED" at its
// root: the deleted files under new names beside the INFO file that records
// them. The count of files there less the bookkeeping; 0 when the folder is
// not there yet (an empty bin). `root` ends with a backslash ("C:").
LONGLONG RecycledFolderItems(const std::string& root);
