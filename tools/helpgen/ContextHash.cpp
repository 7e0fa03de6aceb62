#include "tools/helpgen/ContextHash.h"

namespace {

uint32_t CharacterValue(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<uint32_t>(c - 'A' + 17);
  if (c >= 'a' && c <= 'z') return static_cast<uint32_t>(c - 'a' + 17);
  if (c >= '1' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  return 0;
}

}  // namespace

int32_t ContextHash(const std::string& context) {
  // Wraps around in 32 bits, as the readers of the format compute it.
  uint32_t hash = 0;
  for (char c : context) {
    const uint32_t value = CharacterValue(c);
    if (value != 0) hash = hash * 43 + value;
  }
  return static_cast<int32_t>(hash);
}
