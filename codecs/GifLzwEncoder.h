// The LZW encoder of GIF image data: codes of growing width packed least
// significant bit first into data sub-blocks of up to 255 bytes. Strings are
// found through an open-addressed hash of 5003 slots; a full table of 4096
// codes is answered with a clear code and a fresh table.
#pragma once

#include <cstdint>
#include <vector>

class GifLzwEncoder {
 public:
  static constexpr int kHashSize = 5003;

  GifLzwEncoder();

  // Starts a stream whose first codes are `initialWidth` bits wide (the
  // minimum code size plus one) and writes its clear code.
  void Start(int initialWidth);
  void Encode(const uint8_t* pixels, int count);
  // Writes the pending string and the end code and flushes every bit; the
  // block terminator is the caller's.
  void Finish();

  // Finished sub-blocks (length byte and data) not yet taken by the caller.
  const std::vector<uint8_t>& Output() const { return output_; }
  void ClearOutput() { output_.clear(); }

 private:
  void WriteCode(int code);
  void FlushPacket();
  void ClearTable();

  int initialWidth_ = 0;
  int width_ = 0;
  int maxCode_ = 0;
  int clearCode_ = 0;
  int endCode_ = 0;
  int nextFree_ = 0;
  bool havePrefix_ = false;
  int prefix_ = 0;

  std::vector<uint16_t> codes_;
  std::vector<uint32_t> keys_;

  uint32_t accumulator_ = 0;
  int accumulatedBits_ = 0;
  uint8_t packet_[255] = {};
  int packetLength_ = 0;
  std::vector<uint8_t> output_;
};
