#include "codecs/PcxRunLength.h"

size_t EncodePcxRunLength(const uint8_t* data, int length, uint8_t* out) {
  size_t written = 0;
  int i = 0;
  while (i < length) {
    const uint8_t value = data[i];
    int run = 1;
    while (run < 63 && i + run < length && data[i + run] == value) ++run;
    if (run > 1 || value >= 192) out[written++] = static_cast<uint8_t>(192 + run);
    out[written++] = value;
    i += run;
  }
  return written;
}
