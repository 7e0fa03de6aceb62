// BMP writer: headers with exact byte values, and round trips of bitmaps
// of every depth through the writer and the reader.
#include "codecs/BmpWriter.h"
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/BmpBuilder.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/TempDir.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// A bitmap filled with value(x, y) in its own depth, with a palette of
// `colours` entries (entry i = (i, 255 - i, 3 i)) for 8 bits or fewer.
struct TestDib {
  DibHandle bitmap = nullptr;
  PaletteHandle palette = nullptr;
  ~TestDib() {
    codec_platform::DeleteBitmap(bitmap);
    codec_platform::DeletePalette(palette);
  }
};

uint32_t ValueAt(int x, int y, int depth) {
  switch (depth) {
    case 1:
      return (x + y) & 1;
    case 4:
      return (x * 3 + y) & 15;
    case 8:
      return (x * 7 + y * 13) & 255;
    case 16:
      return (x * 1001 + y * 77) & 0x7FFF;
    default:
      return (x * 0x010203 + y * 0x030201) & 0xFFFFFF;
  }
}

void Make(TestDib* dib, int width, int height, int depth, bool bottomUp) {
  uint8_t colours[256][3];
  for (int i = 0; i < 256; ++i) {
    colours[i][0] = static_cast<uint8_t>(i);
    colours[i][1] = static_cast<uint8_t>(255 - i);
    colours[i][2] = static_cast<uint8_t>(3 * i);
  }
  DibRequest request;
  request.width = width;
  request.height = height;
  request.bottomUp = bottomUp;
  request.depth = depth;
  uint16_t indices[256];
  for (int i = 0; i < 256; ++i) indices[i] = static_cast<uint16_t>(i);
  if (depth <= 8) {
    dib->palette = codec_platform::CreateLogicalPalette(colours, 1 << depth);
    request.paletteIndices = indices;
    request.colorCount = 1 << depth;
  }
  uint8_t* bits = nullptr;
  ASSERT_EQ(codec_platform::CreateDib(request, dib->palette, &dib->bitmap, &bits), DibResult::Ok);
  DibDescription d = Describe(dib->bitmap);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = const_cast<uint8_t*>(DibImageRow(d, y));
    for (int x = 0; x < width; ++x) {
      uint32_t v = ValueAt(x, y, depth);
      switch (depth) {
        case 1:
          row[x >> 3] |= static_cast<uint8_t>(v << (7 - (x & 7)));
          break;
        case 4:
          row[x >> 1] |= static_cast<uint8_t>((x & 1) ? v : v << 4);
          break;
        case 8:
          row[x] = static_cast<uint8_t>(v);
          break;
        case 16:
          row[2 * x] = static_cast<uint8_t>(v);
          row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
          break;
        case 24:
          row[3 * x] = static_cast<uint8_t>(v);
          row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
          row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
          break;
        default:
          row[4 * x] = static_cast<uint8_t>(v);
          row[4 * x + 1] = static_cast<uint8_t>(v >> 8);
          row[4 * x + 2] = static_cast<uint8_t>(v >> 16);
          row[4 * x + 3] = 0x99;
          break;
      }
    }
  }
}

int Write(DibHandle bitmap, const std::string& path) {
  BmpWriter writer(path.c_str(), bitmap);
  if (writer.Begin() != CodecOk) return writer.ErrorCode() ? writer.ErrorCode() : -1;
  if (writer.WriteRows(1 << 20) != CodecOk) return writer.ErrorCode();
  EXPECT_EQ(writer.Progress(), 10000);
  return (writer.Finish() == CodecOk) ? 0 : writer.ErrorCode();
}

TEST(BmpWriterTest, HeaderRecordsSizesInBytesAndThePaletteOffset) {
  TempDir dir;
  TestDib dib;
  Make(&dib, 10, 3, 1, false);
  const std::string path = dir.File("mono.bmp");
  ASSERT_EQ(Write(dib.bitmap, path), 0);
  std::vector<uint8_t> file = TempDir::Read(path);
  ASSERT_EQ(file.size(), 62u + 3 * 4);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32(file, 2), file.size()) << "the file size in bytes";
  EXPECT_EQ(U32(file, 6), 0u);
  EXPECT_EQ(U32(file, 10), 62u) << "54 + 2 colours";
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(U32(file, 18), 10u);
  EXPECT_EQ(U32(file, 22), 3u) << "positive: bottom-up";
  EXPECT_EQ(file[26], 1);
  EXPECT_EQ(file[28], 1);
  EXPECT_EQ(U32(file, 30), 0u);
  // Colour table entry 1 = (1, 254, 3) as blue, green, red, 0.
  EXPECT_EQ(file[58], 3);
  EXPECT_EQ(file[59], 254);
  EXPECT_EQ(file[60], 1);
  EXPECT_EQ(file[61], 0);
  // The first stored row is the image's last: (x + 2) & 1 = 0 1 0 1 ...
  EXPECT_EQ(file[62], 0x55);
  EXPECT_EQ(file[62 + 4], 0xAA);
}

TEST(BmpWriterTest, TrueColourFilesHaveNoColourTable) {
  TempDir dir;
  TestDib dib;
  Make(&dib, 3, 2, 24, false);
  const std::string path = dir.File("colour.bmp");
  ASSERT_EQ(Write(dib.bitmap, path), 0);
  std::vector<uint8_t> file = TempDir::Read(path);
  EXPECT_EQ(U32(file, 10), 54u);
  EXPECT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(U32(file, 2), file.size());
}

TEST(BmpWriterTest, EveryDepthRoundTripsThroughTheReader) {
  TempDir dir;
  for (int depth : {1, 4, 8, 16, 24, 32}) {
    for (bool bottomUp : {false, true}) {
      TestDib dib;
      Make(&dib, 13, 5, depth, bottomUp);
      const std::string path = dir.File("round-" + std::to_string(depth) + ".bmp");
      ASSERT_EQ(Write(dib.bitmap, path), 0) << depth;
      ImageFile image(path.c_str());
      ASSERT_EQ(image.Load(true, false), CodecOk) << depth << " error " << image.LastError();
      DibDescription back = Describe(image.GetNativeBitmap());
      ASSERT_EQ(back.width, 13);
      ASSERT_EQ(back.height, 5);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x) {
          uint32_t v = ValueAt(x, y, depth);
          if (depth <= 8) {
            ASSERT_EQ(DibValue(back, x, y), v) << depth << " bits, pixel " << x << "," << y;
            ASSERT_EQ(DibColour(back, x, y), (Rgb{static_cast<int>(v), 255 - static_cast<int>(v),
                                                  static_cast<int>(3 * v) & 255}));
          } else if (depth == 16) {
            Rgb expected{static_cast<int>((v >> 10) & 31) << 3,
                         static_cast<int>((v >> 5) & 31) << 3, static_cast<int>(v & 31) << 3};
            ASSERT_EQ(DibColour(back, x, y), expected) << "16 bits, pixel " << x << "," << y;
          } else {
            ASSERT_EQ(DibValue(back, x, y), v) << depth << " bits, pixel " << x << "," << y;
          }
        }
    }
  }
}

TEST(BmpWriterTest, ABitmapThatIsNoDibFailsWithoutCreatingAFile) {
  TempDir dir;
  const std::string path = dir.File("never.bmp");
  BmpWriter writer(path.c_str(), nullptr);
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(BmpWriterTest, UnwritablePathFailsWithCode3) {
  TempDir dir;
  TestDib dib;
  Make(&dib, 2, 2, 24, false);
  BmpWriter writer(dir.File("no/such/folder.bmp").c_str(), dib.bitmap);
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrCannotOpen);
  EXPECT_NE(writer.WriteRows(1), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrOutOfOrder);
}

// What the writers told the user, captured instead of printed.
std::vector<std::pair<std::string, std::string>> reported;
void Capture(const char* caption, const char* text) { reported.emplace_back(caption, text); }

class WriterFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reported.clear();
    codec_platform::SetSystemErrorSink(Capture);
  }
  void TearDown() override { codec_platform::SetSystemErrorSink(nullptr); }
};

TEST_F(WriterFailureTest, AFullDiskIsToldWithTheSystemsTextUnderLwrite) {
  TestDib dib;
  Make(&dib, 64, 64, 24, false);
  BmpWriter writer("/dev/full", dib.bitmap);
  ASSERT_EQ(writer.Begin(), CodecOk);
  // Finish follows the failed rows, as a caller closing its file does; the
  // user hears of the full disk once.
  const CodecError rows = writer.WriteRows(1 << 20);
  const CodecError finished = writer.Finish();
  EXPECT_TRUE(rows != CodecOk || finished != CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].first, "_lwrite");
  EXPECT_EQ(reported[0].second, std::strerror(ENOSPC));
}

TEST_F(WriterFailureTest, AColourTableThatCannotBeReadIsToldUnderGetDIBColorTable) {
  TempDir dir;
  TestDib dib;
  Make(&dib, 4, 4, 8, false);
  const std::string path = dir.File("never.bmp");
  BmpWriter writer(path.c_str(), dib.bitmap);
  host_codec::FailNextColorTables(1);
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].first, "GetDIBColorTable");
  EXPECT_EQ(reported[0].second, std::strerror(EIO));
}

TEST(BmpWriterTest, RowsAreWrittenInBatchesWithProgress) {
  TempDir dir;
  TestDib dib;
  Make(&dib, 4, 4, 8, false);
  const std::string path = dir.File("batches.bmp");
  BmpWriter writer(path.c_str(), dib.bitmap);
  ASSERT_EQ(writer.Begin(), CodecOk);
  ASSERT_EQ(writer.WriteRows(1), CodecOk);
  EXPECT_EQ(writer.Progress(), 2500);
  ASSERT_EQ(writer.WriteRows(10), CodecOk);
  EXPECT_EQ(writer.RowsWritten(), 4);
  EXPECT_EQ(writer.Progress(), 10000);
  ASSERT_EQ(writer.Finish(), CodecOk);
  EXPECT_EQ(TempDir::Read(path).size(), 54u + 256 * 4 + 4 * 4);
}

}  // namespace
