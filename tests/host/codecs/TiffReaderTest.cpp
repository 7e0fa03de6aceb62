// TIFF files written by libtiff in the variants the reader converts: fax
// compression, white-is-zero grey, palettes, RGB, RGBA and CMYK, LZW,
// Deflate and PackBits, bottom-up orientation; and the ones it refuses.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/TiffTestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

uint32_t Bgr(int red, int green, int blue) {
  return static_cast<uint32_t>(red << 16 | green << 8 | blue);
}

class TiffReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }

  void Open(const TiffImageSpec& spec) {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = WriteTiffImage(spec, name + ".tif");
    image_.reset(new ImageFile(path_.c_str()));
  }

  DibDescription LoadNative(const TiffImageSpec& spec) {
    Open(spec);
    EXPECT_EQ(image_->GetFormat(), FormatTif);
    EXPECT_EQ(image_->Load(true, true), CodecOk) << "error " << image_->LastError();
    return Describe(image_->GetNativeBitmap());
  }

  int LoadError(const TiffImageSpec& spec) {
    Open(spec);
    EXPECT_NE(image_->Load(true, true), CodecOk);
    return image_->LastError();
  }

  // Every pixel of `dib` (of the top `rows` when given) against `expected`.
  void ExpectPixels(const DibDescription& dib, int width, int height,
                    const std::function<uint32_t(int, int)>& expected, int rows = -1) {
    ASSERT_EQ(dib.width, width);
    ASSERT_EQ(dib.height, height);
    for (int y = 0; y < (rows < 0 ? height : rows); ++y)
      for (int x = 0; x < width; ++x)
        ASSERT_EQ(DibValue(dib, x, y), expected(x, y)) << path_ << " row " << y << " pixel " << x;
  }

  std::string path_;
  std::unique_ptr<ImageFile> image_;
};

// ---- bilevel ------------------------------------------------------------------

TEST_F(TiffReaderTest, Group4FaxOpensAsWhitePaperWithBlackInk) {
  const DibDescription native = LoadNative(FaxTiff(45, 20, COMPRESSION_CCITTFAX4));
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 1);
  ASSERT_EQ(native.bitsPerPixel, 1);
  ExpectPixels(native, 45, 20, [](int x, int y) { return static_cast<uint32_t>(FaxInk(x, y)); });
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  ASSERT_EQ(display.bitsPerPixel, 1);
  ASSERT_EQ(display.colorCount, 2);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 45; ++x)
      ASSERT_EQ(DibColour(display, x, y), FaxInk(x, y) ? (Rgb{0, 0, 0}) : (Rgb{255, 255, 255}))
          << "row " << y << " pixel " << x;
}

TEST_F(TiffReaderTest, Group3FaxIsReadLikeGroup4) {
  ExpectPixels(LoadNative(FaxTiff(33, 9, COMPRESSION_CCITTFAX3)), 33, 9,
               [](int x, int y) { return static_cast<uint32_t>(FaxInk(x, y)); });
}

TEST_F(TiffReaderTest, FaxSayingBlackIsZeroShowsItsZerosBlack) {
  TiffImageSpec spec = FaxTiff(45, 20, COMPRESSION_CCITTFAX4);
  spec.photometric = PHOTOMETRIC_MINISBLACK;
  LoadNative(spec);
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 45; ++x)
      ASSERT_EQ(DibColour(display, x, y), FaxInk(x, y) ? (Rgb{255, 255, 255}) : (Rgb{0, 0, 0}))
          << "row " << y << " pixel " << x;
}

TEST_F(TiffReaderTest, FaxWithoutPhotometricIsWhiteIsZero) {
  TiffImageSpec spec = FaxTiff(33, 9, COMPRESSION_CCITTFAX3);
  spec.photometric = -1;
  LoadNative(spec);
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 33; ++x)
      ASSERT_EQ(DibColour(display, x, y), FaxInk(x, y) ? (Rgb{0, 0, 0}) : (Rgb{255, 255, 255}))
          << "row " << y << " pixel " << x;
}

TEST_F(TiffReaderTest, BlackIsZeroBilevelImageHasBlackFirstInItsPalette) {
  TiffImageSpec spec;
  spec.width = 10;
  spec.height = 2;
  spec.bitsPerSample = 1;
  spec.photometric = PHOTOMETRIC_MINISBLACK;
  spec.compression = COMPRESSION_PACKBITS;
  spec.rows = PackRows(10, 2, 1, [](int x, int y) { return (x + y) % 2; });
  LoadNative(spec);
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  EXPECT_EQ(DibColour(display, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(DibColour(display, 0, 1), (Rgb{255, 255, 255}));
}

// ---- grey and palette ---------------------------------------------------------

TEST_F(TiffReaderTest, EightBitWhiteIsZeroGreyIsInverted) {
  TiffImageSpec spec;
  spec.width = 256;
  spec.height = 3;
  spec.photometric = PHOTOMETRIC_MINISWHITE;
  spec.rows = MakeRows(256, 3, 1, [](int x, int y, int) { return static_cast<uint8_t>(x ^ y); });
  const DibDescription native = LoadNative(spec);
  EXPECT_EQ(image_->IsGrey(), 1);
  ExpectPixels(native, 256, 3, [](int x, int y) { return static_cast<uint32_t>(255 - (x ^ y)); });
}

TEST_F(TiffReaderTest, EightBitBlackIsZeroGreyIsKept) {
  TiffImageSpec spec;
  spec.width = 256;
  spec.height = 2;
  spec.compression = COMPRESSION_ADOBE_DEFLATE;
  spec.rows = MakeRows(256, 2, 1, [](int x, int y, int) { return static_cast<uint8_t>(x + y); });
  ExpectPixels(LoadNative(spec), 256, 2,
               [](int x, int y) { return static_cast<uint32_t>((x + y) & 255); });
}

TEST_F(TiffReaderTest, FourBitGreyBecomesOneBytePerPixel) {
  for (int photometric : {PHOTOMETRIC_MINISWHITE, PHOTOMETRIC_MINISBLACK}) {
    TiffImageSpec spec;
    spec.width = 15;
    spec.height = 2;
    spec.bitsPerSample = 4;
    spec.photometric = photometric;
    spec.rows = PackRows(15, 2, 4, [](int x, int y) { return (x + 3 * y) % 16; });
    const DibDescription native = LoadNative(spec);
    EXPECT_EQ(image_->IsGrey(), 1);
    ExpectPixels(native, 15, 2, [photometric](int x, int y) {
      const int v = (x + 3 * y) % 16;
      return static_cast<uint32_t>(photometric == PHOTOMETRIC_MINISWHITE ? 15 - v : v);
    });
  }
}

TEST_F(TiffReaderTest, ColourMapGivesThePaletteFromItsHighBytes) {
  TiffImageSpec spec;
  spec.width = 16;
  spec.height = 1;
  spec.bitsPerSample = 4;
  spec.photometric = PHOTOMETRIC_PALETTE;
  spec.compression = COMPRESSION_LZW;
  for (int channel = 0; channel < 3; ++channel)
    for (int i = 0; i < 16; ++i)
      spec.colorMap.push_back(static_cast<uint16_t>((i * 16 + channel * 5) << 8 | 0x7F));
  spec.rows = PackRows(16, 1, 4, [](int x, int) { return 15 - x; });
  const DibDescription native = LoadNative(spec);
  EXPECT_EQ(image_->IsGrey(), 0);
  ExpectPixels(native, 16, 1, [](int x, int) { return static_cast<uint32_t>(15 - x); });
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  ASSERT_EQ(display.colorCount, 16);
  for (int x = 0; x < 16; ++x) {
    const int i = 15 - x;
    EXPECT_EQ(DibColour(display, x, 0), (Rgb{i * 16, i * 16 + 5, i * 16 + 10})) << "pixel " << x;
  }
}

// ---- colour ---------------------------------------------------------------------

uint8_t ColourSample(int x, int y, int sample) {
  return static_cast<uint8_t>(x * 9 + y * 31 + sample * 67);
}

TEST_F(TiffReaderTest, LzwRgbArrivesAsBlueGreenRed) {
  TiffImageSpec spec = ColourTiff(40, 30, PHOTOMETRIC_RGB, COMPRESSION_LZW, ColourSample);
  spec.rowsPerStrip = 7;
  const DibDescription native = LoadNative(spec);
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 24);
  ASSERT_EQ(native.bitsPerPixel, 24);
  ExpectPixels(native, 40, 30, [](int x, int y) {
    return Bgr(ColourSample(x, y, 0), ColourSample(x, y, 1), ColourSample(x, y, 2));
  });
}

TEST_F(TiffReaderTest, DeflateRgbWithAlphaDropsTheAlpha) {
  TiffImageSpec spec;
  spec.width = 20;
  spec.height = 5;
  spec.samplesPerPixel = 4;
  spec.extraSamples = 1;
  spec.photometric = PHOTOMETRIC_RGB;
  spec.compression = COMPRESSION_ADOBE_DEFLATE;
  spec.rows = MakeRows(20, 5, 4, ColourSample);
  ExpectPixels(LoadNative(spec), 20, 5, [](int x, int y) {
    return Bgr(ColourSample(x, y, 0), ColourSample(x, y, 1), ColourSample(x, y, 2));
  });
}

TEST_F(TiffReaderTest, CmykIsShownIgnoringTheBlackChannel) {
  TiffImageSpec spec;
  spec.width = 20;
  spec.height = 5;
  spec.samplesPerPixel = 4;
  spec.photometric = PHOTOMETRIC_SEPARATED;
  spec.inkSet = INKSET_CMYK;
  spec.rows = MakeRows(20, 5, 4, ColourSample);
  ExpectPixels(LoadNative(spec), 20, 5, [](int x, int y) {
    return Bgr(255 - ColourSample(x, y, 0), 255 - ColourSample(x, y, 1),
               255 - ColourSample(x, y, 2));
  });
}

TEST_F(TiffReaderTest, JpegCompressedColourArrivesAsBlueGreenRed) {
  for (int photometric : {PHOTOMETRIC_YCBCR, PHOTOMETRIC_RGB}) {
    const TiffImageSpec spec = ColourTiff(48, 32, photometric, COMPRESSION_JPEG, JpegBlockSample);
    EXPECT_TRUE(ShowsJpegBlocks(LoadNative(spec), 48, 32)) << "photometric " << photometric;
  }
}

// ---- orientation and size ----------------------------------------------------------

TEST_F(TiffReaderTest, BottomUpFileIsShownUprightFillingFromTheBottom) {
  for (int orientation : {ORIENTATION_BOTLEFT, ORIENTATION_BOTRIGHT}) {
    TiffImageSpec spec;
    spec.width = 4;
    spec.height = 6;
    spec.orientation = orientation;
    spec.rows =
        MakeRows(4, 6, 1, [](int x, int y, int) { return static_cast<uint8_t>(10 * y + x); });
    Open(spec);
    ASSERT_EQ(image_->BeginLoad({.keepNative = true}), CodecOk) << image_->LastError();
    bool changed = false;
    ImageRect rect;
    ASSERT_EQ(image_->DecodeRows(2, &changed, &rect), CodecOk);
    EXPECT_TRUE(changed);
    EXPECT_EQ(rect, (ImageRect{0, 4, 4, 6})) << "orientation " << orientation;
    EXPECT_EQ(image_->GetDecodedRect(), (ImageRect{0, 4, 4, 6}));
    ASSERT_EQ(image_->DecodeRows(4, &changed, &rect), CodecOk);
    EXPECT_EQ(rect, (ImageRect{0, 0, 4, 4}));
    EXPECT_TRUE(image_->IsComplete());
    // The first stored row is the bottom one.
    ExpectPixels(Describe(image_->GetNativeBitmap()), 4, 6,
                 [](int x, int y) { return static_cast<uint32_t>(10 * (5 - y) + x); });
    image_->EndLoad(false);
  }
}

TEST_F(TiffReaderTest, ShrunkImageShowsTheLastRowOfEachBand) {
  TiffImageSpec spec;
  spec.width = 8;
  spec.height = 8;
  spec.rows = MakeRows(8, 8, 1, [](int x, int y, int) { return static_cast<uint8_t>(8 * y + x); });
  Open(spec);
  ASSERT_EQ(
      image_->LoadFitted({.maxWidth = 4, .maxHeight = 4, .keepNative = true, .makeDisplay = false}),
      CodecOk)
      << image_->LastError();
  const DibDescription native = Describe(image_->GetNativeBitmap());
  ASSERT_EQ(native.height, 4);
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(DibValue(native, 0, y), static_cast<uint32_t>(8 * (2 * y + 1))) << "row " << y;
}

TEST_F(TiffReaderTest, ImageInMemoryIsReadLikeAFile) {
  TiffImageSpec spec;
  spec.width = 9;
  spec.height = 4;
  spec.samplesPerPixel = 3;
  spec.photometric = PHOTOMETRIC_RGB;
  spec.compression = COMPRESSION_PACKBITS;
  spec.rows = MakeRows(9, 4, 3, ColourSample);
  const std::vector<uint8_t> bytes = ReadWholeFile(WriteTiffImage(spec, "memory.tif"));
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.GetFormat(), FormatTif);
  EXPECT_EQ(image.GetSourceWidth(), 9);
  EXPECT_EQ(image.GetSourceHeight(), 4);
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  path_ = "memory";
  ExpectPixels(Describe(image.GetNativeBitmap()), 9, 4, [](int x, int y) {
    return Bgr(ColourSample(x, y, 0), ColourSample(x, y, 1), ColourSample(x, y, 2));
  });
}

// ---- refused files -------------------------------------------------------------------

// ---- tiles -----------------------------------------------------------------------

TEST_F(TiffReaderTest, TiledGreyImageIsReadRowByRowAcrossItsTiles) {
  // Partial tiles on the right and at the bottom.
  TiffImageSpec spec;
  spec.width = 40;
  spec.height = 37;
  spec.tileSize = 16;
  spec.compression = COMPRESSION_ADOBE_DEFLATE;
  spec.rows =
      MakeRows(40, 37, 1, [](int x, int y, int) { return static_cast<uint8_t>(x * 5 + y); });
  const DibDescription native = LoadNative(spec);
  EXPECT_EQ(image_->GetSourceWidth(), 40);
  EXPECT_EQ(image_->GetSourceHeight(), 37);
  ExpectPixels(native, 40, 37,
               [](int x, int y) { return static_cast<uint32_t>((x * 5 + y) & 255); });
}

TEST_F(TiffReaderTest, TiledColourImageShrinksLikeAStrippedOne) {
  TiffImageSpec spec = ColourTiff(48, 48, PHOTOMETRIC_RGB, COMPRESSION_LZW, ColourSample);
  spec.tileSize = 32;
  Open(spec);
  ASSERT_EQ(image_->LoadFitted(
                {.maxWidth = 24, .maxHeight = 24, .keepNative = true, .makeDisplay = false}),
            CodecOk)
      << image_->LastError();
  const DibDescription native = Describe(image_->GetNativeBitmap());
  ASSERT_EQ(native.height, 24);
  // Each output row keeps the last of its two source rows; columns average.
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const int row = 2 * y + 1;
      auto mean = [&](int s) {
        return (ColourSample(2 * x, row, s) + ColourSample(2 * x + 1, row, s)) / 2;
      };
      ASSERT_EQ(DibColour(native, x, y), (Rgb{mean(0), mean(1), mean(2)}))
          << "row " << y << " pixel " << x;
    }
}

// Tiles of 16384 x 16384 RGB pixels claimed by a 16 x 16 picture: the
// tile buffer alone would pass what a load may allocate.
TEST_F(TiffReaderTest, TilesTooBigToHoldAreRefusedBeforeTheyAreMade) {
  TiffImageSpec spec = ColourTiff(16, 16, PHOTOMETRIC_RGB, COMPRESSION_NONE, ColourSample);
  spec.tileSize = 16;
  std::vector<uint8_t> bytes = ReadWholeFile(WriteTiffImage(spec, "huge-tiles.tif"));
  ASSERT_EQ(bytes[0], 'I') << "entries read as little-endian";
  auto u16 = [&bytes](size_t at) { return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8); };
  const size_t directory = u16(4) | u16(6) << 16;
  int patched = 0;
  for (uint32_t i = 0, count = u16(directory); i < count; ++i) {
    const size_t entry = directory + 2 + 12 * i;
    if (u16(entry) != TIFFTAG_TILEWIDTH && u16(entry) != TIFFTAG_TILELENGTH) continue;
    bytes[entry + 8] = 0x00;  // 16384, as a short or a long
    bytes[entry + 9] = 0x40;
    ++patched;
  }
  ASSERT_EQ(patched, 2);

  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.GetFormat(), FormatTif) << image.LastError();
  EXPECT_EQ(image.BeginLoad({.keepNative = true}), ErrNoPalette);
  EXPECT_FALSE(image.IsLoading());
}

// A JFIF header at the start of the first tile: the picture is the TIFF,
// not a JPEG found inside it.
TEST_F(TiffReaderTest, TiledImageWithAJpegMarkerInItsFirstTileIsATiff) {
  const uint8_t kJfif[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',
                           0x00, 1,    1,    0,    0,    1,    0,    1,    0,    0,
                           0xFF, 0xC0, 0x00, 0x11, 8,    0x00, 0x30, 0x00, 0x50, 3};
  TiffImageSpec spec;
  spec.width = 16;
  spec.height = 16;
  spec.tileSize = 16;
  auto pixel = [&kJfif](int x, int y) {
    const size_t at = static_cast<size_t>(y) * 16 + x;
    return at < sizeof kJfif ? kJfif[at] : uint8_t{0};
  };
  spec.rows = MakeRows(16, 16, 1, [&pixel](int x, int y, int) { return pixel(x, y); });
  ExpectPixels(LoadNative(spec), 16, 16, [&pixel](int x, int y) { return uint32_t{pixel(x, y)}; });
  EXPECT_EQ(image_->GetSourceWidth(), 16);
}

TEST_F(TiffReaderTest, ARefusedTiffIsNotHandedToTheLaterTests) {
  // Two bits a pixel are refused; the JFIF header at the start of the
  // pixel data must not make the file a JPEG.
  const uint8_t kJfif[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',
                           0x00, 1,    1,    0,    0,    1,    0,    1,    0,    0,
                           0xFF, 0xC0, 0x00, 0x11, 8,    0x00, 0x30, 0x00, 0x50, 3};
  TiffImageSpec spec;
  spec.width = 64;  // 16 bytes a row
  spec.height = 4;
  spec.bitsPerSample = 2;
  for (int y = 0; y < 4; ++y) {
    std::vector<uint8_t> row(16, 0);
    for (int i = 0; i < 16; ++i)
      if (y * 16 + i < static_cast<int>(sizeof kJfif)) row[i] = kJfif[y * 16 + i];
    spec.rows.push_back(row);
  }
  const std::vector<uint8_t> bytes = ReadWholeFile(WriteTiffImage(spec, "refused.tif"));
  ASSERT_NE(std::search(bytes.begin(), bytes.end(), kJfif, kJfif + sizeof kJfif), bytes.end());
  Open(spec);
  EXPECT_EQ(image_->GetFormat(), -1);
  EXPECT_EQ(image_->LastError(), ErrNotSupported);
}

// ---- sixteen bits a sample -------------------------------------------------------

TEST_F(TiffReaderTest, SixteenBitGreyKeepsTheHighByteOfEachSample) {
  for (int photometric : {PHOTOMETRIC_MINISBLACK, PHOTOMETRIC_MINISWHITE}) {
    TiffImageSpec spec;
    spec.width = 256;
    spec.height = 2;
    spec.bitsPerSample = 16;
    spec.photometric = photometric;
    spec.compression = COMPRESSION_LZW;
    // Little-endian samples: high byte x, low byte 255 - x.
    spec.rows = MakeRows(256, 2, 2, [](int x, int y, int b) {
      return static_cast<uint8_t>(b == 1 ? x ^ y : 255 - x);
    });
    const DibDescription native = LoadNative(spec);
    EXPECT_EQ(image_->GetSourceBitsPerPixel(), 8);
    EXPECT_EQ(image_->IsGrey(), 1);
    ASSERT_EQ(native.bitsPerPixel, 8);
    ExpectPixels(native, 256, 2, [photometric](int x, int y) {
      const int high = x ^ y;
      return static_cast<uint32_t>(photometric == PHOTOMETRIC_MINISWHITE ? 255 - high : high);
    });
  }
}

TEST_F(TiffReaderTest, SixteenBitRgbAndRgbaKeepTheHighBytes) {
  for (int samples : {3, 4}) {
    TiffImageSpec spec;
    spec.width = 20;
    spec.height = 6;
    spec.bitsPerSample = 16;
    spec.samplesPerPixel = samples;
    spec.extraSamples = samples - 3;
    spec.photometric = PHOTOMETRIC_RGB;
    spec.rows = MakeRows(20, 6, 2 * samples, [](int x, int y, int b) {
      return static_cast<uint8_t>(b % 2 ? ColourSample(x, y, b / 2) : 77);
    });
    const DibDescription native = LoadNative(spec);
    EXPECT_EQ(image_->GetSourceBitsPerPixel(), 8 * samples);
    ASSERT_EQ(native.bitsPerPixel, 24);
    ExpectPixels(native, 20, 6, [](int x, int y) {
      return Bgr(ColourSample(x, y, 0), ColourSample(x, y, 1), ColourSample(x, y, 2));
    });
  }
}

// Bits per sample 65535 and samples per pixel 59137, found by fuzzing:
// their product does not fit in an int and must not wrap into a depth.
TEST_F(TiffReaderTest, SampleCountsWhoseProductOverflowsAreRefused) {
  ImageFile image(ZEL95_TEST_DATA "/images/fuzz-tiff-sample-bits-overflow.tif");
  EXPECT_EQ(image.GetFormat(), -1);
  EXPECT_EQ(image.LastError(), ErrNotSupported);
}

// Each of these has bits x samples of a depth the reader shows, but
// samples it does not read: taken as plain bytes they would show as noise.
TEST_F(TiffReaderTest, SamplesThatAreNotUnsignedIntegersOrOfUnreadColourSpacesAreRefused) {
  struct Case {
    const char* what;
    int bitsPerSample;
    int samplesPerPixel;
    int sampleFormat;
    int photometric;
    int compression;
  };
  const Case cases[] = {
      {"32-bit float grey", 32, 1, SAMPLEFORMAT_IEEEFP, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE},
      {"8-bit signed grey", 8, 1, SAMPLEFORMAT_INT, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE},
      {"8-bit untyped grey", 8, 1, SAMPLEFORMAT_VOID, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE},
      {"LogLuv", 32, 3, SAMPLEFORMAT_IEEEFP, PHOTOMETRIC_LOGLUV, COMPRESSION_SGILOG},
      {"LogL", 32, 1, SAMPLEFORMAT_IEEEFP, PHOTOMETRIC_LOGL, COMPRESSION_SGILOG},
      {"CIE L*a*b*", 8, 3, 0, PHOTOMETRIC_CIELAB, COMPRESSION_NONE},
      {"uncompressed YCbCr", 8, 3, 0, PHOTOMETRIC_YCBCR, COMPRESSION_NONE},
      {"transparency mask", 1, 1, 0, PHOTOMETRIC_MASK, COMPRESSION_NONE},
      {"16-bit grey with alpha", 16, 2, 0, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE},
      {"RGB of one sample", 8, 1, 0, PHOTOMETRIC_RGB, COMPRESSION_NONE},
      {"CMYK of three samples", 8, 3, 0, PHOTOMETRIC_SEPARATED, COMPRESSION_NONE},
  };
  for (const Case& c : cases) {
    TiffImageSpec spec;
    spec.width = 8;
    spec.height = 2;
    spec.bitsPerSample = c.bitsPerSample;
    spec.samplesPerPixel = c.samplesPerPixel;
    spec.extraSamples = c.samplesPerPixel == 2 ? 1 : 0;
    spec.sampleFormat = c.sampleFormat;
    spec.photometric = c.photometric;
    spec.compression = c.compression;
    // A flat mid-grey: 0.25 as floats, 0x40 bytes otherwise.
    const int bytesPerPixel = std::max(c.bitsPerSample * c.samplesPerPixel / 8, 1);
    spec.rows = MakeRows(8, 2, bytesPerPixel, [&c](int, int, int b) {
      return static_cast<uint8_t>(c.sampleFormat != SAMPLEFORMAT_IEEEFP ? 0x40
                                  : b % 4 == 3                          ? 0x3E
                                  : b % 4 == 2                          ? 0x80
                                                                        : 0);
    });
    Open(spec);
    EXPECT_EQ(image_->GetFormat(), -1) << c.what;
    EXPECT_EQ(image_->LastError(), ErrNotSupported) << c.what;
  }
}

TEST_F(TiffReaderTest, UnsignedIntegerSamplesSaidSoAreRead) {
  TiffImageSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.sampleFormat = SAMPLEFORMAT_UINT;
  spec.rows = MakeRows(4, 2, 1, [](int x, int y, int) { return static_cast<uint8_t>(x + 10 * y); });
  ExpectPixels(LoadNative(spec), 4, 2,
               [](int x, int y) { return static_cast<uint32_t>(x + 10 * y); });
}

TEST_F(TiffReaderTest, RgbStoredPlaneByPlaneIsRefused) {
  TiffImageSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.samplesPerPixel = 3;
  spec.photometric = PHOTOMETRIC_RGB;
  spec.separatePlanes = true;
  spec.rows = MakeRows(4, 2, 3, ColourSample);
  EXPECT_EQ(LoadError(spec), ErrNotSupported);
}

TEST_F(TiffReaderTest, DamagedStripFailsItsRowsAfterTheGoodOnesAreShown) {
  const TiffImageSpec spec = StripedGreyTiff();
  Open(spec);
  // Strip 8 (rows 32 to 35) zeroed: no zlib stream there.
  std::vector<uint8_t> bytes = ReadWithStripsZeroed(path_, 8, 1);

  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.GetFormat(), FormatTif) << image.LastError();
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
      << image.LastError();
  EXPECT_NE(image.DecodeRows(64, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 64, 32}));
  path_ = "damaged strip";
  ExpectPixels(
      Describe(image.GetNativeBitmap()), 64, 64,
      [](int x, int y) { return static_cast<uint32_t>((x * y) & 255); }, 32);
  image.EndLoad(false);
}

}  // namespace
