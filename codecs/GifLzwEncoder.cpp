#include "codecs/GifLzwEncoder.h"

#include <algorithm>

namespace {
constexpr uint32_t kEmptyKey = 0xFFFFFFFFu;
constexpr int kMaxWidth = 12;
constexpr int kMaxCodes = 4096;
}  // namespace

GifLzwEncoder::GifLzwEncoder() : codes_(kHashSize, 0), keys_(kHashSize, kEmptyKey) {}

void GifLzwEncoder::Start(int initialWidth) {
  initialWidth_ = std::min(std::max(initialWidth, 3), kMaxWidth);
  width_ = initialWidth_;
  maxCode_ = (1 << width_) - 1;
  clearCode_ = 1 << (initialWidth_ - 1);
  endCode_ = clearCode_ + 1;
  nextFree_ = clearCode_ + 2;
  havePrefix_ = false;
  prefix_ = 0;
  accumulator_ = 0;
  accumulatedBits_ = 0;
  packetLength_ = 0;
  output_.clear();
  std::fill(keys_.begin(), keys_.end(), kEmptyKey);
  WriteCode(clearCode_);
}

void GifLzwEncoder::ClearTable() {
  std::fill(keys_.begin(), keys_.end(), kEmptyKey);
  nextFree_ = clearCode_ + 2;
  width_ = initialWidth_;
  maxCode_ = (1 << width_) - 1;
}

void GifLzwEncoder::Encode(const uint8_t* pixels, int count) {
  int i = 0;
  if (!havePrefix_ && count > 0) {
    prefix_ = pixels[0];
    havePrefix_ = true;
    i = 1;
  }
  for (; i < count; ++i) {
    const int pixel = pixels[i];
    const uint32_t key = static_cast<uint32_t>(pixel) | static_cast<uint32_t>(prefix_) << 8;
    int slot = prefix_ + pixel * 16;
    if (slot >= kHashSize) slot -= kHashSize;
    if (keys_[slot] == key) {
      prefix_ = codes_[slot];
      continue;
    }
    if (keys_[slot] != kEmptyKey) {
      const int step = slot == 0 ? 1 : kHashSize - slot;
      bool found = false;
      do {
        slot -= step;
        if (slot < 0) slot += kHashSize;
        if (keys_[slot] == key) {
          found = true;
          break;
        }
      } while (keys_[slot] != kEmptyKey);
      if (found) {
        prefix_ = codes_[slot];
        continue;
      }
    }
    WriteCode(prefix_);
    if (nextFree_ >= kMaxCodes) {
      WriteCode(clearCode_);
      ClearTable();
    } else {
      codes_[slot] = static_cast<uint16_t>(nextFree_++);
      keys_[slot] = key;
    }
    prefix_ = pixel;
  }
}

void GifLzwEncoder::WriteCode(int code) {
  accumulator_ |= static_cast<uint32_t>(code) << accumulatedBits_;
  accumulatedBits_ += width_;
  while (accumulatedBits_ >= 8) {
    packet_[packetLength_++] = static_cast<uint8_t>(accumulator_);
    accumulator_ >>= 8;
    accumulatedBits_ -= 8;
    if (packetLength_ == 255) FlushPacket();
  }
  if (nextFree_ > maxCode_ && width_ < kMaxWidth) {
    ++width_;
    maxCode_ = width_ == kMaxWidth ? kMaxCodes : (1 << width_) - 1;
  }
}

void GifLzwEncoder::FlushPacket() {
  if (packetLength_ == 0) return;
  output_.push_back(static_cast<uint8_t>(packetLength_));
  output_.insert(output_.end(), packet_, packet_ + packetLength_);
  packetLength_ = 0;
}

void GifLzwEncoder::Finish() {
  if (havePrefix_) WriteCode(prefix_);
  havePrefix_ = false;
  WriteCode(endCode_);
  if (accumulatedBits_ > 0) {
    packet_[packetLength_++] = static_cast<uint8_t>(accumulator_);
    accumulator_ = 0;
    accumulatedBits_ = 0;
    if (packetLength_ == 255) FlushPacket();
  }
  FlushPacket();
}
