// GIF files built byte by byte for the reader tests. The image data is
// written as literal codes only, with a clear code before the code width
// would grow: a stream any GIF decoder must read, made without the
// encoder under test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using GifTable = std::vector<std::array<uint8_t, 3>>;  // red, green, blue

struct GifSpec {
  std::string version = "89a";
  int width = 0;
  int height = 0;
  GifTable globalTable;  // empty: none (a power of two entries otherwise)
  GifTable localTable;
  bool interlaced = false;
  int codeSize = 8;
  std::vector<std::vector<uint8_t>> blocksBeforeImage;  // extensions, stray bytes
  std::vector<std::vector<uint8_t>> rows;               // image rows, top to bottom
};

inline int GifTableBits(size_t entries) {
  int bits = 1;
  while ((size_t{1} << bits) < entries) ++bits;
  return bits;
}

inline std::vector<uint8_t> GifSubBlocks(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  for (size_t at = 0; at < data.size(); at += 255) {
    size_t n = std::min<size_t>(255, data.size() - at);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + at, data.begin() + at + n);
  }
  out.push_back(0);
  return out;
}

inline std::vector<uint8_t> LiteralLzw(const std::vector<uint8_t>& pixels, int codeSize) {
  const int clear = 1 << codeSize;
  const int width = codeSize + 1;
  std::vector<uint8_t> data;
  uint32_t bits = 0;
  int count = 0;
  auto put = [&](int code) {
    bits |= static_cast<uint32_t>(code) << count;
    count += width;
    while (count >= 8) {
      data.push_back(static_cast<uint8_t>(bits));
      bits >>= 8;
      count -= 8;
    }
  };
  const size_t chunk = static_cast<size_t>(clear - 2);
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i % chunk == 0) put(clear);
    put(pixels[i]);
  }
  put(clear + 1);
  if (count > 0) data.push_back(static_cast<uint8_t>(bits));
  return GifSubBlocks(data);
}

// The rows in the order an interlaced file stores them.
inline std::vector<std::vector<uint8_t>> InterlacedOrder(
    const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<std::vector<uint8_t>> out;
  const int starts[4] = {0, 4, 2, 1};
  const int steps[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (size_t y = starts[pass]; y < rows.size(); y += steps[pass]) out.push_back(rows[y]);
  return out;
}

inline void PutU16(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void PutTable(std::vector<uint8_t>& out, const GifTable& table) {
  for (const auto& entry : table) out.insert(out.end(), entry.begin(), entry.end());
}

inline std::vector<uint8_t> GifImageData(const GifSpec& spec) {
  std::vector<uint8_t> pixels;
  for (const auto& row : spec.interlaced ? InterlacedOrder(spec.rows) : spec.rows)
    pixels.insert(pixels.end(), row.begin(), row.end());
  std::vector<uint8_t> data = {static_cast<uint8_t>(spec.codeSize)};
  std::vector<uint8_t> blocks = LiteralLzw(pixels, spec.codeSize);
  data.insert(data.end(), blocks.begin(), blocks.end());
  return data;
}

// Everything up to and including the image descriptor and its local table.
inline std::vector<uint8_t> GifHead(const GifSpec& spec) {
  std::vector<uint8_t> out;
  for (char c : "GIF" + spec.version) out.push_back(static_cast<uint8_t>(c));
  PutU16(out, spec.width);
  PutU16(out, spec.height);
  uint8_t packed = 0;
  if (!spec.globalTable.empty()) {
    int bits = GifTableBits(spec.globalTable.size());
    packed = static_cast<uint8_t>(0x80 | (bits - 1) << 4 | (bits - 1));
  }
  out.push_back(packed);
  out.push_back(0);  // background
  out.push_back(0);  // aspect
  PutTable(out, spec.globalTable);
  for (const auto& block : spec.blocksBeforeImage)
    out.insert(out.end(), block.begin(), block.end());
  out.push_back(',');
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, spec.width);
  PutU16(out, spec.height);
  uint8_t imagePacked = spec.interlaced ? 0x40 : 0;
  if (!spec.localTable.empty()) {
    int bits = GifTableBits(spec.localTable.size());
    imagePacked |= static_cast<uint8_t>(0x80 | (bits - 1));
  }
  out.push_back(imagePacked);
  PutTable(out, spec.localTable);
  return out;
}

inline std::vector<uint8_t> MakeGif(const GifSpec& spec) {
  std::vector<uint8_t> out = GifHead(spec);
  std::vector<uint8_t> data = GifImageData(spec);
  out.insert(out.end(), data.begin(), data.end());
  out.push_back(';');
  return out;
}
