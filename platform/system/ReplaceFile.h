// Putting a finished file in the place of another.
#pragma once

#include <string>

// Moves `from` to `to`, replacing a file already there unless it is
// read-only (ERROR_ACCESS_DENIED). The old file stays in place until the new
// one is: on failure `to` is as it was and the last error tells why. Uses MoveFileEx where the
// system has it (the NT family), else ReplaceByRenames.
bool MoveFileReplacing(const std::string& from, const std::string& to);

// The folder a file lies in, with its separator ("C:\a\" for "C:\a\b"),
// or "." for a bare name: where a temporary file beside it goes.
std::string FolderOfFile(const std::string& path);

// A copy of `source` under a new name (`prefix`, digits, ".TMP") in `folder`,
// complete or not at all.
bool CopyToTemporary(const std::string& source, const std::string& folder, const char* prefix,
                     std::string& temporary);

// Windows 95 has no MoveFileEx: the old file is renamed aside in its own
// folder, the new one moved in, then the old one deleted; a failed move
// renames the old one back.
bool ReplaceByRenames(const std::string& from, const std::string& to);
