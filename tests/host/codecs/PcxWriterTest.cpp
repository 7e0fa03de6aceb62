// PCX files written from 8-, 16- and 24-bit bitmaps and read back.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/PcxWriter.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/TempDir.h"
#include "tests/host/codecs/WriterBitmaps.h"

#include <gtest/gtest.h>

namespace {

class PcxWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }

  std::vector<uint8_t> Write(DibHandle bitmap, const char* name) {
    PcxWriter writer(dir_.File(name).c_str(), bitmap);
    EXPECT_EQ(writer.Begin(), CodecOk) << writer.ErrorCode();
    EXPECT_EQ(writer.WriteRows(1 << 20), CodecOk);
    EXPECT_EQ(writer.Finish(), CodecOk);
    return TempDir::Read(dir_.File(name));
  }

  DibDescription ReadBack(const char* name) {
    image_.reset(new ImageFile(dir_.File(name).c_str()));
    EXPECT_EQ(image_->GetFormat(), FormatPcx);
    EXPECT_EQ(image_->Load(true, false), CodecOk) << image_->LastError();
    return Describe(image_->GetNativeBitmap());
  }

  TempDir dir_;
  std::unique_ptr<ImageFile> image_;
};

int U16(const std::vector<uint8_t>& file, size_t at) { return file[at] | file[at + 1] << 8; }

TEST_F(PcxWriterTest, AnEightBitBitmapOfOddWidthGetsAnEvenLineAndItsPalette) {
  TestBitmap bitmap(5, 3, 8, {{1, 2, 3}, {200, 201, 202}, {7, 7, 7}});
  const uint8_t rows[3][5] = {{0, 1, 2, 1, 0}, {2, 2, 2, 2, 2}, {1, 0, 1, 0, 1}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) bitmap.Row(y)[x] = rows[y][x];
  std::vector<uint8_t> file = Write(bitmap.bitmap, "eight.pcx");
  ASSERT_GT(file.size(), 128u + 769);
  EXPECT_EQ(file[0], 10);
  EXPECT_EQ(file[1], 5);
  EXPECT_EQ(file[2], 1);
  EXPECT_EQ(file[3], 8);
  EXPECT_EQ(U16(file, 4), 0);
  EXPECT_EQ(U16(file, 8), 4);
  EXPECT_EQ(U16(file, 10), 2);
  EXPECT_EQ(U16(file, 12), 5);
  EXPECT_EQ(U16(file, 14), 3);
  EXPECT_EQ(file[65], 1);
  EXPECT_EQ(U16(file, 66), 6);
  EXPECT_EQ(U16(file, 68), 1);
  // Row 1: a run of five 2s and the pad byte.
  const size_t row0 = 128;
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + row0, file.begin() + row0 + 6),
            (std::vector<uint8_t>{0, 1, 2, 1, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + row0 + 6, file.begin() + row0 + 9),
            (std::vector<uint8_t>{0xC5, 2, 0}));
  const size_t trailer = file.size() - 769;
  EXPECT_EQ(file[trailer], 12);
  EXPECT_EQ(file[trailer + 4], 200);
  EXPECT_EQ(file[trailer + 9], 7);
  EXPECT_EQ(file[trailer + 10], 0);

  DibDescription dib = ReadBack("eight.pcx");
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(DibValue(dib, x, y), rows[y][x]) << y << "," << x;
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{200, 201, 202}));
}

TEST_F(PcxWriterTest, ATwentyFourBitBitmapIsOnePlaneOfTwentyFourBits) {
  TestBitmap bitmap(3, 2, 24, {}, true);
  for (int y = 0; y < 2; ++y)
    for (int i = 0; i < 9; ++i)
      bitmap.Row(y)[i] = static_cast<uint8_t>(y * 100 + i * 20 + (i == 4 ? 150 : 0));
  std::vector<uint8_t> file = Write(bitmap.bitmap, "deep.pcx");
  EXPECT_EQ(file[3], 24);
  EXPECT_EQ(file[65], 1);
  EXPECT_EQ(U16(file, 66), 10);
  DibDescription dib = ReadBack("deep.pcx");
  EXPECT_EQ(dib.bitsPerPixel, 24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const uint8_t* p = bitmap.Row(y) + 3 * x;
      ASSERT_EQ(DibColour(dib, x, y), (Rgb{p[2], p[1], p[0]})) << y << "," << x;
    }
}

TEST_F(PcxWriterTest, ASixteenBitBitmapReadsBackAsTheSameColours) {
  TestBitmap bitmap(4, 1, 16, {});
  const uint16_t words[4] = {0x7C00, 0x03E0, 0x001F, 0x5294};
  for (int x = 0; x < 4; ++x) {
    bitmap.Row(0)[2 * x] = static_cast<uint8_t>(words[x]);
    bitmap.Row(0)[2 * x + 1] = static_cast<uint8_t>(words[x] >> 8);
  }
  std::vector<uint8_t> file = Write(bitmap.bitmap, "words.pcx");
  EXPECT_EQ(file[3], 16);
  EXPECT_EQ(U16(file, 66), 8);
  DibDescription dib = ReadBack("words.pcx");
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{248, 0, 0}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 248, 0}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{0, 0, 248}));
  EXPECT_EQ(DibColour(dib, 3, 0), (Rgb{160, 160, 160}));
  // No palette for 16 bits: the block is all zeros after its marker.
  const size_t trailer = file.size() - 769;
  EXPECT_EQ(file[trailer], 12);
  for (size_t i = trailer + 1; i < file.size(); ++i) ASSERT_EQ(file[i], 0) << "byte " << i;
}

TEST_F(PcxWriterTest, LongRunsAreSplitAtSixtyThree) {
  TestBitmap bitmap(100, 1, 8, {{0, 0, 0}, {1, 1, 1}});
  for (int x = 0; x < 100; ++x) bitmap.Row(0)[x] = 1;
  std::vector<uint8_t> file = Write(bitmap.bitmap, "runs.pcx");
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 128, file.begin() + 132),
            (std::vector<uint8_t>{0xFF, 1, 0xE5, 1}));
  EXPECT_EQ(file.size(), 128u + 4 + 769);
}

TEST_F(PcxWriterTest, OneBitBitmapsCannotBeWritten) {
  TestBitmap bitmap(8, 1, 1, {{0, 0, 0}, {255, 255, 255}});
  PcxWriter writer(dir_.File("mono.pcx").c_str(), bitmap.bitmap);
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrNotSupported);
}

}  // namespace
