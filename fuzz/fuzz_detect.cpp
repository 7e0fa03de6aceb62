// Content detection on arbitrary bytes, including the header reads of the
// readers that detection consults (TIFF, JPEG, PNG).
#include "codecs/DetectFormat.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageSource source = ImageSource::FromMemory(data, static_cast<uint32_t>(size));
  DetectedImage found;
  DetectFormat(data, size, source, &found);
  DetectSourceFormat(source, &found);
  return 0;
}
