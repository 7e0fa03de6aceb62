// Targa files of every image type and depth, built byte by byte and read
// back pixel by pixel.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/MemoryImageTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct TgaSpec {
  int imageType = 2;
  int depth = 24;
  int width = 0;
  int height = 0;
  bool topDown = false;
  int colourMapType = 0;
  int colourMapLength = 0;
  int colourMapEntrySize = 0;
  Bytes id;
  Bytes colourMap;  // stored entries
  Bytes pixels;     // stored pixel data, rows in storage order
};

Bytes MakeTga(const TgaSpec& spec) {
  Bytes out(18, 0);
  out[0] = static_cast<uint8_t>(spec.id.size());
  out[1] = static_cast<uint8_t>(spec.colourMapType);
  out[2] = static_cast<uint8_t>(spec.imageType);
  out[3] = 7;  // first entry: not used
  out[5] = static_cast<uint8_t>(spec.colourMapLength);
  out[6] = static_cast<uint8_t>(spec.colourMapLength >> 8);
  out[7] = static_cast<uint8_t>(spec.colourMapEntrySize);
  out[12] = static_cast<uint8_t>(spec.width);
  out[13] = static_cast<uint8_t>(spec.width >> 8);
  out[14] = static_cast<uint8_t>(spec.height);
  out[15] = static_cast<uint8_t>(spec.height >> 8);
  out[16] = static_cast<uint8_t>(spec.depth);
  out[17] = spec.topDown ? 0x20 : 0;
  out.insert(out.end(), spec.id.begin(), spec.id.end());
  out.insert(out.end(), spec.colourMap.begin(), spec.colourMap.end());
  out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
  return out;
}

class TgaReaderTest : public MemoryImageTest<FormatTga> {};

TEST_F(TgaReaderTest, ColourMappedImagesTakeTheirTwentyFourBitMap) {
  TgaSpec spec;
  spec.imageType = 1;
  spec.depth = 8;
  spec.width = 3;
  spec.height = 2;
  spec.topDown = true;
  spec.id = {'h', 'i'};
  spec.colourMapType = 1;
  spec.colourMapLength = 3;
  spec.colourMapEntrySize = 24;
  spec.colourMap = {30, 20, 10, 0, 0, 255, 9, 8, 7};  // blue, green, red
  spec.pixels = {0, 1, 2, 2, 1, 0};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(dib.bitsPerPixel, 8);
  EXPECT_EQ(DibValue(dib, 1, 0), 1u);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(DibColour(dib, 0, 1), (Rgb{7, 8, 9}));
}

TEST_F(TgaReaderTest, ASixteenBitColourMapOfSixteenEntriesIsWidened) {
  TgaSpec spec;
  spec.imageType = 9;
  spec.depth = 8;
  spec.width = 2;
  spec.height = 1;
  spec.colourMapType = 1;
  spec.colourMapLength = 16;
  spec.colourMapEntrySize = 16;
  spec.colourMap.assign(32, 0);
  spec.colourMap[2] = 0xFF;  // entry 1: 0x7FFF
  spec.colourMap[3] = 0x7F;
  spec.colourMap[4] = 0x1F;  // entry 2: 0x001F
  spec.pixels = {0x00, 1, 0x00, 2};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 0, 255}));
}

TEST_F(TgaReaderTest, ASixteenBitColourMapOfOtherLengthsIsRejected) {
  TgaSpec spec;
  spec.imageType = 1;
  spec.depth = 8;
  spec.width = 1;
  spec.height = 1;
  spec.colourMapType = 1;
  spec.colourMapLength = 256;
  spec.colourMapEntrySize = 16;
  spec.colourMap.assign(512, 0);
  spec.pixels = {0};
  EXPECT_EQ(LoadError(MakeTga(spec)), ErrNotSupported);
}

TEST_F(TgaReaderTest, TrueColourFilesWithAColourMapAreReadAfterTheMap) {
  TgaSpec spec;
  spec.imageType = 2;
  spec.depth = 24;
  spec.width = 2;
  spec.height = 1;
  spec.colourMapType = 1;
  spec.colourMapLength = 4;
  spec.colourMapEntrySize = 16;
  spec.colourMap.assign(8, 0xEE);
  spec.pixels = {1, 2, 3, 4, 5, 6};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{3, 2, 1}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{6, 5, 4}));

  spec.depth = 16;
  spec.colourMapEntrySize = 24;
  spec.colourMap.assign(12, 0xEE);
  spec.pixels = {0x00, 0x7C, 0x1F, 0x00};
  dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 0, 255}));
}

TEST_F(TgaReaderTest, GreyImagesGetTheGreyPalette) {
  TgaSpec spec;
  spec.imageType = 3;
  spec.depth = 8;
  spec.width = 3;
  spec.height = 1;
  spec.pixels = {0, 128, 255};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_TRUE(image_->IsGrey());
  EXPECT_EQ(DibValue(dib, 1, 0), 128u);
  spec.imageType = 11;
  spec.pixels = {0x82, 77};
  dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibValue(dib, 2, 0), 77u);
}

TEST_F(TgaReaderTest, SixteenBitPixelsExpandFiveBitChannels) {
  TgaSpec spec;
  spec.depth = 16;
  spec.width = 3;
  spec.height = 1;
  spec.pixels = {0xFF, 0x7F, 0x1F, 0x00, 0x21, 0x04};  // 0x7FFF, 0x001F, 0x0421
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{8, 8, 8}));
}

TEST_F(TgaReaderTest, BottomUpFilesShowUprightAndFillFromTheBottom) {
  TgaSpec spec;
  spec.depth = 32;
  spec.width = 2;
  spec.height = 3;
  // Stored bottom row first.
  spec.pixels = {3, 0, 0, 9, 3, 0, 0, 9, 2, 0, 0, 9, 2, 0, 0, 9, 1, 0, 0, 9, 1, 0, 0, 9};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{0, 0, 1}));
  EXPECT_EQ(DibColour(dib, 1, 2), (Rgb{0, 0, 3}));

  ImageFile image(ImageSource::FromMemory(data_.data(), data_.size()));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  bool changed = false;
  ImageRect rect;
  ASSERT_EQ(image.DecodeRows(1, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 2, 2, 3}));
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 2, 2, 3}));
  image.EndLoad(false);
}

TEST_F(TgaReaderTest, TopDownFilesFillFromTheTop) {
  TgaSpec spec;
  spec.width = 1;
  spec.height = 2;
  spec.topDown = true;
  spec.pixels = {1, 0, 0, 2, 0, 0};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{0, 0, 1}));
  ImageFile image(ImageSource::FromMemory(data_.data(), data_.size()));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  ImageRect rect;
  bool changed = false;
  ASSERT_EQ(image.DecodeRows(1, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 0, 1, 1}));
  image.EndLoad(false);
}

TEST_F(TgaReaderTest, RunLengthPacketsAreCutAtTheEndOfEachRow) {
  TgaSpec spec;
  spec.imageType = 10;
  spec.depth = 24;
  spec.width = 3;
  spec.height = 2;
  spec.topDown = true;
  // Row 0: a run of 5 (only 3 used). Row 1: a raw packet of 4 (3 used, the
  // fourth value skipped).
  spec.pixels = {0x84, 1, 2, 3, 0x03, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7};
  DibDescription dib = LoadNative(MakeTga(spec));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(DibColour(dib, x, 0), (Rgb{3, 2, 1})) << "pixel " << x;
  EXPECT_EQ(DibColour(dib, 0, 1), (Rgb{4, 4, 4}));
  EXPECT_EQ(DibColour(dib, 2, 1), (Rgb{6, 6, 6}));
}

TEST_F(TgaReaderTest, ThirtyTwoBitRunLengthPixelsDropTheirFourthByte) {
  TgaSpec spec;
  spec.imageType = 10;
  spec.depth = 32;
  spec.width = 2;
  spec.height = 1;
  spec.pixels = {0x81, 10, 20, 30, 40};
  DibDescription dib = LoadNative(MakeTga(spec));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{30, 20, 10}));
}

TEST_F(TgaReaderTest, DataEndingEarlyIsBadData) {
  TgaSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.pixels = {1, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(LoadError(MakeTga(spec)), ErrBadData);
  spec.imageType = 10;
  spec.pixels = {0x81, 1, 2, 3, 0x01};
  EXPECT_EQ(LoadError(MakeTga(spec)), ErrBadData);
}

TEST_F(TgaReaderTest, HeaderProblemsAreNotSupported) {
  TgaSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.pixels = {1, 2, 3};
  TgaSpec badDepth = spec;
  badDepth.depth = 15;
  TgaSpec badType = spec;
  badType.imageType = 4;
  TgaSpec interleaved = spec;
  Bytes interleavedBytes = MakeTga(interleaved);
  interleavedBytes[17] = 0x40;
  for (const Bytes& bytes : {MakeTga(badDepth), MakeTga(badType), interleavedBytes}) {
    Open(bytes);
    EXPECT_NE(image_->GetFormat(), FormatTga);
  }
  Bytes shortHeader = MakeTga(spec);
  shortHeader.resize(17);
  Open(shortHeader);
  EXPECT_NE(image_->Load(true, true), CodecOk);
}

}  // namespace
