// Device-independent bitmaps made directly by the GIF and PCX writer tests.
#pragma once

#include "platform/codec/CodecPlatform.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

struct TestBitmap {
  TestBitmap(int width, int height, int depth, const std::vector<std::array<uint8_t, 3>>& colours,
             bool bottomUp = false) {
    uint8_t rgb[256][3] = {};
    for (size_t i = 0; i < colours.size(); ++i) std::memcpy(rgb[i], colours[i].data(), 3);
    std::vector<uint16_t> indices(colours.size());
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint16_t>(i);
    if (!colours.empty())
      palette = codec_platform::CreateLogicalPalette(rgb, static_cast<int>(colours.size()));
    DibRequest request;
    request.width = width;
    request.height = height;
    request.bottomUp = bottomUp;
    request.depth = depth;
    request.paletteIndices = indices.empty() ? nullptr : indices.data();
    request.colorCount = static_cast<int>(colours.size());
    codec_platform::CreateDib(request, palette, &bitmap, &bits);
    stride = ((width * depth + 7) / 8 + 3) & ~3;
    this->height = height;
    this->bottomUp = bottomUp;
  }
  ~TestBitmap() {
    codec_platform::DeleteBitmap(bitmap);
    codec_platform::DeletePalette(palette);
  }
  TestBitmap(const TestBitmap&) = delete;
  TestBitmap& operator=(const TestBitmap&) = delete;

  // Image row y, whatever the row order.
  uint8_t* Row(int y) { return bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride; }

  DibHandle bitmap = nullptr;
  PaletteHandle palette = nullptr;
  uint8_t* bits = nullptr;
  int stride = 0;
  int height = 0;
  bool bottomUp = false;
};
