// Progress in pictures taller than 20000 rows, where scaling the rows done
// to 0 .. 10000 rounds up to 10000 a row early: every reader must hold it
// below 10000 until its last row is in, whatever pass it is in.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/BmpBuilder.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/GifBuilder.h"
#include "tests/host/codecs/PngTestImages.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

namespace {

constexpr int kRows = 20001;

// Rows as the file stores them, the bottom one first; in colour the bottom
// row stands out as 0xC86432.
std::vector<uint8_t> TallBmp(int bits) {
  std::vector<std::vector<uint32_t>> rows(kRows, std::vector<uint32_t>{0});
  for (int n = 0; n < kRows; ++n)
    rows[n][0] = bits == 24 ? (n == 0 ? 0xC86432u : 0x10u << 16 | (n & 255)) : n & 1;
  BmpSpec spec;
  spec.height = kRows;
  spec.bits = bits;
  if (bits == 8) spec.palette = {{0, 0, 0}, {255, 255, 255}};
  return MakeBmp(spec, PackRows(rows, bits));
}

std::vector<uint8_t> TallGif() {
  GifSpec spec;
  spec.width = 1;
  spec.height = kRows;
  spec.globalTable = {{0, 0, 0}, {255, 255, 255}};
  spec.codeSize = 2;
  spec.rows.assign(kRows, std::vector<uint8_t>{1});
  return MakeGif(spec);
}

std::vector<uint8_t> TallPng() {
  PngImageSpec spec;
  spec.height = kRows;
  spec.sample = [](int, int y, int) { return static_cast<uint16_t>(y & 255); };
  return WritePngImage(spec);
}

class TallPictureProgressTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }
  void TearDown() override { host_codec::SetScreenDepth(24); }

  // All rows but the last leave progress below 10000; the last completes.
  void ExpectLastRowCompletes(const std::vector<uint8_t>& bytes, const char* what) {
    SCOPED_TRACE(what);
    ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
    ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk) << image.LastError();
    ASSERT_EQ(image.DecodeRows(kRows - 1), CodecOk) << image.LastError();
    EXPECT_LT(image.GetProgress(), 10000);
    ASSERT_EQ(image.DecodeRows(1), CodecOk) << image.LastError();
    EXPECT_EQ(image.GetProgress(), 10000);
    EXPECT_EQ(image.EndLoad(true), CodecOk);
    EXPECT_NE(image.GetNativeBitmap(), nullptr);
  }
};

TEST_F(TallPictureProgressTest, BmpGifAndPngCompleteOnlyWithTheirLastRow) {
  ExpectLastRowCompletes(TallBmp(8), "bmp");
  ExpectLastRowCompletes(TallGif(), "gif");
  ExpectLastRowCompletes(TallPng(), "png");
}

TEST_F(TallPictureProgressTest, TwoPassReductionMapsEveryRowInTheSecondPass) {
  host_codec::SetScreenDepth(8);
  const std::vector<uint8_t> bytes = TallBmp(24);
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.BeginLoad({.reductionMode = 3}), CodecOk) << image.LastError();
  ASSERT_EQ(image.DecodeRows(kRows - 1), CodecOk);
  EXPECT_LT(image.GetProgress(), 5000);
  ASSERT_EQ(image.DecodeRows(1), CodecOk);
  EXPECT_EQ(image.GetProgress(), 5000) << "the first pass is done";
  ASSERT_EQ(image.DecodeRows(kRows - 1), CodecOk);
  EXPECT_LT(image.GetProgress(), 10000);
  ASSERT_EQ(image.DecodeRows(1), CodecOk);
  EXPECT_EQ(image.GetProgress(), 10000);
  image.EndLoad(true);
  // The bottom row, mapped last, has its colour, within a histogram cell.
  const Rgb last = DibColour(Describe(image.GetDisplayBitmap()), 0, kRows - 1);
  EXPECT_NEAR(last.red, 200, 4);
  EXPECT_NEAR(last.green, 100, 4);
  EXPECT_NEAR(last.blue, 50, 4);
}

}  // namespace
