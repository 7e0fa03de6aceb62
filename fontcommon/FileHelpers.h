// File and path helpers of the Install New Fonts dialog.
#pragma once

#include <cstdint>
#include <string>

// Entries of Folder that match the wildcard Pattern ("*.TTF") and whose
// attribute bits all lie within the mask Attributes; 0 when the folder does
// not exist. A backslash joins the two unless Folder ends with one.
int CountFiles(const std::string& folder, const std::string& pattern, uint16_t attributes);

// The short (8.3) form of Path as the file system gives it; the path
// unchanged when it cannot be shortened (it does not exist).
std::string GetShortPath(const std::string& path);
