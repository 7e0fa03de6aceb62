// The one-line description of a picture.
#include "shellext/DescribeImage.h"
#include "codecs/ImageFormat.h"

#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string Described(const char* path, int format, int width, int height, int bits,
                      bool parenthesised) {
  char buffer[kDescriptionSize];
  memset(buffer, 'x', sizeof buffer);
  DescribeImage(buffer, path, format, width, height, bits, parenthesised);
  return buffer;
}

TEST(DescribeImage, WithoutAPathIsABlankSizeColoursAndFormat) {
  EXPECT_EQ(Described("", FormatGif, 640, 480, 8, false), " 640x480x256 gif");
  EXPECT_EQ(Described("", FormatJpg, 1024, 768, 24, false), " 1024x768x16M jpeg");
  EXPECT_EQ(Described("", FormatBmp, 5, 3, 32, false), " 5x3x16M+ bmp");
}

TEST(DescribeImage, NamesEveryColourCount) {
  const std::pair<int, const char*> suffixes[] = {
      {1, "x2"},   {2, "x4"},    {3, "x8"},    {4, "x16"},   {5, "x32"},    {6, "x64"}, {7, "x128"},
      {8, "x256"}, {15, "x32k"}, {16, "x64k"}, {24, "x16M"}, {32, "x16M+"}, {12, ""}};
  for (const auto& suffix : suffixes)
    EXPECT_EQ(Described("", FormatPcx, 9, 6, suffix.first, false),
              std::string(" 9x6") + suffix.second + " pcx")
        << suffix.first << " bits";
}

TEST(DescribeImage, NamesEveryFormat) {
  const char* const words[] = {" jpeg", " gif", " bmp", " tga", " pcx",
                               " tiff", " pcd", " png", " fif", ""};
  for (int format = 0; format <= 9; ++format)
    EXPECT_EQ(Described("", format, 2, 2, 8, false), std::string(" 2x2x256") + words[format])
        << format;
}

TEST(DescribeImage, WithAPathStartsWithTheFileTitleAndCanBeParenthesised) {
  char title[256] = "";
  GetFileTitleA("C:\\pics\\cat.gif", title, sizeof title);
  EXPECT_EQ(Described("C:\\pics\\cat.gif", FormatGif, 640, 480, 8, true),
            std::string(title) + " (640x480x256 gif)");
  EXPECT_EQ(Described("C:\\pics\\cat.gif", FormatGif, 640, 480, 8, false),
            std::string(title) + " 640x480x256 gif");
  EXPECT_EQ(std::string(title).substr(0, 3), "cat");
}

TEST(DescribeImage, ALongTitleStillFitsTheBuffer) {
  const std::string path = "C:\\" + std::string(250, 'n') + ".gif";
  const std::string line = Described(path.c_str(), FormatGif, 65535, 65535, 32, true);
  EXPECT_LT(line.size(), static_cast<size_t>(kDescriptionSize));
  EXPECT_EQ(line.substr(line.size() - 23), " (65535x65535x16M+ gif)");
}

}  // namespace
