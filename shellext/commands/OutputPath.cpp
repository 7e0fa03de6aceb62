#include "OutputPath.h"

#include "codecs/ImageFormat.h"

const char* OutputExtension(int format) {
  switch (format) {
    case FormatJpg:
      return "jpg";
    case FormatGif:
      return "gif";
    case FormatBmp:
      return "bmp";
    case FormatPcx:
      return "pcx";
  }
  return nullptr;
}

std::string ConvertedPath(const std::string& path, const char* extension) {
  // A full stop in a folder's name is no extension.
  const size_t separator = path.find_last_of("\\/:");
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
    return path + "." + extension;
  return path.substr(0, dot + 1) + extension;
}
