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

void ExpectDibValues(const DibDescription& dib, int width, int height,
                     uint32_t (*expected)(int, int), const std::string& what) {
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
    for (bool bottomUp : {false, true}) {
      const std::vector<uint8_t> bytes = WritePngImage(RgbPng(37, 29, interlaced));
      ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
      ASSERT_EQ(image.GetFormat(), FormatPng);
      ASSERT_EQ(image.BeginLoad({.keepNative = true, .bottomUp = bottomUp}), CodecOk)
          << image.LastError();
      for (int calls = 0; calls < 100 && !image.IsComplete(); ++calls)
        ASSERT_EQ(image.DecodeRows(5, nullptr, nullptr), CodecOk) << image.LastError();
      ASSERT_TRUE(image.IsComplete());
      ASSERT_EQ(image.EndLoad(true), CodecOk);
      ASSERT_TRUE(IsDibSection(image.GetNativeBitmap()));
      const DibDescription dib = Describe(image.GetNativeBitmap());
      EXPECT_EQ(dib.bottomUp, bottomUp);
      ExpectDibValues(
          dib, 37, 29, SampleBgr,
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
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk) << image.LastError();
  EXPECT_NE(image.DecodeRows(64, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
  image.EndLoad(false);
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
    EXPECT_EQ(image_->Load(true, true), CodecOk) << name << " error " << image_->LastError();
    EXPECT_TRUE(IsDibSection(image_->GetNativeBitmap())) << name;
    return Describe(image_->GetNativeBitmap());
  }

  std::vector<std::string> paths_;
  std::unique_ptr<ImageFile> image_;
};

uint32_t FaxValue(int x, int y) { return static_cast<uint32_t>(FaxInk(x, y)); }

TEST_F(TiffWin32Test, FaxLzwAndDeflateFilesAreReadThroughTheClientProcedures) {
  ExpectDibValues(LoadFile(FaxTiff(48, 20, COMPRESSION_CCITTFAX4), "zel95-g4.tif"), 48, 20,
                  FaxValue, "Group 4");

  for (int compression : {COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
    TiffImageSpec rgb = ColourTiff(40, 30, PHOTOMETRIC_RGB, compression, Sample);
    rgb.rowsPerStrip = 7;
    ExpectDibValues(LoadFile(rgb, "zel95-rgb.tif"), 40, 30, SampleBgr,
                    compression == COMPRESSION_LZW ? "LZW" : "Deflate");
  }
}

TEST_F(TiffWin32Test, JpegCompressedYCbCrIsShownAsRgb) {
  const TiffImageSpec spec =
      ColourTiff(48, 32, PHOTOMETRIC_YCBCR, COMPRESSION_JPEG, JpegBlockSample);
  EXPECT_TRUE(ShowsJpegBlocks(LoadFile(spec, "zel95-jpeg.tif"), 48, 32));
}

TEST_F(TiffWin32Test, UnreadableStripFailsWithBadData) {
  const TiffImageSpec spec = StripedGreyTiff();
  paths_.push_back(WriteTiffImage(spec, "zel95-damaged.tif"));
  // Every strip's data zeroed: no zlib stream anywhere.
  const std::vector<uint8_t> bytes = ReadWithStripsZeroed(paths_.back(), 0, 16);
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(image.GetFormat(), FormatTif);
  EXPECT_NE(image.Load(true, false), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
}

}  // namespace
