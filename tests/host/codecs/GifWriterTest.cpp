// GIF files written from bitmaps and read back to the same pixels.
#include "codecs/CodecError.h"
#include "codecs/GifWriter.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/GifBuilder.h"
#include "tests/host/codecs/TempDir.h"
#include "tests/host/codecs/WriterBitmaps.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Colours = std::vector<std::array<uint8_t, 3>>;

Colours Ramp(int n) {
  Colours colours;
  for (int i = 0; i < n; ++i)
    colours.push_back(
        {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7)});
  return colours;
}

class GifWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }

  std::vector<uint8_t> Write(DibHandle bitmap, const char* name) {
    GifWriter writer(dir_.File(name).c_str(), bitmap);
    EXPECT_EQ(writer.Begin(), CodecOk) << writer.ErrorCode();
    EXPECT_EQ(writer.WriteRows(1 << 20), CodecOk);
    EXPECT_EQ(writer.Finish(), CodecOk);
    return TempDir::Read(dir_.File(name));
  }

  // Reads `name` back and compares every pixel with the bitmap's indices.
  void ExpectReadsBack(const char* name, TestBitmap& source, int width, int height,
                       const Colours& colours) {
    ImageFile image(dir_.File(name).c_str());
    ASSERT_EQ(image.GetFormat(), FormatGif);
    ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
    DibDescription dib = Describe(image.GetNativeBitmap());
    ASSERT_EQ(dib.width, width);
    ASSERT_EQ(dib.height, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t index = source.Row(y)[x];
        ASSERT_EQ(DibValue(dib, x, y), index) << "row " << y << " pixel " << x;
        const auto& c = colours[index];
        ASSERT_EQ(DibColour(dib, x, y), (Rgb{c[0], c[1], c[2]})) << "row " << y << " pixel " << x;
      }
  }

  TempDir dir_;
};

TEST_F(GifWriterTest, FourColoursGiveAFourEntryTableAndCodeSizeTwo) {
  Colours colours = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {9, 8, 7}};
  TestBitmap bitmap(7, 5, 8, colours);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) bitmap.Row(y)[x] = static_cast<uint8_t>((x * y + x) % 4);
  std::vector<uint8_t> file = Write(bitmap.bitmap, "four.gif");
  ASSERT_GT(file.size(), 13u + 12 + 11);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF87a");
  EXPECT_EQ(file[6], 7);
  EXPECT_EQ(file[8], 5);
  EXPECT_EQ(file[10], 0x91);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 13, file.begin() + 25),
            (std::vector<uint8_t>{0, 0, 0, 255, 0, 0, 0, 255, 0, 9, 8, 7}));
  EXPECT_EQ(file[25], ',');
  EXPECT_EQ(file[34], 0);  // no local table, not interlaced
  EXPECT_EQ(file[35], 2);  // code size
  EXPECT_EQ(file[file.size() - 2], 0);
  EXPECT_EQ(file.back(), ';');
  ExpectReadsBack("four.gif", bitmap, 7, 5, colours);
}

TEST_F(GifWriterTest, TwoHundredFiftySixColoursGiveAFullTableAndCodeSizeEight) {
  Colours colours = Ramp(256);
  TestBitmap bitmap(203, 151, 8, colours, true);
  std::mt19937 random(1);
  // Noise fills the string table many times over; runs make long strings.
  for (int y = 0; y < 151; ++y)
    for (int x = 0; x < 203; ++x)
      bitmap.Row(y)[x] = y % 3 == 0 ? static_cast<uint8_t>(x / 20) : static_cast<uint8_t>(random());
  std::vector<uint8_t> file = Write(bitmap.bitmap, "full.gif");
  EXPECT_EQ(file[10], 0xF7);
  EXPECT_EQ(file[13 + 768 + 10], 8);
  ExpectReadsBack("full.gif", bitmap, 203, 151, colours);
}

TEST_F(GifWriterTest, ThreeColoursAreWrittenAsAFourEntryTable) {
  Colours colours = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  TestBitmap bitmap(3, 1, 8, colours);
  bitmap.Row(0)[0] = 2;
  bitmap.Row(0)[1] = 1;
  bitmap.Row(0)[2] = 0;
  std::vector<uint8_t> file = Write(bitmap.bitmap, "three.gif");
  EXPECT_EQ(file[10], 0x91);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 22, file.begin() + 25),
            (std::vector<uint8_t>{0, 0, 0}));
  ExpectReadsBack("three.gif", bitmap, 3, 1, colours);
}

TEST_F(GifWriterTest, AConvertedGifReadsBackToTheSamePixels) {
  GifSpec spec;
  spec.width = 33;
  spec.height = 17;
  spec.interlaced = true;
  spec.globalTable = Ramp(16);
  spec.codeSize = 4;
  for (int y = 0; y < 17; ++y) {
    spec.rows.emplace_back();
    for (int x = 0; x < 33; ++x) spec.rows.back().push_back(static_cast<uint8_t>((x / 3 + y) % 16));
  }
  std::string source = dir_.Write("source.gif", MakeGif(spec));
  ImageFile image(source.c_str());
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  std::vector<uint8_t> file = Write(image.GetNativeBitmap(), "copy.gif");
  ImageFile copy(dir_.File("copy.gif").c_str());
  ASSERT_EQ(copy.Load(true, false), CodecOk) << copy.LastError();
  DibDescription dib = Describe(copy.GetNativeBitmap());
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 33; ++x) ASSERT_EQ(DibValue(dib, x, y), spec.rows[y][x]) << y << "," << x;
}

TEST_F(GifWriterTest, OnlyEightBitBitmapsCanBeWritten) {
  TestBitmap bitmap(4, 4, 24, {});
  GifWriter writer(dir_.File("deep.gif").c_str(), bitmap.bitmap);
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrNotSupported);
}

}  // namespace
