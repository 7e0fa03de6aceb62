// Any bytes as a PNG file in memory, through detection and a load. Half the
// inputs get their chunk CRCs repaired first, so that mutations reach the
// chunk contents instead of stopping at the checksum.
#include "codecs/ImageFormat.h"
#include "fuzz/fuzz_load.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void RepairChunkCrcs(std::vector<uint8_t>& bytes) {
  size_t at = 8;  // after the signature
  while (at + 12 <= bytes.size()) {
    const uint32_t length = static_cast<uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 |
                            bytes[at + 2] << 8 | bytes[at + 3];
    if (length > bytes.size() - at - 12) return;
    const uLong crc = crc32(0, bytes.data() + at + 4, length + 4);
    uint8_t* stored = bytes.data() + at + 8 + length;
    for (int i = 0; i < 4; ++i) stored[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  if (size % 2 == 0) RepairChunkCrcs(bytes);
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  if (image.GetFormat() == FormatPng) FuzzLoad(image, size);
  return 0;
}
