// Registry keys as the log and .reg files write them: a root's full name, a
// backslash and the path below it ("HKEY_CLASSES_ROOT\.png").
#pragma once

#include <windows.h>

#include <string>

// The root and the path below it; false for an unknown root or a root alone.
bool SplitKey(const std::string& key, HKEY& root, std::string& path);

bool KeyExists(HKEY root, const std::string& path);
