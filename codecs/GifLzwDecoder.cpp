#include "codecs/GifLzwDecoder.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kMaxCodeSize = 12;
// Every string unwinds through strictly smaller codes, so it is at most as
// long as the table; the spare entry holds the extra pixel of a code that
// repeats its own first character.
constexpr int kLongestString = GifLzwDecoder::kMaxCodes + 1;
}  // namespace

GifLzwDecoder::GifLzwDecoder()
    : prefix_(kMaxCodes, 0),
      suffix_(kMaxCodes, 0),
      length_(kMaxCodes, 1),
      pending_(kLongestString, 0) {}

void GifLzwDecoder::Reset(int minimumCodeSize, BufferedInput* input) {
  input_ = input;
  minimumCodeSize_ = std::min(std::max(minimumCodeSize, 2), 11);
  clearCode_ = 1 << minimumCodeSize_;
  endCode_ = clearCode_ + 1;
  std::fill(prefix_.begin(), prefix_.end(), 0);
  std::fill(suffix_.begin(), suffix_.end(), 0);
  std::fill(length_.begin(), length_.end(), 1);
  StartTable();
  firstCode_ = 0;
  oldCode_ = 0;
  fresh_ = true;
  dataEnded_ = false;
  bits_ = 0;
  bitCount_ = 0;
  subBlockLeft_ = 0;
}

void GifLzwDecoder::StartTable() {
  codeSize_ = minimumCodeSize_ + 1;
  nextFree_ = clearCode_ + 2;
  limit_ = clearCode_ * 2;
  pendingPos_ = pendingEnd_ = 0;
}

bool GifLzwDecoder::NextSubBlockByte(uint8_t* byte) {
  if (subBlockLeft_ == 0) {
    int length = input_ ? input_->NextByte() : -1;
    if (length <= 0) return false;  // block terminator or no more data
    subBlockLeft_ = length;
  }
  int value = input_->NextByte();
  if (value < 0) return false;
  --subBlockLeft_;
  *byte = static_cast<uint8_t>(value);
  return true;
}

int GifLzwDecoder::FetchCode() {
  while (bitCount_ < codeSize_) {
    uint8_t byte = 0;
    if (dataEnded_ || !NextSubBlockByte(&byte)) {
      // Too few bits for a code are never taken as one later.
      dataEnded_ = true;
      bits_ = 0;
      bitCount_ = 0;
      return endCode_;
    }
    bits_ |= static_cast<uint32_t>(byte) << bitCount_;
    bitCount_ += 8;
  }
  int code = static_cast<int>(bits_ & ((1u << codeSize_) - 1));
  bits_ >>= codeSize_;
  bitCount_ -= codeSize_;
  return code;
}

void GifLzwDecoder::SkipRemainingSubBlocks() {
  if (!input_) return;
  if (subBlockLeft_ > 0 && input_->Skip(subBlockLeft_) < static_cast<size_t>(subBlockLeft_)) return;
  subBlockLeft_ = 0;
  for (;;) {
    int length = input_->NextByte();
    if (length <= 0) return;
    if (input_->Skip(length) < static_cast<size_t>(length)) return;
  }
}

int GifLzwDecoder::FirstCodeAfterClear() {
  int code = FetchCode();
  while (code == clearCode_) code = FetchCode();
  return code > clearCode_ ? 0 : code;
}

int GifLzwDecoder::DecodeCode(uint8_t* out, int room) {
  if (fresh_) {
    fresh_ = false;
    firstCode_ = oldCode_ = FirstCodeAfterClear();
    out[0] = static_cast<uint8_t>(firstCode_);
    return 1;
  }
  int code = FetchCode();
  if (code == clearCode_) {
    StartTable();
    firstCode_ = oldCode_ = FirstCodeAfterClear();
    out[0] = static_cast<uint8_t>(firstCode_);
    return 1;
  }
  if (code == endCode_) {
    if (!dataEnded_) SkipRemainingSubBlocks();
    // Whatever follows the end code is not image data: from here on every
    // pixel is 0.
    dataEnded_ = true;
    bits_ = 0;
    bitCount_ = 0;
    out[0] = 0;
    return 1;
  }
  int inCode = code;
  int extra = 0;
  if (code >= nextFree_) {
    // Not in the table yet: the string of the previous code plus its own
    // first character. A code beyond that is damage.
    extra = 1;
    code = oldCode_;
    if (inCode > nextFree_) inCode = 0;
  }
  const int length = length_[code] + extra;
  // The string goes straight into the pixels when they have room for it.
  const bool direct = length <= room;
  uint8_t* const start = direct ? out : pending_.data();
  uint8_t* p = start + length;
  if (extra) *--p = static_cast<uint8_t>(firstCode_);
  while (code >= clearCode_ && p > start + 1) {
    *--p = suffix_[code];
    code = prefix_[code];
  }
  *--p = static_cast<uint8_t>(code);
  firstCode_ = code;
  if (nextFree_ < kMaxCodes) {
    prefix_[nextFree_] = static_cast<uint16_t>(oldCode_);
    suffix_[nextFree_] = static_cast<uint8_t>(firstCode_);
    length_[nextFree_] = static_cast<uint16_t>(std::min(length_[oldCode_] + 1, kMaxCodes));
    ++nextFree_;
    if (nextFree_ >= limit_ && codeSize_ < kMaxCodeSize) {
      ++codeSize_;
      limit_ *= 2;
    }
  }
  oldCode_ = inCode;
  if (direct) return length;
  pendingPos_ = 0;
  pendingEnd_ = length;
  return 0;
}

void GifLzwDecoder::Decode(uint8_t* pixels, int count) {
  while (count > 0) {
    if (pendingPos_ < pendingEnd_) {
      const int n = std::min(pendingEnd_ - pendingPos_, count);
      std::memcpy(pixels, pending_.data() + pendingPos_, static_cast<size_t>(n));
      pendingPos_ += n;
      pixels += n;
      count -= n;
      continue;
    }
    if (dataEnded_) {
      // A huge picture with little data costs no more than clearing it.
      std::memset(pixels, 0, static_cast<size_t>(count));
      return;
    }
    const int written = DecodeCode(pixels, count);
    pixels += written;
    count -= written;
  }
}
