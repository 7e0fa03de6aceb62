// A running program file cannot be deleted, so the uninstaller does not run
// from the folder it removes: it starts a copy of itself in the temporary
// folder, which the system deletes when that copy ends, and ends itself.
#pragma once

#include "UninstallArguments.h"

#include <string>

// True when the running program lies in the folder of `logPath`.
bool RunsFromProgramFolder(const std::string& logPath);

// Starts the copy with the same arguments; false when it could not be made
// or started, and the work is then done here.
bool ContinueInTemporaryCopy(const TUninstallArguments& arguments);
