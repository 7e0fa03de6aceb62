#pragma once
#include <string>

// The name the shell shows for `path` (GetFileTitleA); the path itself when
// it has none.
std::string FileTitleOf(const char* path);
