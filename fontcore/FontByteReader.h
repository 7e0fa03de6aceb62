// The one way the font readers get at a file's bytes. Every read is checked
// against the length of the data first: a read that would pass the end raises
// EInOutError and reads nothing, whatever offsets the file claims. Positions
// are 64-bit, so offset arithmetic from 32-bit file fields cannot wrap.
#pragma once

#include "fontcore/FontReadResult.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class FontByteReader {
 public:
  // Bytes in memory that the caller keeps alive.
  FontByteReader(const uint8_t* data, size_t size);
  // An open file of `size` bytes; the reader closes it.
  FontByteReader(std::FILE* file, uint64_t size);
  ~FontByteReader();
  FontByteReader(const FontByteReader&) = delete;
  FontByteReader& operator=(const FontByteReader&) = delete;

  uint64_t Size() const { return size_; }
  uint64_t Position() const { return position_; }
  // Any position is accepted; reads there check it.
  void Seek(uint64_t position) { position_ = position; }

  void Read(void* buffer, size_t count);
  uint8_t ReadByte();
  uint16_t ReadWord();  // little-endian
  uint32_t ReadLong();  // little-endian
  std::string ReadString(size_t count);
  // Raises as a read of `count` bytes at `position` would, without reading.
  void Require(uint64_t position, uint64_t count) const;

 private:
  const uint8_t* data_ = nullptr;
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
  uint64_t filePosition_ = 0;  // where the stream stands, to spare seeks
};

// Opens a font file for reading: frOK with the reader, frNotFound when the
// file or its folder does not exist, frFailed when it cannot be opened
// otherwise (locked, a folder, no access).
TFontReadResult OpenFontFile(const std::string& fileName, std::unique_ptr<FontByteReader>& reader);

// Little-endian values from a buffer already read.
inline uint16_t WordAt(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline uint32_t LongAt(const uint8_t* bytes) {
  return static_cast<uint32_t>(WordAt(bytes)) | (static_cast<uint32_t>(WordAt(bytes + 2)) << 16);
}
