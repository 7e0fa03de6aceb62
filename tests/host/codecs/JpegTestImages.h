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
  // A progressive script of 694 scans (696 in colour): the DC, then every
  // AC coefficient of the first component in its own band, first at 1/1024
  // precision, then refined bit by bit; colour files end with one AC scan
  // for each chroma component. Valid, but far beyond what encoders write.
  bool manyScans = false;
  bool jfif = true;           // write the JFIF APP0 segment
  std::vector<uint8_t> app1;  // when not empty, an APP1 segment with these bytes
  // Red, green, blue (grey: red only; CMYK: the four bytes of the word).
  std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

std::vector<uint8_t> MakeJpeg(const JpegPicture& picture);

// libjpeg's own decode with the reader's settings (fast integer DCT, no
// fancy upsampling): packed rows of grey bytes or blue, green, red triplets.
std::vector<uint8_t> DecodeWithLibjpeg(const std::vector<uint8_t>& bytes);

// Offset of the `nth` (0-based) marker 0xFF `code` in a JPEG stream, or
// the stream's size when there are fewer. Entropy-coded data stuffs its
// 0xFF bytes, so only real markers match.
size_t FindJpegMarker(const std::vector<uint8_t>& bytes, uint8_t code, int nth = 0);

// The channels of a 0xRRGGBB value.
inline int RedOf(uint32_t rgb) { return static_cast<int>(rgb >> 16) & 255; }
inline int GreenOf(uint32_t rgb) { return static_cast<int>(rgb >> 8) & 255; }
inline int BlueOf(uint32_t rgb) { return static_cast<int>(rgb) & 255; }
