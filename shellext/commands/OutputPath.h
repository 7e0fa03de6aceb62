#pragma once
#include <string>

// The file extension a converted picture of `format` gets; null when the
// format cannot be written.
const char* OutputExtension(int format);
// `path` with everything after its last "." replaced by `extension`, or
// "." and the extension appended when it has none.
std::string ConvertedPath(const std::string& path, const char* extension);
