// The glimmora command line on real files: descriptions, conversions with
// fitting and reduction, and failures that leave no output behind.
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageWriter.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/BmpBuilder.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/TempDir.h"
#include "tools/glimmora/ConvertCommand.h"
#include "tools/glimmora/Glimmora.h"
#include "tools/glimmora/OutputFormats.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::vector<uint8_t> Picture(int width, int height, int bits) {
  std::vector<std::vector<uint32_t>> rows;
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint32_t> row;
    for (int x = 0; x < width; ++x)
      row.push_back(bits == 24 ? static_cast<uint32_t>(x * 20 << 16 | y * 30 << 8 | 5)
                               : static_cast<uint32_t>((x + y) % (1 << bits)));
    rows.push_back(row);
  }
  BmpSpec spec;
  spec.width = width;
  spec.height = height;
  spec.bits = bits;
  for (int i = 0; i < (bits <= 8 ? 1 << bits : 0); ++i)
    spec.palette.push_back({static_cast<uint8_t>(i), 9, 9});
  return MakeBmp(spec, PackRows(rows, bits));
}

class GlimmoraToolTest : public ::testing::Test {
 protected:
  void TearDown() override { host_codec::SetScreenDepth(24); }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunGlimmora(args, out_, err_);
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.File("")))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(GlimmoraToolTest, InfoDescribesEachFileAsTheContextMenuDoes) {
  const std::string colour = dir_.Write("colour.bmp", Picture(640, 480, 24));
  const std::string mono = dir_.Write("mono.bmp", Picture(9, 4, 1));
  const std::string palette = dir_.Write("palette.dat", Picture(3, 2, 8));
  EXPECT_EQ(Run({"info", colour, mono, palette}), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            colour + ": 640x480x16M bmp\n" + mono + ": 9x4x2 bmp\n" + palette + ": 3x2x256 bmp\n");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(GlimmoraToolTest, InfoNamesTheFileAndTheReasonOfAFailure) {
  const std::string good = dir_.Write("good.bmp", Picture(2, 2, 24));
  const std::string junk = dir_.Write("junk.bmp", std::vector<uint8_t>(300, 0x41));
  std::vector<uint8_t> truncated = Picture(40, 40, 24);
  truncated.resize(200);
  const std::string cut = dir_.Write("cut.bmp", truncated);
  const std::string missing = dir_.File("missing.bmp");
  EXPECT_EQ(Run({"info", missing, junk, good, cut}), 1);
  EXPECT_EQ(out_.str(), good + ": 2x2x16M bmp\n");
  EXPECT_EQ(err_.str(), "glimmora: " + missing + ": no such file\n" + "glimmora: " + junk +
                            ": not a supported image (format, variant, depth or size)\n" +
                            "glimmora: " + cut + ": pixel data cannot be decoded\n");
}

TEST_F(GlimmoraToolTest, ConvertToBmpWritesTheSamePixels) {
  const std::string input = dir_.Write("photo.dat", Picture(7, 5, 24));
  EXPECT_EQ(Run({"convert", input, "--to", "bmp"}), 0) << err_.str();
  const std::string output = dir_.File("photo.bmp");
  EXPECT_EQ(out_.str(), output + "\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"photo.bmp", "photo.dat"}));
  ImageFile back(output.c_str());
  ASSERT_EQ(back.Load(true, false), CodecOk);
  DibDescription dib = Describe(back.GetNativeBitmap());
  ASSERT_EQ(dib.width, 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      ASSERT_EQ(DibColour(dib, x, y), (Rgb{x * 20, y * 30, 5})) << "pixel " << x << "," << y;
}

TEST_F(GlimmoraToolTest, ConvertFitsAndReducesForTheGivenScreen) {
  const std::string input = dir_.Write("big.bmp", Picture(40, 30, 24));
  const std::string output = dir_.File("small.bmp");
  EXPECT_EQ(Run({"convert", input, "--to", "bmp", "-o", output, "--fit", "20x20", "--screen-depth",
                 "8", "--reduce", "3"}),
            0)
      << err_.str();
  ImageFile back(output.c_str());
  EXPECT_EQ(back.GetSourceWidth(), 20);
  EXPECT_EQ(back.GetSourceHeight(), 15);
  EXPECT_EQ(back.GetSourceBitsPerPixel(), 8);
  EXPECT_EQ(Run({"convert", input, "--to", "bmp", "-o", output, "--screen-depth", "16"}), 0);
  ImageFile words(output.c_str());
  EXPECT_EQ(words.GetSourceBitsPerPixel(), 16);
}

TEST_F(GlimmoraToolTest, ConvertToJpegGoesThroughTheJpegWriter) {
  const std::string input = dir_.Write("photo.bmp", Picture(16, 8, 24));
  const int status = Run({"convert", input, "--to", "jpg"});
  const std::string output = dir_.File("photo.jpg");
  if (FindFormatEntry(FormatJpg)->writer) {
    ASSERT_EQ(status, 0) << err_.str();
    ImageFile back(output.c_str());
    EXPECT_EQ(back.GetFormat(), FormatJpg);
    EXPECT_EQ(back.GetSourceWidth(), 16);
  } else {
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err_.str(), "glimmora: " + output + ": no writer for this format\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"photo.bmp"}));
  }
}

TEST_F(GlimmoraToolTest, FailedConversionLeavesNoOutputFile) {
  std::vector<uint8_t> truncated = Picture(40, 40, 24);
  truncated.resize(500);
  const std::string input = dir_.Write("cut.bmp", truncated);
  const std::string output = dir_.File("out.bmp");
  EXPECT_EQ(Run({"convert", input, "--to", "bmp", "-o", output}), 1);
  EXPECT_EQ(err_.str(), "glimmora: " + input + ": pixel data cannot be decoded\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"cut.bmp"}));

  const std::string good = dir_.Write("good.bmp", Picture(4, 4, 24));
  const std::string unwritable = dir_.File("no-folder/out.bmp");
  EXPECT_EQ(Run({"convert", good, "--to", "bmp", "-o", unwritable}), 1);
  EXPECT_EQ(err_.str(), "glimmora: " + unwritable + ": cannot be opened or created\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"cut.bmp", "good.bmp"}));
}

TEST_F(GlimmoraToolTest, ConvertReplacesAnExistingOutputButNeverItsSource) {
  const std::string input = dir_.Write("a.bmp", Picture(4, 4, 24));
  const std::string output = dir_.Write("b.bmp", std::vector<uint8_t>(10, 1));
  EXPECT_EQ(Run({"convert", input, "--to", "bmp", "-o", output}), 0);
  EXPECT_EQ(TempDir::Read(output), TempDir::Read(input));
  EXPECT_EQ(Run({"convert", input, "--to", "bmp"}), 1);
  EXPECT_EQ(err_.str(),
            "glimmora: " + input + ": the output would replace the source; name another with -o\n");
}

TEST_F(GlimmoraToolTest, WrongUsageExitsWith2AndOneLine) {
  const std::string input = dir_.Write("a.bmp", Picture(2, 2, 24));
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"convert", input, "--to", "tga"},
       "glimmora: unknown output format 'tga' (" + OutputFormatNames() + ")\n"},
      {{"convert", input, "--to", "bmp", "--fit", "20"},
       "glimmora: --fit wants WIDTHxHEIGHT, not '20'\n"},
      {{"convert", input, "--to", "bmp", "--reduce", "5"},
       "glimmora: --reduce is 0 to 4, not '5'\n"},
      {{"convert", input, "--to", "bmp", "--screen-depth", "32"},
       "glimmora: --screen-depth is 8, 16 or 24, not '32'\n"},
      {{"convert", input, "--to", "bmp", "--reduce", "2"},
       "glimmora: --reduce works for a screen depth of 8 or 16; give --screen-depth\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), 2) << c.message;
    EXPECT_EQ(err_.str(), c.message);
  }
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"info"}), 2);
  EXPECT_EQ(Run({"convert", input}), 2);
  EXPECT_EQ(err_.str().rfind("usage: glimmora info FILE...", 0), 0u);
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.bmp"}));
}

TEST(ConvertCommandTest, DefaultOutputReplacesOnlyTheFileNamesExtension) {
  EXPECT_EQ(DefaultOutputPath("/pics/cat.gif", "bmp"), "/pics/cat.bmp");
  EXPECT_EQ(DefaultOutputPath("/my.pics/photo", "jpg"), "/my.pics/photo.jpg");
  EXPECT_EQ(DefaultOutputPath("cat.tar.gz", "bmp"), "cat.tar.bmp");
}

}  // namespace

namespace {

TEST(OutputFormatsTest, EveryNameOfferedHasAWriter) {
  std::string names = OutputFormatNames() + "|";
  EXPECT_EQ(names.rfind("bmp|jpg|", 0), 0u) << names;
  for (size_t start = 0, bar; (bar = names.find('|', start)) != std::string::npos;
       start = bar + 1) {
    const std::string name = names.substr(start, bar - start);
    const OutputFormat* format = FindOutputFormat(name);
    ASSERT_NE(format, nullptr) << name;
    EXPECT_NE(CreateWriter(format->format, "unused", nullptr), nullptr) << name;
    EXPECT_EQ(std::string(format->extension), name) << name;
  }
  EXPECT_EQ(FindOutputFormat("tga"), nullptr);
}

}  // namespace
