// Short (8.3) names spelled out.
#pragma once

#include <string>

// `path` with every short name spelled out: GetLongPathName where the system
// has it (Windows 98 on), else LongPathByParts. An unknown path comes back
// as it was.
std::string LongPathOf(const std::string& path);

// The same, one component at a time, each looked up with FindFirstFile.
std::string LongPathByParts(const std::string& path);
