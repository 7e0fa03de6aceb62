// Little-endian bytes, appended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

class TByteWriter {
 public:
  TBytes Bytes;

  void U8(uint32_t v) { Bytes.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  // The text and, unless told otherwise, its terminating NUL.
  void Text(const std::string& s, bool terminated = true) {
    Bytes.insert(Bytes.end(), s.begin(), s.end());
    if (terminated) U8(0);
  }
  void Append(const TBytes& b) { Bytes.insert(Bytes.end(), b.begin(), b.end()); }
  void Fill(size_t count, uint8_t value = 0) { Bytes.insert(Bytes.end(), count, value); }
  size_t Size() const { return Bytes.size(); }
};
