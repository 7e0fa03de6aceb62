#pragma once

#include <cstdint>

// Result of the font name readers.
enum TFontReadResult : uint8_t {
  frOK = 0,        // the names were read
  frFailed = 1,    // the file cannot be opened, or its names are missing
  frNotFound = 2,  // the file (or its folder) does not exist
};
