// A fixture for reader tests on files held in memory: the bytes live as
// long as the ImageFile over them, and loads run for a 24-bit screen.
#pragma once

#include "codecs/ImageFile.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

template <int kFormat>
class MemoryImageTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }

  ImageFile& Open(std::vector<uint8_t> bytes) {
    image_.reset();
    data_ = std::move(bytes);
    image_.reset(new ImageFile(ImageSource::FromMemory(data_.data(), data_.size())));
    return *image_;
  }

  // Loads at natural size with the reader's own rows kept in the native bitmap.
  DibDescription LoadNative(std::vector<uint8_t> bytes) {
    ImageFile& image = Open(std::move(bytes));
    EXPECT_EQ(image.GetFormat(), kFormat);
    EXPECT_EQ(image.Load(true, true), CodecOk) << "error " << image.LastError();
    return Describe(image.GetNativeBitmap());
  }

  int LoadError(std::vector<uint8_t> bytes) {
    ImageFile& image = Open(std::move(bytes));
    EXPECT_NE(image.Load(true, true), CodecOk);
    return image.LastError();
  }

  // Palette-index pixels, rows given top to bottom.
  template <typename Index = uint32_t>
  void ExpectIndices(const DibDescription& dib, const std::vector<std::vector<Index>>& rows) {
    ASSERT_EQ(dib.height, static_cast<int>(rows.size()));
    for (int y = 0; y < dib.height; ++y) {
      ASSERT_EQ(dib.width, static_cast<int>(rows[y].size()));
      for (int x = 0; x < dib.width; ++x)
        ASSERT_EQ(DibValue(dib, x, y), static_cast<uint32_t>(rows[y][x]))
            << "row " << y << " pixel " << x;
    }
  }

  std::vector<uint8_t> data_;
  std::unique_ptr<ImageFile> image_;
};
