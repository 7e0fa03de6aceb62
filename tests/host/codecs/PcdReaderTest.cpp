// Photo CD image packs made by the test with the layout of the real ones:
// three sectors of header, then the image data of the three lowest
// resolutions at their fixed sectors. Each level carries its own pattern so
// that the level read, the line order and the rotation can be told apart.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/PcdReader.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/MemoryImageTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const size_t kLevelOffset[4] = {0, 8192, 47104, 196608};
const int kLevelWidth[4] = {0, 192, 384, 768};

// Luma of stored line `line`, sample `j` at `level`; below 188, so that
// with neutral chroma the grey is trunc(Y x 1.35638) unclamped.
int Luma(int level, int line, int j) { return (level * 40 + line * 3 + j) % 180; }
int Grey(int y) { return static_cast<int>(y * 1.35638); }

Bytes MakePack(int rotation, size_t cutAt = 0) {
  Bytes pack(kLevelOffset[3] + 3 * 768 * 256, 0);
  std::memcpy(&pack[2048], "PCD_IPI", 7);
  pack[3586] = static_cast<uint8_t>(0xF0 | rotation);
  for (int level = 1; level <= 3; ++level) {
    const int length = kLevelWidth[level];
    const int lines = length * 2 / 3;
    uint8_t* group = &pack[kLevelOffset[level]];
    for (int line = 0; line < lines; line += 2, group += 3 * length) {
      for (int j = 0; j < length; ++j) {
        group[j] = static_cast<uint8_t>(Luma(level, line, j));
        group[length + j] = static_cast<uint8_t>(Luma(level, line + 1, j));
      }
      std::memset(group + 2 * length, 156, length / 2);
      std::memset(group + 2 * length + length / 2, 137, length / 2);
    }
  }
  if (cutAt) pack.resize(cutAt);
  return pack;
}

class PcdReaderTest : public MemoryImageTest<FormatPcd> {
 protected:
  // The level the reader picks for an output size.
  int LevelFor(int rotation, int outputWidth, int outputHeight) {
    data_ = MakePack(rotation);
    PcdReader reader(ImageSource::FromMemory(data_.data(), data_.size()));
    EXPECT_EQ(reader.ReadHeader(), CodecOk);
    EXPECT_EQ(reader.SetTargets(1, 0), CodecOk);
    EXPECT_EQ(reader.SetOutputSize(outputWidth, outputHeight), CodecOk);
    EXPECT_EQ(reader.SetOutputFormat(24, 0, 0), CodecOk);
    EXPECT_EQ(reader.BeginDecode(), CodecOk) << reader.ErrorCode();
    int level = reader.Level();
    reader.EndDecode();
    return level;
  }
};

TEST_F(PcdReaderTest, DetectsLandscapeAndPortraitPacks) {
  EXPECT_EQ(Open(MakePack(0)).GetFormat(), FormatPcd);
  EXPECT_EQ(image_->GetSourceWidth(), 768);
  EXPECT_EQ(image_->GetSourceHeight(), 512);
  for (int rotation = 1; rotation <= 3; ++rotation) {
    EXPECT_EQ(Open(MakePack(rotation)).GetFormat(), FormatPcd);
    EXPECT_EQ(image_->GetSourceWidth(), 512) << "rotation " << rotation;
    EXPECT_EQ(image_->GetSourceHeight(), 768) << "rotation " << rotation;
  }
}

TEST_F(PcdReaderTest, ReadsTheSmallestLevelThatCoversTheOutput) {
  EXPECT_EQ(LevelFor(0, 192, 128), 1);
  EXPECT_EQ(LevelFor(0, 100, 60), 1);
  EXPECT_EQ(LevelFor(0, 200, 130), 2);
  EXPECT_EQ(LevelFor(0, 384, 256), 2);
  EXPECT_EQ(LevelFor(0, 385, 257), 3);
  EXPECT_EQ(LevelFor(0, 0, 0), 3);
  EXPECT_EQ(LevelFor(1, 128, 192), 1);
  EXPECT_EQ(LevelFor(1, 129, 193), 2);
  EXPECT_EQ(LevelFor(2, 512, 768), 3);
  // Covering one direction is not enough.
  EXPECT_EQ(LevelFor(0, 192, 129), 2);
}

TEST_F(PcdReaderTest, ALandscapeLevelIsReadRowByRow) {
  ImageFile& image = Open(MakePack(0));
  ASSERT_EQ(image.LoadFitted(
                {.maxWidth = 192, .maxHeight = 128, .keepNative = true, .makeDisplay = false}),
            CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.width, 192);
  ASSERT_EQ(dib.height, 128);
  for (int y = 0; y < 128; y += 7)
    for (int x = 0; x < 192; x += 5) {
      const int g = Grey(Luma(1, y, x));
      ASSERT_EQ(DibColour(dib, x, y), (Rgb{g, g, g})) << "row " << y << " pixel " << x;
    }
}

TEST_F(PcdReaderTest, TheFullSizeIsLevelThree) {
  ImageFile& image = Open(MakePack(0));
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.width, 768);
  for (int y = 0; y < 512; y += 31)
    for (int x = 0; x < 768; x += 17) {
      const int g = Grey(Luma(3, y, x));
      ASSERT_EQ(DibColour(dib, x, y), (Rgb{g, g, g})) << "row " << y << " pixel " << x;
    }
}

TEST_F(PcdReaderTest, EveryRotationTurnsStoredLinesIntoColumnsFromTheLeft) {
  for (int rotation = 1; rotation <= 3; ++rotation) {
    SCOPED_TRACE(rotation);
    ImageFile& image = Open(MakePack(rotation));
    ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
        << image.LastError();
    bool changed = false;
    ImageRect rect;
    ASSERT_EQ(image.DecodeRows(10, &changed, &rect), CodecOk);
    EXPECT_EQ(rect, (ImageRect{0, 0, 10, 768}));
    EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 10, 768}));
    ASSERT_EQ(image.DecodeRows(1000, &changed, &rect), CodecOk);
    EXPECT_EQ(rect, (ImageRect{10, 0, 512, 768}));
    EXPECT_TRUE(image.IsComplete());
    image.EndLoad(false);
    DibDescription dib = Describe(image.GetNativeBitmap());
    ASSERT_EQ(dib.width, 512);
    ASSERT_EQ(dib.height, 768);
    // Stored line k is column k; its last sample is the top pixel.
    for (int y = 0; y < 768; y += 29)
      for (int x = 0; x < 512; x += 13) {
        const int g = Grey(Luma(3, x, 767 - y));
        ASSERT_EQ(DibColour(dib, x, y), (Rgb{g, g, g})) << "row " << y << " pixel " << x;
      }
  }
}

TEST_F(PcdReaderTest, ARotatedLevelOneIsReadAsColumns) {
  ImageFile& image = Open(MakePack(1));
  ASSERT_EQ(image.LoadFitted(
                {.maxWidth = 128, .maxHeight = 192, .keepNative = true, .makeDisplay = false}),
            CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.width, 128);
  ASSERT_EQ(dib.height, 192);
  for (int y = 0; y < 192; y += 11)
    for (int x = 0; x < 128; x += 3) {
      const int g = Grey(Luma(1, x, 191 - y));
      ASSERT_EQ(DibColour(dib, x, y), (Rgb{g, g, g})) << "row " << y << " pixel " << x;
    }
}

TEST_F(PcdReaderTest, APortraitPictureReducedInTwoPassesForAPaletteScreenKeepsItsColumns) {
  // Columns arrive 192 pixels long; the second pass maps rows 128 wide.
  host_codec::SetScreenDepth(8);
  for (int mode : {3, 4}) {
    SCOPED_TRACE(mode);
    ImageFile& image = Open(MakePack(1));
    ASSERT_EQ(image.LoadFitted({.maxWidth = 128, .maxHeight = 192, .reductionMode = mode}), CodecOk)
        << image.LastError();
    DibDescription dib = Describe(image.GetDisplayBitmap());
    ASSERT_EQ(dib.bitsPerPixel, 8);
    ASSERT_EQ(dib.width, 128);
    ASSERT_EQ(dib.height, 192);
    // Colours come from histogram cells 8 (blue, red) and 4 (green) wide.
    const int tolerance = mode == 3 ? 10 : 24;
    for (int y = 0; y < 192; ++y)
      for (int x = 0; x < 128; ++x) {
        const int g = Grey(Luma(1, x, 191 - y));
        const Rgb got = DibColour(dib, x, y);
        ASSERT_LE(std::abs(got.red - g) + std::abs(got.green - g) + std::abs(got.blue - g),
                  tolerance)
            << "row " << y << " pixel " << x << " is " << ToString(got) << ", grey " << g;
      }
  }
}

TEST_F(PcdReaderTest, EachChromaPairCoversTwoPixelsOfBothLinesOfItsGroup) {
  Bytes pack = MakePack(0);
  uint8_t* group = &pack[kLevelOffset[1]];
  std::memset(group, 100, 4);        // line 0, pixels 0..3
  std::memset(group + 192, 188, 4);  // line 1, pixels 0..3
  group[384] = 200;                  // chroma 1 of pixels 0 and 1
  group[384 + 96] = 100;             // chroma 2 of pixels 0 and 1
  ImageFile& image = Open(pack);
  ASSERT_EQ(image.LoadFitted(
                {.maxWidth = 192, .maxHeight = 128, .keepNative = true, .makeDisplay = false}),
            CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  // Y 100 with C1 200, C2 100: blue 135 + 97, green 135 - 18 + 34, red 135 - 67.
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{68, 151, 232}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{68, 151, 232}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{135, 135, 135}));
  // Y 188 (254) with the same chroma: blue 351 and green 270 clamp to 255.
  EXPECT_EQ(DibColour(dib, 1, 1), (Rgb{187, 255, 255}));
}

TEST_F(PcdReaderTest, ShortOrForeignFilesAreNotSupported) {
  Bytes pack = MakePack(0);
  pack[2048] = 'X';
  EXPECT_NE(Open(pack).GetFormat(), FormatPcd);
  PcdReader reader(ImageSource::FromMemory(data_.data(), data_.size()));
  EXPECT_NE(reader.ReadHeader(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrNotSupported);

  // Long enough to be detected, too short for the three header sectors.
  ImageFile& shortPack = Open(MakePack(0, 5000));
  EXPECT_EQ(shortPack.GetFormat(), FormatPcd);
  EXPECT_NE(shortPack.Load(true, false), CodecOk);
  EXPECT_EQ(shortPack.LastError(), ErrNotSupported);
}

TEST_F(PcdReaderTest, AFileEndingBeforeItsLevelCannotSeekThere) {
  ImageFile& image = Open(MakePack(0, 100000));
  EXPECT_NE(image.Load(true, false), CodecOk);
  EXPECT_EQ(image.LastError(), ErrNoPalette);
}

TEST_F(PcdReaderTest, ImageDataEndingEarlyIsBadData) {
  ImageFile& image = Open(MakePack(0, 300000));
  EXPECT_NE(image.Load(true, false), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
}

}  // namespace
