// The PNG and TIFF readers in the Windows build, over the cross-built
// libpng and libtiff: rows land in DIB sections, a libpng error unwinds
// (longjmp) back into the reader, and libtiff reads files through the
// reader's own client procedures, with its fax, LZW, Deflate and JPEG
// codecs.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/PngTestImages.h"
#include "tests/host/codecs/TiffTestImages.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

uint8_t Sample(int x, int y, int channel) {
  return static_cast<uint8_t>(x * 9 + y * 31 + channel * 67);
}

uint32_t SampleBgr(int x, int y) {
  return static_cast<uint32_t>(Sample(x, y, 0) << 16 | Sample(x, y, 1) << 8 | Sample(x, y, 2));
}

bool IsDibSection(HBITMAP bitmap) {
  DIBSECTION section;
  return GetObjectA(bitmap, sizeof section, &section) == static_cast<int>(sizeof section);
}

void ExpectDibValues(const DibDescription& dib, int width, int height, uint32_t (*expected)(int, int),
                     const std::string& what) {
  ASSERT_EQ(dib.width, width) << what;
  ASSERT_EQ(dib.height, height) << what;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(DibValue(dib, x, y), expected(x, y)) << what << " pixel " << x << "," << y;
}

PngImageSpec RgbPng(int width, int height, bool interlaced) {
  PngImageSpec spec;
  spec.width = width;
  spec.height = height;
  spec.colorType = PNG_COLOR_TYPE_RGB;
  spec.interlaced = interlaced;
  spec.sample = [](int x, int y, int channel) { return uint16_t{Sample(x, y, channel)}; };
  return spec;
}

TEST(PngWin32Test, PlainAndInterlacedFilesDecodeIntoDibSectionsInSteps) {
  for (bool interlaced : {false, true}) {
    for (int bottomUp : {0, 1}) {
      const std::vector<uint8_t> bytes = WritePngImage(RgbPng(37, 29, interlaced));
      ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
      ASSERT_EQ(image.GetFormat(), FormatPng);
      ASSERT_TRUE(image.BeginLoad(0, 0, 0, 0, 1, 1, bottomUp)) << image.LastError();
      for (int calls = 0; calls < 100 && !image.IsComplete(); ++calls)
        ASSERT_TRUE(image.DecodeRows(5, nullptr, nullptr)) << image.LastError();
      ASSERT_TRUE(image.IsComplete());
      ASSERT_TRUE(image.EndLoad(1));
      ASSERT_TRUE(IsDibSection(image.GetNativeBitmap()));
      const DibDescription dib = Describe(image.GetNativeBitmap());
      EXPECT_EQ(dib.bottomUp, bottomUp != 0);
      ExpectDibValues(dib, 37, 29, SampleBgr,
                      std::string(interlaced ? "interlaced" : "plain") + (bottomUp ? " bottom-up" : ""));
    }
  }
}

TEST(PngWin32Test, LibraryErrorsComeBackAsCodes) {
  // A chunk CRC broken inside the image data: libpng gives up through its
  // error handler, which must land back in the reader.
  std::vector<uint8_t> bytes = WritePngImage(RgbPng(64, 64, false));
  bytes[bytes.size() - 20] ^= 0x55;
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.GetFormat(), FormatPng);
  ASSERT_TRUE(image.BeginLoad(0, 0, 0, 0, 1, 1, 0)) << image.LastError();
  EXPECT_FALSE(image.DecodeRows(64, nullptr, nullptr));
  EXPECT_EQ(image.LastError(), ErrBadData);
  image.EndLoad(0);
}

class TiffWin32Test : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& path : paths_) std::remove(path.c_str());
  }

  // Writes the file and loads it by path at natural size.
  DibDescription LoadFile(const TiffImageSpec& spec, const char* name) {
    paths_.push_back(WriteTiffImage(spec, name));
    image_.reset(new ImageFile(paths_.back().c_str()));
    EXPECT_EQ(image_->GetFormat(), FormatTif) << name;
    EXPECT_TRUE(image_->Load(1, 1)) << name << " error " << image_->LastError();
    EXPECT_TRUE(IsDibSection(image_->GetNativeBitmap())) << name;
    return Describe(image_->GetNativeBitmap());
  }

  std::vector<std::string> paths_;
  std::unique_ptr<ImageFile> image_;
};

int FaxInk(int x, int y) { return (x / 3 + y) % 4 == 0 || x == y ? 1 : 0; }
uint32_t FaxValue(int x, int y) { return static_cast<uint32_t>(FaxInk(x, y)); }

TEST_F(TiffWin32Test, FaxLzwAndDeflateFilesAreReadThroughTheClientProcedures) {
  TiffImageSpec fax;
  fax.width = 48;
  fax.height = 20;
  fax.bitsPerSample = 1;
  fax.photometric = PHOTOMETRIC_MINISWHITE;
  fax.compression = COMPRESSION_CCITTFAX4;
  fax.rows = PackRows(48, 20, 1, FaxInk);
  ExpectDibValues(LoadFile(fax, "zel95-g4.tif"), 48, 20, FaxValue, "Group 4");

  for (int compression : {COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
    TiffImageSpec rgb;
    rgb.width = 40;
    rgb.height = 30;
    rgb.samplesPerPixel = 3;
    rgb.photometric = PHOTOMETRIC_RGB;
    rgb.compression = compression;
    rgb.rowsPerStrip = 7;
    rgb.rows = MakeRows(40, 30, 3, Sample);
    ExpectDibValues(LoadFile(rgb, "zel95-rgb.tif"), 40, 30, SampleBgr,
                    compression == COMPRESSION_LZW ? "LZW" : "Deflate");
  }
}

uint8_t Block(int x, int y, int channel) {
  static const uint8_t kBlocks[4][3] = {{255, 0, 0}, {0, 200, 0}, {30, 60, 240}, {230, 230, 230}};
  return kBlocks[(y / 16 * 2 + x / 16) % 4][channel];
}

TEST_F(TiffWin32Test, JpegCompressedYCbCrIsShownAsRgb) {
  TiffImageSpec spec;
  spec.width = 32;
  spec.height = 32;
  spec.samplesPerPixel = 3;
  spec.photometric = PHOTOMETRIC_YCBCR;
  spec.compression = COMPRESSION_JPEG;
  spec.rows = MakeRows(32, 32, 3, Block);
  const DibDescription dib = LoadFile(spec, "zel95-jpeg.tif");
  ASSERT_EQ(dib.bitsPerPixel, 24);
  // Away from the block edges, where upsampled chroma blends.
  for (int y = 2; y < 30; ++y)
    for (int x = 2; x < 30; ++x) {
      if (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13) continue;
      const uint32_t v = DibValue(dib, x, y);
      ASSERT_NEAR(static_cast<int>(v >> 16), Block(x, y, 0), 4) << x << "," << y;
      ASSERT_NEAR(static_cast<int>(v >> 8 & 255), Block(x, y, 1), 4) << x << "," << y;
      ASSERT_NEAR(static_cast<int>(v & 255), Block(x, y, 2), 4) << x << "," << y;
    }
}

TEST_F(TiffWin32Test, UnreadableStripFailsWithBadData) {
  TiffImageSpec spec;
  spec.width = 64;
  spec.height = 64;
  spec.rowsPerStrip = 4;
  spec.compression = COMPRESSION_ADOBE_DEFLATE;
  spec.rows = MakeRows(64, 64, 1, [](int x, int y, int) { return static_cast<uint8_t>(x * y); });
  paths_.push_back(WriteTiffImage(spec, "zel95-damaged.tif"));
  // Every strip's data zeroed: no zlib stream anywhere.
  std::vector<uint8_t> bytes = ReadWholeFile(paths_.back());
  TIFF* tiff = TIFFOpen(paths_.back().c_str(), "r");
  ASSERT_NE(tiff, nullptr);
  uint64_t* offsets = nullptr;
  uint64_t* counts = nullptr;
  ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets));
  ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts));
  for (int strip = 0; strip < 16; ++strip)
    std::fill(bytes.begin() + offsets[strip], bytes.begin() + offsets[strip] + counts[strip], 0);
  TIFFClose(tiff);
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.GetFormat(), FormatTif);
  EXPECT_FALSE(image.Load(1, 0));
  EXPECT_EQ(image.LastError(), ErrBadData);
}

}  // namespace
