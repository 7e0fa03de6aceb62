#pragma once
#include <string>

// The file extension a converted picture of `format` gets; null when the
// format cannot be written.
const char* OutputExtension(int format);
// `path` with everything after the last "." of its file name replaced by
// `extension`, or "." and the extension appended when the name has none.
std::string ConvertedPath(const std::string& path, const char* extension);
