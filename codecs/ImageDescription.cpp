#include "codecs/ImageDescription.h"

#include "codecs/ImageFormat.h"

namespace {

const char* ColourSuffix(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return "x2";
    case 2:
      return "x4";
    case 3:
      return "x8";
    case 4:
      return "x16";
    case 5:
      return "x32";
    case 6:
      return "x64";
    case 7:
      return "x128";
    case 8:
      return "x256";
    case 15:
      return "x32k";
    case 16:
      return "x64k";
    case 24:
      return "x16M";
    case 32:
      return "x16M+";
    default:
      return "";
  }
}

const char* FormatWord(int format) {
  // Code 8 stands for the Fractal Image Format, which nothing reads.
  static const char* const kWords[] = {" jpeg", " gif", " bmp", " tga", " pcx",
                                       " tiff", " pcd", " png", " fif"};
  return format >= 0 && format <= 8 ? kWords[format] : "";
}

}  // namespace

std::string DescribeImage(const std::string& title, int format, int width, int height,
                          int bitsPerPixel, bool parenthesised) {
  std::string line = title;
  line += parenthesised ? " (" : " ";
  line += std::to_string(width) + "x" + std::to_string(height);
  line += ColourSuffix(bitsPerPixel);
  line += FormatWord(format);
  if (parenthesised) line += ")";
  return line;
}
