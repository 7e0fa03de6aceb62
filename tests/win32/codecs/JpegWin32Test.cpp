// The JPEG reader and writer on real DIB sections under Windows: the
// library writes its rows straight into the section's memory, a library
// error unwinds (longjmp) back into the reader in this build too, and the
// writer reads a DIB section back out.
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/ImageWriter.h"
#include "tests/host/codecs/JpegPictureCheck.h"
#include "tests/host/codecs/JpegTestImages.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

const uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000,
                             0x808080, 0x123456, 0xC0A080, 0x20E0A0, 0xFF8000};
// Flat 16 x 16 blocks: within 1 at quality 100, within 2 after the writer's
// quality 65 (see the host tests).
uint32_t Blocks(int x, int y) { return kColours[((y / 16) * 3 + x / 16) % 10]; }

std::vector<uint8_t> BlocksJpeg(bool progressive) {
  JpegPicture picture;
  picture.width = 80;
  picture.height = 48;
  picture.progressive = progressive;
  picture.pixel = Blocks;
  return MakeJpeg(picture);
}

ImageSource Memory(const std::vector<uint8_t>& bytes) {
  return ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

std::string TempFile(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

TEST(JpegWin32Test, BaselineAndProgressiveFilesDecodeIntoDibSections) {
  for (bool progressive : {false, true}) {
    for (bool bottomUp : {false, true}) {
      std::vector<uint8_t> bytes = BlocksJpeg(progressive);
      ImageFile image(Memory(bytes));
      ASSERT_EQ(image.BeginLoad({.keepNative = true, .bottomUp = bottomUp}), CodecOk)
          << image.LastError();
      for (int calls = 0; calls < 10 && !image.IsComplete(); ++calls)
        ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
      ASSERT_EQ(image.EndLoad(true), CodecOk);
      DIBSECTION section;
      ASSERT_EQ(GetObjectA(image.GetNativeBitmap(), sizeof section, &section),
                static_cast<int>(sizeof section));
      EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), Blocks, 1))
          << (progressive ? "progressive" : "baseline") << ", bottom-up " << bottomUp;
    }
  }
}

TEST(JpegWin32Test, LibraryErrorsComeBackAsCodes) {
  // A progressive file whose third scan asks for coefficients 64 to 63.
  std::vector<uint8_t> bytes = BlocksJpeg(true);
  const size_t third = FindJpegMarker(bytes, 0xDA, 2);
  ASSERT_LT(third + 6, bytes.size());
  bytes[third + 5 + 2 * bytes[third + 4]] = 64;
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
      << image.LastError();
  EXPECT_NE(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
  image.EndLoad(true);

  // A header cut before the first scan.
  std::vector<uint8_t> header = BlocksJpeg(false);
  header.resize(FindJpegMarker(header, 0xDA));
  ImageFile cut(Memory(header));
  EXPECT_NE(cut.Load(true, false), CodecOk);
  EXPECT_EQ(cut.LastError(), ErrNotSupported);
}

TEST(JpegWin32Test, JpegWriterReadsTheDibSectionBackOut) {
  std::vector<uint8_t> bytes = BlocksJpeg(false);
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  const std::string path = TempFile("zel95-jpeg-writer.jpg");
  std::unique_ptr<ImageWriter> writer =
      CreateWriter(FormatJpg, path.c_str(), image.GetNativeBitmap());
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE((writer->Begin() == CodecOk) && (writer->WriteRows(48) == CodecOk) &&
              (writer->Finish() == CodecOk))
      << writer->ErrorCode();
  ImageFile again(path.c_str());
  ASSERT_EQ(again.GetFormat(), FormatJpg);
  ASSERT_EQ(again.Load(true, false), CodecOk) << again.LastError();
  EXPECT_TRUE(PictureWithin(Describe(again.GetNativeBitmap()), Blocks, 2));
  again.Release();
  std::remove(path.c_str());
}

}  // namespace
