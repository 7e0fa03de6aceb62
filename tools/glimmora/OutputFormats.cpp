#include "tools/glimmora/OutputFormats.h"

#include "codecs/ImageFormat.h"

namespace {

// One row per writable format.
const OutputFormat kOutputFormats[] = {
    {"bmp", FormatBmp, "bmp"},
    {"jpg", FormatJpg, "jpg"},
    {"gif", FormatGif, "gif"},
    {"pcx", FormatPcx, "pcx"},
};

}  // namespace

const OutputFormat* FindOutputFormat(const std::string& name) {
  for (const OutputFormat& entry : kOutputFormats)
    if (name == entry.name) return &entry;
  return nullptr;
}

std::string OutputFormatNames() {
  std::string names;
  for (const OutputFormat& entry : kOutputFormats) {
    if (!names.empty()) names += "|";
    names += entry.name;
  }
  return names;
}
