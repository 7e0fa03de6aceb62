// A WinHelp 3.1 file (.HLP) of a help project: uncompressed topic text in
// 4 KB blocks, one font table, context strings and numbers mapped to topics.
#pragma once

#include "tools/helpgen/ByteWriter.h"
#include "tools/helpgen/HelpProject.h"

// Throws std::length_error when a paragraph is too long for a topic block,
// std::invalid_argument when two context strings share a number.
TBytes BuildWinHelpFile(const THelpProject& project);
