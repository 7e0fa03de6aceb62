// Paths between the Unix side and the Windows programs under Wine.
#pragma once

#include <string>

// The Windows path of a Unix path, through Wine's drive Z: ("/a/b" -> "Z:\a\b").
std::string WinePathOf(const std::string& unixPath);
