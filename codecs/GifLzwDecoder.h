// The variable-length LZW decoder of GIF image data. It hands out pixels on
// demand and never fails: a damaged or truncated stream yields pixels of
// value 0 where the data is missing, so a picture always decodes to its
// full size. Tables are sized once per decoder; every code read from the
// data indexes them within bounds.
#pragma once

#include "codecs/BufferedInput.h"

#include <cstdint>
#include <vector>

class GifLzwDecoder {
 public:
  static constexpr int kMaxCodes = 4096;

  GifLzwDecoder();

  // Starts a new stream of data sub-blocks at the current position of
  // `input`. `minimumCodeSize` must be 2 .. 11.
  void Reset(int minimumCodeSize, BufferedInput* input);

  // The next `count` pixels. Pixel values are the low 8 bits of the codes.
  void Decode(uint8_t* pixels, int count);

  // The stream's end code was met or its data ran out.
  bool DataEnded() const { return dataEnded_; }
  // Every pixel from here on is 0.
  bool Exhausted() const { return dataEnded_ && pendingPos_ == pendingEnd_; }

 private:
  int FetchCode();
  bool NextSubBlockByte(uint8_t* byte);
  void SkipRemainingSubBlocks();
  void StartTable();
  int FirstCodeAfterClear();
  int DecodeCode(uint8_t* out, int room);

  BufferedInput* input_ = nullptr;
  int minimumCodeSize_ = 0;
  int clearCode_ = 0;
  int endCode_ = 0;
  int codeSize_ = 0;
  int nextFree_ = 0;
  int limit_ = 0;
  int firstCode_ = 0;
  int oldCode_ = 0;
  bool fresh_ = false;
  bool dataEnded_ = false;

  // Bits not yet taken as codes, least significant first.
  uint32_t bits_ = 0;
  int bitCount_ = 0;
  int subBlockLeft_ = 0;

  std::vector<uint16_t> prefix_;
  std::vector<uint8_t> suffix_;
  std::vector<uint16_t> length_;  // pixels in each code's string
  // A string longer than the pixels asked for waits here for the next call.
  std::vector<uint8_t> pending_;
  int pendingPos_ = 0;
  int pendingEnd_ = 0;
};
