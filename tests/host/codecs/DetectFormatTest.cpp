// Content detection: each format's signature and the boundaries of its
// header checks, and the order in which the tests run.
#include "codecs/DetectFormat.h"
#include "codecs/ImageFormat.h"
#include "tests/host/codecs/BmpBuilder.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

DetectedImage Detect(const std::vector<uint8_t>& bytes) {
  DetectedImage found;
  ImageSource source = ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()));
  if (!DetectFormat(bytes.data(), bytes.size(), source, &found)) found.format = -1;
  return found;
}

void Put16(std::vector<uint8_t>& b, size_t at, int v) { PutU16(b, at, static_cast<uint32_t>(v)); }

std::vector<uint8_t> BmpHead(int headerSize, int bits, uint32_t compression) {
  std::vector<uint8_t> b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutU32(b, 14, static_cast<uint32_t>(headerSize));
  if (headerSize == 12) {
    Put16(b, 18, 320);
    Put16(b, 20, 200);
    Put16(b, 24, bits);
  } else {
    PutU32(b, 18, 640);
    PutU32(b, 22, static_cast<uint32_t>(-480));
    Put16(b, 28, bits);
    PutU32(b, 30, compression);
  }
  return b;
}

TEST(DetectFormatTest, BmpNeeds54BytesAndAKnownHeader) {
  std::vector<uint8_t> bmp = BmpHead(40, 8, 1);
  DetectedImage found = Detect(bmp);
  EXPECT_EQ(found.format, FormatBmp);
  EXPECT_EQ(found.width, 640);
  EXPECT_EQ(found.height, 480) << "a top-down height counts as its size";
  EXPECT_EQ(found.bitsPerPixel, 8);

  EXPECT_EQ(Detect(std::vector<uint8_t>(bmp.begin(), bmp.end() - 1)).format, -1) << "53 bytes";
  std::vector<uint8_t> mb = bmp;
  mb[0] = 'M';
  mb[1] = 'B';
  EXPECT_EQ(Detect(mb).format, FormatBmp);

  DetectedImage os2 = Detect(BmpHead(12, 24, 0));
  EXPECT_EQ(os2.format, FormatBmp);
  EXPECT_EQ(os2.width, 320);
  EXPECT_EQ(os2.height, 200);
  EXPECT_EQ(Detect(BmpHead(64, 4, 2)).format, FormatBmp);

  EXPECT_EQ(Detect(BmpHead(41, 8, 0)).format, -1) << "header size 41";
  EXPECT_EQ(Detect(BmpHead(40, 2, 0)).format, -1) << "2 bits";
  EXPECT_EQ(Detect(BmpHead(40, 8, 3)).format, -1) << "bit fields";
  for (int bits : {1, 4, 8, 15, 16, 24, 32})
    EXPECT_EQ(Detect(BmpHead(40, bits, 0)).format, FormatBmp);

  // Sizes the reader refuses.
  for (auto [width, height] :
       {std::pair<int32_t, int32_t>{0, 480}, {-640, 480}, {640, 0}, {640, INT32_MIN}}) {
    std::vector<uint8_t> odd = BmpHead(40, 8, 0);
    PutU32(odd, 18, static_cast<uint32_t>(width));
    PutU32(odd, 22, static_cast<uint32_t>(height));
    EXPECT_EQ(Detect(odd).format, -1) << width << " x " << height;
  }
}

TEST(DetectFormatTest, GifNeedsThirteenBytesAndAKnownVersion) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0x80, 0x02, 0xE0, 0x01, 0xF7, 0, 0};
  DetectedImage found = Detect(gif);
  EXPECT_EQ(found.format, FormatGif);
  EXPECT_EQ(found.width, 640);
  EXPECT_EQ(found.height, 480);
  EXPECT_EQ(found.bitsPerPixel, 8);
  gif[4] = '7';
  EXPECT_EQ(Detect(gif).format, FormatGif);
  gif[4] = '8';
  EXPECT_EQ(Detect(gif).format, -1) << "GIF88a";
  gif[4] = '7';
  gif.pop_back();
  EXPECT_EQ(Detect(gif).format, -1) << "12 bytes";
}

std::vector<uint8_t> Jfif(size_t junk, int components) {
  std::vector<uint8_t> b(junk, 0x20);
  const uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F', 'I',
                          'F',  0x00, 1,    1,    0,    0,    1,    0,   1,
                          0,    0,    0xFF, 0xFE, 0x00, 0x04, 0xAB, 0xCD};
  b.insert(b.end(), head, head + sizeof head);
  const uint8_t frame[] = {0xFF, 0xC0, 0x00, 0x11, 8,
                           0x03, 0x00, 0x04, 0x00, static_cast<uint8_t>(components),
                           1,    0x22, 0};
  b.insert(b.end(), frame, frame + sizeof frame);
  return b;
}

TEST(DetectFormatTest, JfifFrameHeaderGivesTheSizeWithoutTheLibrary) {
  DetectedImage found = Detect(Jfif(0, 3));
  EXPECT_EQ(found.format, FormatJpg);
  EXPECT_EQ(found.width, 1024);
  EXPECT_EQ(found.height, 768);
  EXPECT_EQ(found.bitsPerPixel, 24);
  EXPECT_EQ(Detect(Jfif(0, 1)).bitsPerPixel, 8);
  DetectedImage late = Detect(Jfif(1022, 3));
  EXPECT_EQ(late.format, FormatJpg) << "junk before the start marker";
  EXPECT_EQ(late.width, 1024);
}

TEST(DetectFormatTest, JpegScanStopsAtAFrameBeforeAnyJfifHeader) {
  // Without the APP0 segment the quick scan cannot decide; only the JPEG
  // reader could accept, and these bytes are no image for it.
  std::vector<uint8_t> b = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 8, 0x00, 0x10, 0x00, 0x20, 3};
  EXPECT_EQ(Detect(b).format, -1);
  EXPECT_EQ(Detect({0x00, 0xFF, 0xD8}).format, -1) << "nothing after the marker";
}

TEST(DetectFormatTest, FileStartingIIOrMMWithoutTheTiffNumberFallsThroughToLaterTests) {
  for (std::vector<uint8_t> start :
       {std::vector<uint8_t>{'I', 'I', 0x00, 0x2A}, std::vector<uint8_t>{'M', 'M', 0x2A, 0x00},
        std::vector<uint8_t>{'I', 'I', 0x2B, 0x00}}) {
    std::vector<uint8_t> b = Jfif(0, 3);
    b.insert(b.begin(), start.begin(), start.end());
    DetectedImage found = Detect(b);
    EXPECT_EQ(found.format, FormatJpg) << start[0] << " " << int{start[2]};
    EXPECT_EQ(found.width, 1024);
  }
}

TEST(DetectFormatTest, AFullTiffSignatureTheTiffReaderRefusesIsNoImage) {
  for (std::vector<uint8_t> start :
       {std::vector<uint8_t>{'I', 'I', 0x2A, 0x00}, std::vector<uint8_t>{'M', 'M', 0x00, 0x2A}}) {
    std::vector<uint8_t> b = Jfif(0, 3);
    b.insert(b.begin(), start.begin(), start.end());
    EXPECT_EQ(Detect(b).format, -1) << start[0];
  }
}

std::vector<uint8_t> PhotoCd(size_t length, uint8_t rotation) {
  std::vector<uint8_t> b(length, 0);
  std::memcpy(b.data() + 2048, "PCD_IPI", 7);
  if (length > 3586) b[3586] = rotation;
  return b;
}

TEST(DetectFormatTest, PhotoCdOrientationComesFromTheRotationBits) {
  DetectedImage landscape = Detect(PhotoCd(3587, 0xFC));
  EXPECT_EQ(landscape.format, FormatPcd);
  EXPECT_EQ(landscape.width, 768);
  EXPECT_EQ(landscape.height, 512);
  EXPECT_EQ(landscape.bitsPerPixel, 24);
  DetectedImage upsideDown = Detect(PhotoCd(4096, 2));
  EXPECT_EQ(upsideDown.width, 512);
  EXPECT_EQ(upsideDown.height, 768);
  EXPECT_EQ(Detect(PhotoCd(3586, 0)).format, -1) << "3586 bytes";
}

std::vector<uint8_t> PcxHead(int bitsPerPlane, int planes) {
  std::vector<uint8_t> b(128, 0);
  b[0] = 10;
  b[1] = 5;
  b[3] = static_cast<uint8_t>(bitsPerPlane);
  Put16(b, 4, 10);
  Put16(b, 6, 20);
  Put16(b, 8, 109);
  Put16(b, 10, 69);
  b[65] = static_cast<uint8_t>(planes);
  return b;
}

TEST(DetectFormatTest, PcxSizeComesFromTheWindowAndDepthFromThePlanes) {
  DetectedImage found = Detect(PcxHead(8, 3));
  EXPECT_EQ(found.format, FormatPcx);
  EXPECT_EQ(found.width, 100);
  EXPECT_EQ(found.height, 50);
  EXPECT_EQ(found.bitsPerPixel, 24);
  EXPECT_EQ(Detect(PcxHead(1, 4)).bitsPerPixel, 4);
  EXPECT_EQ(Detect(PcxHead(2, 1)).format, -1) << "2 bits";
  std::vector<uint8_t> short127 = PcxHead(8, 1);
  short127.pop_back();
  EXPECT_EQ(Detect(short127).format, -1) << "127 bytes";
}

TEST(DetectFormatTest, APcxFileWhosePixelsHoldThePhotoCdSignatureIsPcx) {
  std::vector<uint8_t> b = PcxHead(8, 1);
  b.resize(4096, 0x55);
  std::memcpy(b.data() + 2048, "PCD_IPI", 7);
  EXPECT_EQ(Detect(b).format, FormatPcx);
}

TEST(DetectFormatTest, PngSignatureAloneIsNotEnough) {
  // Confirmed only by the PNG reader, which finds no header chunk here.
  std::vector<uint8_t> b = {137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 0};
  EXPECT_EQ(Detect(b).format, -1);
}

std::vector<uint8_t> TgaHead(int mapType, int type, int entrySize, int depth, int descriptor) {
  std::vector<uint8_t> b(18, 0);
  b[1] = static_cast<uint8_t>(mapType);
  b[2] = static_cast<uint8_t>(type);
  b[7] = static_cast<uint8_t>(entrySize);
  Put16(b, 12, 300);
  Put16(b, 14, 200);
  b[16] = static_cast<uint8_t>(depth);
  b[17] = static_cast<uint8_t>(descriptor);
  return b;
}

TEST(DetectFormatTest, TargaChecksTypeMapDepthAndDescriptor) {
  DetectedImage found = Detect(TgaHead(0, 2, 0, 24, 0x20));
  EXPECT_EQ(found.format, FormatTga);
  EXPECT_EQ(found.width, 300);
  EXPECT_EQ(found.height, 200);
  EXPECT_EQ(found.bitsPerPixel, 24);
  for (int type : {1, 2, 3, 9, 10, 11})
    EXPECT_EQ(Detect(TgaHead(0, type, 0, 8, 0)).format, FormatTga) << type;
  for (int type : {0, 4, 8, 12}) EXPECT_EQ(Detect(TgaHead(0, type, 0, 8, 0)).format, -1) << type;
  EXPECT_EQ(Detect(TgaHead(1, 1, 24, 8, 0)).format, FormatTga);
  EXPECT_EQ(Detect(TgaHead(1, 1, 16, 8, 0)).format, FormatTga);
  EXPECT_EQ(Detect(TgaHead(1, 1, 32, 8, 0)).format, -1) << "32-bit map entries";
  EXPECT_EQ(Detect(TgaHead(2, 1, 24, 8, 0)).format, -1) << "map type 2";
  EXPECT_EQ(Detect(TgaHead(0, 2, 0, 24, 63)).format, FormatTga);
  EXPECT_EQ(Detect(TgaHead(0, 2, 0, 24, 64)).format, -1) << "interleaved";
  EXPECT_EQ(Detect(TgaHead(0, 2, 0, 15, 0)).format, -1) << "15 bits";
  std::vector<uint8_t> short17 = TgaHead(0, 2, 0, 24, 0);
  short17.pop_back();
  EXPECT_EQ(Detect(short17).format, -1) << "17 bytes";
}

TEST(DetectFormatTest, OnlyTheFirst4095BytesAreExamined) {
  std::vector<uint8_t> b(4095, 0x20);
  b.push_back(0xFF);
  b.push_back(0xD8);
  std::vector<uint8_t> tail = Jfif(0, 3);
  b.insert(b.end(), tail.begin(), tail.end());
  EXPECT_EQ(Detect(b).format, -1);
}

TEST(DetectFormatTest, FormatTableTextsNameEachCode) {
  EXPECT_STREQ(FormatTableText(FormatJpg), "JPG \tJPEG JFIF Format");
  EXPECT_STREQ(FormatTableText(FormatGif), "GIF \tCompuserve GIF 87a");
  EXPECT_STREQ(FormatTableText(FormatBmp), "BMP \tWindows Bitmap");
  EXPECT_STREQ(FormatTableText(FormatTga), "TGA \tTarga");
  EXPECT_STREQ(FormatTableText(FormatPcx), "PCX \tZSoft PC Paintbrush");
  EXPECT_STREQ(FormatTableText(FormatTif), "TIF \tTagged Image File Format");
  EXPECT_STREQ(FormatTableText(FormatPcd), "PCD \tKodak Photo CD");
  EXPECT_STREQ(FormatTableText(FormatPng), "PNG \tPortable Network Graphics");
  EXPECT_EQ(FormatTableText(8), nullptr);
  EXPECT_EQ(FormatTableText(-1), nullptr);
}

}  // namespace
