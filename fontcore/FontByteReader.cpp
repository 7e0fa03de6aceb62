#include "fontcore/FontByteReader.h"

#include "fontcore/Exceptions.h"

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

// The codes and texts of the file system's own input/output errors.
const int kReadPastEnd = 38;
const int kReadFailed = 30;

}  // namespace

FontByteReader::FontByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

FontByteReader::FontByteReader(std::FILE* file, uint64_t size) : file_(file), size_(size) {}

FontByteReader::~FontByteReader() {
  if (file_) std::fclose(file_);
}

void FontByteReader::Require(uint64_t position, uint64_t count) const {
  if (position > size_ || count > size_ - position)
    throw EInOutError(kReadPastEnd, "Read beyond end of file");
}

void FontByteReader::Read(void* buffer, size_t count) {
  Require(position_, count);
  if (count == 0) return;
  if (data_) {
    std::memcpy(buffer, data_ + position_, count);
  } else {
    // The size is below LONG_MAX: OpenFontFile measured it with ftell.
    if (filePosition_ != position_ &&
        std::fseek(file_, static_cast<long>(position_), SEEK_SET) != 0)
      throw EInOutError(kReadFailed, "Read fault");
    size_t got = std::fread(buffer, 1, count, file_);
    filePosition_ = position_ + got;
    if (got != count) throw EInOutError(kReadFailed, "Read fault");
  }
  position_ += count;
}

uint8_t FontByteReader::ReadByte() {
  uint8_t byte;
  Read(&byte, 1);
  return byte;
}

uint16_t FontByteReader::ReadWord() {
  uint8_t bytes[2];
  Read(bytes, sizeof bytes);
  return WordAt(bytes);
}

uint32_t FontByteReader::ReadLong() {
  uint8_t bytes[4];
  Read(bytes, sizeof bytes);
  return LongAt(bytes);
}

std::string FontByteReader::ReadString(size_t count) {
  Require(position_, count);
  std::string text(count, '\0');
  Read(text.data(), count);
  return text;
}

TFontReadResult OpenFontFile(const std::string& fileName, std::unique_ptr<FontByteReader>& reader) {
  reader.reset();
  errno = 0;
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return errno == ENOENT ? frNotFound : frFailed;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  // A folder opens on some systems but has no length that reads could use.
  if (size < 0 || size == LONG_MAX || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return frFailed;
  }
  reader = std::make_unique<FontByteReader>(file, static_cast<uint64_t>(size));
  return frOK;
}
