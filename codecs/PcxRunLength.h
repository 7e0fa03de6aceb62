// The run-length encoding of PCX scan lines as the writer produces it.
#pragma once

#include <cstddef>
#include <cstdint>

// Encodes `length` bytes into `out` (room for 2 x length bytes) and returns
// the encoded length. Runs are at most 63 long and never continue past the
// end of the data; a single byte of 192 or more is written as a run of one.
size_t EncodePcxRunLength(const uint8_t* data, int length, uint8_t* out);
