// BMP files of every depth, compression and header kind, built byte by byte
// and read back pixel by pixel.
#include "codecs/BmpReader.h"
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/BmpBuilder.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/MemoryImageTest.h"
#include "tests/host/codecs/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Palette = std::vector<std::array<uint8_t, 3>>;

const Palette kFour = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {10, 20, 30}};

class BmpReaderTest : public MemoryImageTest<FormatBmp> {};

std::vector<std::vector<uint32_t>> Reversed(std::vector<std::vector<uint32_t>> rows) {
  return {rows.rbegin(), rows.rend()};
}

TEST_F(BmpReaderTest, OneBitPixelsExpandMostSignificantBitFirst) {
  const std::vector<std::vector<uint32_t>> rows = {{1, 0, 0, 1, 1, 0, 1, 0, 1, 1},
                                                   {0, 1, 1, 0, 0, 1, 0, 1, 0, 0}};
  BmpSpec spec;
  spec.width = 10;
  spec.height = 2;
  spec.bits = 1;
  spec.palette = {{0, 0, 0}, {200, 100, 50}};
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(Reversed(rows), 1)));
  EXPECT_EQ(dib.bitsPerPixel, 8);
  ExpectIndices(dib, rows);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{200, 100, 50}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 0, 0}));
}

TEST_F(BmpReaderTest, FourBitPixelsExpandHighNibbleFirst) {
  const std::vector<std::vector<uint32_t>> rows = {{15, 0, 7}, {1, 2, 3}, {14, 13, 12}};
  BmpSpec spec;
  spec.width = 3;
  spec.height = 3;
  spec.bits = 4;
  for (int i = 0; i < 16; ++i)
    spec.palette.push_back({static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i), 7});
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(Reversed(rows), 4)));
  ExpectIndices(dib, rows);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{240, 240, 7}));
}

TEST_F(BmpReaderTest, EightBitRowsAreTakenAsStoredWithTheirPalette) {
  const std::vector<std::vector<uint32_t>> rows = {{0, 1, 2, 3, 2}, {3, 3, 0, 1, 1}};
  BmpSpec spec;
  spec.width = 5;
  spec.height = 2;
  spec.bits = 8;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(Reversed(rows), 8)));
  ExpectIndices(dib, rows);
  EXPECT_EQ(dib.colorCount, 4);
  EXPECT_EQ(DibColour(dib, 0, 1), (Rgb{10, 20, 30}));
  DibDescription display = Describe(image_->GetDisplayBitmap());
  EXPECT_EQ(display.bitsPerPixel, 8);
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{255, 0, 0}));
}

TEST_F(BmpReaderTest, TwentyFourBitBottomUpAndTopDownFilesGiveTheSamePicture) {
  const std::vector<std::vector<uint32_t>> rows = {{0x112233, 0xFF0000, 0x00FF00},
                                                   {0x0000FF, 0x808080, 0xABCDEF}};
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.bits = 24;
  DibDescription bottomUp = LoadNative(MakeBmp(spec, PackRows(Reversed(rows), 24)));
  ExpectIndices(bottomUp, rows);
  spec.height = -2;
  DibDescription topDown = LoadNative(MakeBmp(spec, PackRows(rows, 24)));
  ExpectIndices(topDown, rows);
  EXPECT_EQ(DibColour(topDown, 2, 1), (Rgb{0xAB, 0xCD, 0xEF}));
}

TEST_F(BmpReaderTest, SixteenBitWordsAreReadAsFiveFiveFive) {
  // 0xF800 would be pure red in a 5-6-5 file; here it is 5-5-5.
  const std::vector<std::vector<uint32_t>> rows = {{0x7C00, 0x03E0, 0x001F, 0xFFFF, 0xF800}};
  BmpSpec spec;
  spec.width = 5;
  spec.height = 1;
  spec.bits = 16;
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(rows, 16)));
  EXPECT_EQ(dib.bitsPerPixel, 24);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{248, 0, 0}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 248, 0}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{0, 0, 248}));
  EXPECT_EQ(DibColour(dib, 3, 0), (Rgb{248, 248, 248}));
  EXPECT_EQ(DibColour(dib, 4, 0), (Rgb{240, 0, 0}));
}

TEST_F(BmpReaderTest, FifteenBitFilesReadLikeSixteen) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.bits = 15;
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows({{0x4210, 0x0421}}, 16)));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{128, 128, 128}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{8, 8, 8}));
}

TEST_F(BmpReaderTest, FifteenBitRowsHoldTwoBytesAPixelPaddedToFourBytes) {
  // 17 pixels fill 34 bytes, padded to 36; 15000 pixels fill the widest row.
  for (int width : {17, 15000}) {
    std::vector<std::vector<uint32_t>> rows(3, std::vector<uint32_t>(width));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x)
        rows[y][x] = static_cast<uint32_t>((x * 7 + y * 911) & 0x7FFF);
    BmpSpec spec;
    spec.width = width;
    spec.height = 3;
    spec.bits = 15;
    DibDescription dib = LoadNative(MakeBmp(spec, PackRows(Reversed(rows), 15)));
    ASSERT_EQ(dib.width, width);
    ASSERT_EQ(dib.height, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) {
        const uint32_t v = rows[y][x];
        ASSERT_EQ(DibColour(dib, x, y),
                  (Rgb{static_cast<int>((v >> 7) & 0xF8), static_cast<int>((v >> 2) & 0xF8),
                       static_cast<int>((v << 3) & 0xF8)}))
            << "width " << width << " row " << y << " pixel " << x;
      }
  }
}

TEST_F(BmpReaderTest, ThirtyTwoBitPixelsDropTheFourthByte) {
  const std::vector<std::vector<uint32_t>> rows = {{0x102030, 0xFFFFFF}, {0x000000, 0x7F8081}};
  BmpSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.bits = 32;
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(Reversed(rows), 32)));
  EXPECT_EQ(dib.bitsPerPixel, 24);
  ExpectIndices(dib, rows);
}

TEST_F(BmpReaderTest, Os2OneXHeaderHasSixteenBitSizesAndThreeBytePalette) {
  const std::vector<std::vector<uint32_t>> rows = {{3, 2, 1, 0}};
  BmpSpec spec;
  spec.headerSize = 12;
  spec.width = 4;
  spec.height = 1;
  spec.bits = 8;
  spec.paletteEntries = 256;
  spec.palette = kFour;
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(rows, 8)));
  ExpectIndices(dib, rows);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 255, 0}));
}

TEST_F(BmpReaderTest, Os2TwoXHeaderUsesThreeBytePaletteEntries) {
  const std::vector<std::vector<uint32_t>> rows = {{1, 3}};
  BmpSpec spec;
  spec.headerSize = 64;
  spec.width = 2;
  spec.height = 1;
  spec.bits = 8;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows(rows, 8)));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{10, 20, 30}));
}

TEST_F(BmpReaderTest, ColoursUsedAbove256ReadsOnly256Entries) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.bits = 8;
  spec.colorsUsed = 300;
  spec.paletteEntries = 256;  // the pixel data follows the 256th entry
  for (int i = 0; i < 256; ++i)
    spec.palette.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2), 1});
  DibDescription dib = LoadNative(MakeBmp(spec, PackRows({{255, 128}}, 8)));
  EXPECT_EQ(dib.colorCount, 256);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{255, 127, 1}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{128, 64, 1}));
}

TEST_F(BmpReaderTest, Rle8RunsLiteralsAndEndsOfLineDecode) {
  BmpSpec spec;
  spec.width = 6;
  spec.height = 3;
  spec.bits = 8;
  spec.compression = 1;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  // Bottom row: run of 3 x 1, literal 2 3 0 (odd count, padded), end of line.
  // Middle row: run of 6 x 3, end of line. Top row: run of 2 x 2, end of bitmap.
  const std::vector<uint8_t> rle = {3, 1, 0, 3, 2, 3, 0, 0, 0, 0, 6, 3, 0, 0, 2, 2, 0, 1};
  DibDescription dib = LoadNative(MakeBmp(spec, rle));
  ExpectIndices(dib, {{2, 2, 0, 0, 0, 0}, {3, 3, 3, 3, 3, 3}, {1, 1, 1, 2, 3, 0}});
}

TEST_F(BmpReaderTest, Rle8EndOfBitmapLeavesTheRemainingRowsBlank) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 3;
  spec.bits = 8;
  spec.compression = 1;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  DibDescription dib = LoadNative(MakeBmp(spec, {2, 3, 0, 1}));
  ExpectIndices(dib, {{0, 0}, {0, 0}, {3, 3}});
}

TEST_F(BmpReaderTest, EndOfBitmapInAVeryTallPictureFinishesAtOnce) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 2000000000;
  spec.bits = 8;
  spec.compression = 1;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  data_ = MakeBmp(spec, {2, 3, 0, 1});
  ImageFile image(ImageSource::FromMemory(data_.data(), data_.size()));
  ASSERT_EQ(
      image.LoadFitted({.maxWidth = 10, .maxHeight = 10, .keepNative = true, .makeDisplay = false}),
      CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.width, 1);
  ASSERT_EQ(dib.height, 1);
  EXPECT_EQ(DibValue(dib, 0, 0), 0u) << "the rows past the escape are blank";
}

TEST_F(BmpReaderTest, Rle8DeltaEscapeFailsWithCode9) {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.bits = 8;
  spec.compression = 1;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  EXPECT_EQ(LoadError(MakeBmp(spec, {2, 1, 0, 2, 1, 1, 0, 0, 4, 1, 0, 1})), ErrBadData);
}

TEST_F(BmpReaderTest, Rle8PixelsPastTheRowEndAreDropped) {
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.bits = 8;
  spec.compression = 1;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  // A run and a literal running past a 3-pixel row must not spill over.
  DibDescription dib = LoadNative(MakeBmp(spec, {200, 1, 0, 0, 0, 5, 3, 2, 1, 0, 2, 0, 0, 1}));
  ExpectIndices(dib, {{3, 2, 1}, {1, 1, 1}});
}

TEST_F(BmpReaderTest, Rle8FileFromImageMagickWithRunsOverThePaddedWidthReads) {
  // Written by ImageMagick: each row's runs cover 8 pixels of a 5-pixel row.
  std::ifstream file(std::string(ZEL95_TEST_DATA) + "/images/imagemagick-rle8-5x3.bmp",
                     std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 1100u);
  DibDescription dib = LoadNative(bytes);
  ExpectIndices(dib, {{0, 0, 0, 0, 0}, {0, 2, 0, 0, 0}, {0, 0, 0, 0, 1}});
  EXPECT_EQ(DibColour(dib, 1, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(DibColour(dib, 4, 2), (Rgb{0, 255, 0}));
}

TEST_F(BmpReaderTest, Rle4RunsAlternateNibblesAndLiteralsAlignToWords) {
  BmpSpec spec;
  spec.width = 5;
  spec.height = 2;
  spec.bits = 4;
  spec.compression = 2;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  // Bottom row: 5 pixels alternating 1 and 2. Top row: literal of 3 pixels
  // 3 0 1 (two bytes, even already), run of 2 x 2, end of bitmap.
  const std::vector<uint8_t> rle = {5, 0x12, 0, 0, 0, 3, 0x30, 0x10, 2, 0x22, 0, 1};
  DibDescription dib = LoadNative(MakeBmp(spec, rle));
  ExpectIndices(dib, {{3, 0, 1, 2, 2}, {1, 2, 1, 2, 1}});
}

TEST_F(BmpReaderTest, Rle4PixelsPastTheRowEndAreDropped) {
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.bits = 4;
  spec.compression = 2;
  spec.colorsUsed = 4;
  spec.palette = kFour;
  // A run of 200 pixels in a 3-pixel row must not spill into the next row.
  DibDescription dib = LoadNative(MakeBmp(spec, {200, 0x31, 0, 0, 3, 0x22, 0, 1}));
  ExpectIndices(dib, {{2, 2, 2}, {3, 1, 3}});
}

TEST_F(BmpReaderTest, TopDownFileFillsItsDecodedRectangleFromTheTop) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = -4;
  spec.bits = 24;
  data_ = MakeBmp(spec, PackRows({{1, 2}, {3, 4}, {5, 6}, {7, 8}}, 24));
  ImageFile image(ImageSource::FromMemory(data_.data(), data_.size()));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  bool changed = false;
  ImageRect rect;
  ASSERT_EQ(image.DecodeRows(1, &changed, &rect), CodecOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 0, 2, 1}));
  ASSERT_EQ(image.DecodeRows(2, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 1, 2, 3}));
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 2, 3}));
  EXPECT_EQ(image.GetProgress(), 7500);
  EXPECT_EQ(DibValue(Describe(image.GetNativeBitmap()), 1, 2), 6u);
  image.EndLoad(true);
}

TEST_F(BmpReaderTest, BottomUpFileFillsItsDecodedRectangleFromTheBottom) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 4;
  spec.bits = 24;
  data_ = MakeBmp(spec, PackRows({{1, 2}, {3, 4}, {5, 6}, {7, 8}}, 24));
  ImageFile image(ImageSource::FromMemory(data_.data(), data_.size()));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  ImageRect rect;
  ASSERT_EQ(image.DecodeRows(1, nullptr, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 3, 2, 4}));
  EXPECT_EQ(DibValue(Describe(image.GetNativeBitmap()), 0, 3), 1u);
  ASSERT_EQ(image.DecodeRows(10, nullptr, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 0, 2, 3}));
  EXPECT_EQ(image.GetProgress(), 10000);
  image.EndLoad(true);
}

TEST_F(BmpReaderTest, TruncatedPixelDataFailsWithCode9) {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 3;
  spec.bits = 24;
  std::vector<uint8_t> rows = PackRows({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}, 24);
  rows.resize(rows.size() - 1);
  EXPECT_EQ(LoadError(MakeBmp(spec, rows)), ErrBadData);
}

TEST_F(BmpReaderTest, AFileThatCannotBeReadMidwayFailsWithItsReadCode) {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 3;
  spec.bits = 24;
  TempDir dir;
  const std::string path = dir.Write(
      "picture.bmp", MakeBmp(spec, PackRows({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}, 24)));
  const int handle = ::open(path.c_str(), O_RDONLY);
  ASSERT_GE(handle, 0);
  BmpReader reader(
      ImageSource::FromSlice(handle, 0, static_cast<uint32_t>(std::filesystem::file_size(path))));
  ASSERT_EQ(reader.ReadHeader(), CodecOk);
  ASSERT_EQ(reader.BeginDecode(), CodecOk);
  ::close(handle);  // every later read of the slice fails
  EXPECT_EQ(reader.DecodeRows(3, nullptr, nullptr), ErrReadWrite) << "not bad pixel data";
  EXPECT_EQ(reader.ErrorCode(), ErrReadWrite);
  reader.EndDecode();
}

TEST_F(BmpReaderTest, PixelDataOffsetPastTheEndFailsWithCode8) {
  BmpSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.bits = 24;
  std::vector<uint8_t> bytes = MakeBmp(spec, PackRows({{1}}, 24));
  PutU32(bytes, 10, 1000000);
  EXPECT_EQ(LoadError(bytes), ErrNoPalette);
}

struct HeaderCase {
  const char* what;
  size_t at;
  uint32_t value;
  int bytes;
};

TEST_F(BmpReaderTest, UnsupportedHeadersAreRejectedWithCode7) {
  const HeaderCase cases[] = {
      {"header size 41", 14, 41, 4}, {"2 bits per pixel", 28, 2, 2}, {"bit fields", 30, 3, 4},
      {"width 0", 18, 0, 4},         {"height 0", 22, 0, 4},         {"magic XX", 0, 0x5858, 2},
  };
  BmpSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.bits = 24;
  for (const HeaderCase& c : cases) {
    data_ = MakeBmp(spec, PackRows({{1, 2}, {3, 4}}, 24));
    if (c.bytes == 2)
      PutU16(data_, c.at, c.value);
    else
      PutU32(data_, c.at, c.value);
    BmpReader reader(ImageSource::FromMemory(data_.data(), data_.size()));
    EXPECT_NE(reader.ReadHeader(), CodecOk) << c.what;
    EXPECT_EQ(reader.ErrorCode(), ErrNotSupported) << c.what;
  }
}

TEST_F(BmpReaderTest, ShortPaletteFailsTheHeaderWithTheReadCode) {
  BmpSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.bits = 8;
  spec.paletteEntries = 10;  // the header implies 256
  data_ = MakeBmp(spec, {});
  BmpReader reader(ImageSource::FromMemory(data_.data(), data_.size()));
  EXPECT_NE(reader.ReadHeader(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrDataEnded);
}

TEST_F(BmpReaderTest, RowsAskedAfterCompletionFailWithCode1) {
  BmpSpec spec;
  spec.width = 1;
  spec.height = 2;
  spec.bits = 24;
  data_ = MakeBmp(spec, PackRows({{1}, {2}}, 24));
  ImageFile image(ImageSource::FromMemory(data_.data(), data_.size()));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  ASSERT_EQ(image.DecodeRows(5, nullptr, nullptr), CodecOk);
  EXPECT_NE(image.DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrOutOfOrder);
  EXPECT_EQ(image.GetProgress(), 10000);
  image.EndLoad(true);
  EXPECT_NE(image.GetNativeBitmap(), nullptr);
}

}  // namespace
