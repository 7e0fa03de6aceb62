#include "DescribeImage.h"

#include "codecs/ImageDescription.h"

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <string>

void DescribeImage(char* buffer, const char* path, int format, int width, int height,
                   int bitsPerPixel, bool parenthesised) {
  char title[256] = "";
  if (path && path[0] && GetFileTitleA(path, title, sizeof title) != 0) title[0] = 0;
  const std::string line =
      DescribeImage(std::string(title), format, width, height, bitsPerPixel, parenthesised);
  const size_t length = line.size() < kDescriptionSize - 1 ? line.size() : kDescriptionSize - 1;
  std::memcpy(buffer, line.data(), length);
  buffer[length] = 0;
}
