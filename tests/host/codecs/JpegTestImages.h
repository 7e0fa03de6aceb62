// JPEG files made by the tests with libjpeg itself, so every expected pixel
// is known: the picture is a function of (x, y) and the tests compare what
// the reader delivers against it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct JpegPicture {
  int width = 16;
  int height = 16;
  int components = 3;  // 1 grey, 3 colour, 4 CMYK
  int quality = 100;
  bool progressive = false;
  bool jfif = true;           // write the JFIF APP0 segment
  std::vector<uint8_t> app1;  // when not empty, an APP1 segment with these bytes
  // Red, green, blue (grey: red only; CMYK: the four bytes of the word).
  std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

std::vector<uint8_t> MakeJpeg(const JpegPicture& picture);

// Offset of the `nth` (0-based) marker 0xFF `code` in a JPEG stream, or
// the stream's size when there are fewer. Entropy-coded data stuffs its
// 0xFF bytes, so only real markers match.
size_t FindJpegMarker(const std::vector<uint8_t>& bytes, uint8_t code, int nth = 0);

// The channels of a 0xRRGGBB value.
inline int RedOf(uint32_t rgb) { return static_cast<int>(rgb >> 16) & 255; }
inline int GreenOf(uint32_t rgb) { return static_cast<int>(rgb >> 8) & 255; }
inline int BlueOf(uint32_t rgb) { return static_cast<int>(rgb) & 255; }
