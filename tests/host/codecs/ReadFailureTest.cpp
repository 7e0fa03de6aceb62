// A source that stops being readable in the middle of the pixels: the
// readers over libjpeg, libpng and libtiff report the file's own failure (a
// read or a seek), not bad data and not a picture cut short.
#include "codecs/JpegReader.h"
#include "codecs/PngReader.h"
#include "codecs/TiffReader.h"
#include "tests/host/codecs/JpegTestImages.h"
#include "tests/host/codecs/PngTestImages.h"
#include "tests/host/codecs/TempDir.h"
#include "tests/host/codecs/TiffTestImages.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 256;

// Noise: nothing compresses it, so the pixels lie far beyond what any
// reader has read ahead when decoding begins.
uint8_t Noise(int x, int y, int channel) {
  const uint32_t v = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
                     static_cast<uint32_t>(channel) * 83492791u;
  return static_cast<uint8_t>((v * 2654435761u) >> 24);
}

template <typename Reader>
CodecError DecodeAfterTheFileCloses(const std::string& path) {
  const int handle = ::open(path.c_str(), O_RDONLY);
  if (handle < 0) return ErrCannotOpen;
  Reader reader(
      ImageSource::FromSlice(handle, 0, static_cast<uint32_t>(std::filesystem::file_size(path))));
  CodecError result = reader.ReadHeader();
  if (result == CodecOk) result = reader.BeginDecode();
  ::close(handle);                              // every later read of the slice fails
  if (result != CodecOk) return ErrOutOfOrder;  // set-up failed: not what is tested
  result = reader.DecodeRows(kSide, nullptr, nullptr);
  reader.EndDecode();
  return result;
}

::testing::AssertionResult IsTheFilesFailure(CodecError result) {
  if (result == ErrReadWrite || result == ErrSeek) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "gave " << result << ", not the file's failure";
}

TEST(ReadFailureTest, TheLibraryReadersReportAReadThatFailsMidway) {
  TempDir dir;
  JpegPicture jpeg;
  jpeg.width = jpeg.height = kSide;
  jpeg.pixel = [](int x, int y) {
    return static_cast<uint32_t>(Noise(x, y, 0) << 16 | Noise(x, y, 1) << 8 | Noise(x, y, 2));
  };
  EXPECT_TRUE(IsTheFilesFailure(
      DecodeAfterTheFileCloses<JpegReader>(dir.Write("noise.jpg", MakeJpeg(jpeg)))))
      << "JPEG";

  PngImageSpec png;
  png.width = png.height = kSide;
  png.colorType = PNG_COLOR_TYPE_RGB;
  png.sample = [](int x, int y, int channel) { return uint16_t{Noise(x, y, channel)}; };
  EXPECT_TRUE(IsTheFilesFailure(
      DecodeAfterTheFileCloses<PngReader>(dir.Write("noise.png", WritePngImage(png)))))
      << "PNG";

  const std::string tiff = WriteTiffImage(
      ColourTiff(kSide, kSide, PHOTOMETRIC_RGB, COMPRESSION_NONE, Noise), "read-failure.tif");
  EXPECT_TRUE(IsTheFilesFailure(DecodeAfterTheFileCloses<TiffReader>(tiff))) << "TIFF";
}

}  // namespace
