// A read-ahead buffer over a ByteSource for readers that consume their data
// in small pieces. The buffer is sized once per load; every access checks
// what is left, so running out of data is an ordinary answer (-1 or null),
// never a read past the buffer. A failed read of the source is kept by the
// source (ByteSource::FailureOr).
#pragma once

#include "codecs/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class BufferedInput {
 public:
  // Allocates `capacity` bytes (at least 1) and forgets buffered data.
  void Attach(ByteSource* source, size_t capacity);
  void Release();

  // Forgets buffered data, e.g. after the source was repositioned.
  void Discard() { fill_ = position_ = 0; }

  // The next byte, or -1 when the source is exhausted or failed.
  int NextByte() {
    if (position_ == fill_ && !Refill()) return -1;
    return buffer_[position_++];
  }

  // `count` contiguous bytes (count <= capacity), or null when the source
  // ends first. The bytes stay valid until the next call.
  const uint8_t* Take(size_t count);

  // Skips up to `count` bytes; returns how many were skipped.
  size_t Skip(size_t count);

  size_t Capacity() const { return buffer_.size(); }

 private:
  bool Refill();
  // Reads into the buffer from `offset` on; false when nothing came.
  bool ReadInto(size_t offset);

  ByteSource* source_ = nullptr;
  std::vector<uint8_t> buffer_;
  size_t fill_ = 0;
  size_t position_ = 0;
};
