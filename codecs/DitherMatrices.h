// The three 8 x 8 ordered-dither matrices shared by the cube quantizer's
// dithering methods, row by row.
#pragma once

#include <cstdint>

extern const uint8_t kDitherMatrixA[64];
extern const uint8_t kDitherMatrixB[64];
extern const uint8_t kDitherMatrixC[64];
