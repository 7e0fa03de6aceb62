// The glimmora command line with GIF, PCX, Targa and Photo CD files:
// descriptions, and conversions to GIF and PCX that read back the same.
#include "codecs/ImageFile.h"
#include "tests/host/codecs/BmpBuilder.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/GifBuilder.h"
#include "tests/host/codecs/TempDir.h"
#include "tools/glimmora/Glimmora.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace {

std::vector<uint8_t> EightBitBmp() {
  std::vector<std::vector<uint32_t>> rows;
  for (int y = 4; y >= 0; --y) {
    rows.emplace_back();
    for (int x = 0; x < 6; ++x) rows.back().push_back(static_cast<uint32_t>((x * 5 + y) % 16));
  }
  BmpSpec spec;
  spec.width = 6;
  spec.height = 5;
  spec.bits = 8;
  spec.colorsUsed = 16;
  for (int i = 0; i < 16; ++i) spec.palette.push_back({static_cast<uint8_t>(i * 16), 7, 200});
  return MakeBmp(spec, PackRows(rows, 8));
}

std::vector<uint8_t> ColourBmp() {
  std::vector<std::vector<uint32_t>> rows;
  for (int y = 2; y >= 0; --y) {
    rows.emplace_back();
    for (int x = 0; x < 5; ++x)
      rows.back().push_back(static_cast<uint32_t>(x * 40 << 16 | y * 70 << 8 | 200));
  }
  BmpSpec spec;
  spec.width = 5;
  spec.height = 3;
  spec.bits = 24;
  return MakeBmp(spec, PackRows(rows, 24));
}

class GifPcxConvertTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunGlimmora(args, out_, err_);
  }

  // Both files load and show the same colours at every pixel.
  void ExpectSamePicture(const std::string& first, const std::string& second) {
    ImageFile a(first.c_str());
    ImageFile b(second.c_str());
    ASSERT_EQ(a.Load(true, false), CodecOk) << first;
    ASSERT_EQ(b.Load(true, false), CodecOk) << second;
    DibDescription da = Describe(a.GetNativeBitmap());
    DibDescription db = Describe(b.GetNativeBitmap());
    ASSERT_EQ(da.width, db.width);
    ASSERT_EQ(da.height, db.height);
    for (int y = 0; y < da.height; ++y)
      for (int x = 0; x < da.width; ++x)
        ASSERT_EQ(DibColour(da, x, y), DibColour(db, x, y)) << "pixel " << x << "," << y;
  }

  TempDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(GifPcxConvertTest, ConvertToGifAndPcxKeepsThePixels) {
  const std::string input = dir_.Write("palette.bmp", EightBitBmp());
  EXPECT_EQ(Run({"convert", input, "--to", "gif"}), 0) << err_.str();
  EXPECT_EQ(out_.str(), dir_.File("palette.gif") + "\n");
  ExpectSamePicture(input, dir_.File("palette.gif"));
  EXPECT_EQ(Run({"convert", input, "--to", "pcx"}), 0) << err_.str();
  ExpectSamePicture(input, dir_.File("palette.pcx"));

  const std::string colour = dir_.Write("colour.bmp", ColourBmp());
  EXPECT_EQ(Run({"convert", colour, "--to", "pcx"}), 0) << err_.str();
  ExpectSamePicture(colour, dir_.File("colour.pcx"));
}

TEST_F(GifPcxConvertTest, InfoDescribesGifPcxTargaAndPhotoCdFiles) {
  GifSpec gif;
  gif.width = 7;
  gif.height = 5;
  gif.globalTable = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
  gif.codeSize = 2;
  gif.rows.assign(5, std::vector<uint8_t>(7, 1));
  const std::string gifFile = dir_.Write("a.gif", MakeGif(gif));
  const std::string pcxFile = dir_.File("b.pcx");
  ASSERT_EQ(Run({"convert", dir_.Write("c.bmp", ColourBmp()), "--to", "pcx", "-o", pcxFile}), 0);
  std::vector<uint8_t> tga = {0, 0, 2, 0, 0,  0, 0, 0, 0, 0, 0, 0,
                              2, 0, 1, 0, 24, 0, 1, 2, 3, 4, 5, 6};
  const std::string tgaFile = dir_.Write("d.tga", tga);
  std::vector<uint8_t> pcd(8192 + 3 * 192 * 128 / 2, 128);
  std::memcpy(&pcd[2048], "PCD_IPI", 7);
  pcd[3586] = 1;
  const std::string pcdFile = dir_.Write("e.pcd", pcd);
  EXPECT_EQ(Run({"info", gifFile, pcxFile, tgaFile, pcdFile}), 0) << err_.str();
  EXPECT_EQ(out_.str(), gifFile + ": 7x5x4 gif\n" + pcxFile + ": 5x3x16M pcx\n" + tgaFile +
                            ": 2x1x16M tga\n" + pcdFile + ": 512x768x16M pcd\n");
}

}  // namespace
