#include "codecs/BufferedInput.h"

#include <cstring>

void BufferedInput::Attach(ByteSource* source, size_t capacity) {
  source_ = source;
  buffer_.assign(capacity ? capacity : 1, 0);
  fill_ = position_ = 0;
}

void BufferedInput::Release() {
  source_ = nullptr;
  std::vector<uint8_t>().swap(buffer_);
  fill_ = position_ = 0;
}

bool BufferedInput::ReadInto(size_t offset) {
  uint32_t got = 0;
  source_->Read(buffer_.data() + offset, static_cast<uint32_t>(buffer_.size() - offset), &got);
  fill_ = offset + got;
  return got > 0;
}

bool BufferedInput::Refill() {
  if (!source_ || buffer_.empty()) return false;
  position_ = 0;
  return ReadInto(0);
}

const uint8_t* BufferedInput::Take(size_t count) {
  if (count > buffer_.size()) return nullptr;
  size_t available = fill_ - position_;
  if (available < count) {
    // Move the remainder to the front and top the buffer up.
    if (!source_) return nullptr;
    std::memmove(buffer_.data(), buffer_.data() + position_, available);
    fill_ = available;
    position_ = 0;
    while (fill_ < count)
      if (!ReadInto(fill_)) return nullptr;
  }
  const uint8_t* bytes = buffer_.data() + position_;
  position_ += count;
  return bytes;
}

size_t BufferedInput::Skip(size_t count) {
  size_t skipped = 0;
  while (skipped < count) {
    if (position_ == fill_ && !Refill()) break;
    size_t step = fill_ - position_;
    if (step > count - skipped) step = count - skipped;
    position_ += step;
    skipped += step;
  }
  return skipped;
}
