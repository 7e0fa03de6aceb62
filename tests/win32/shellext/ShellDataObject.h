// What Explorer hands a context-menu handler: the shell's own data object
// for files selected in one folder.
#pragma once

#include "ComRef.h"

#include <windows.h>

#include <objidl.h>

#include <string>
#include <vector>

// The data object of `files` (Windows paths, all in the same folder), made by
// the shell from their item identifiers; empty when the shell refuses.
ComRef<IDataObject> ShellDataObjectFor(const std::vector<std::string>& files);
