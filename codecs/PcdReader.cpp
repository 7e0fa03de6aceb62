#include "codecs/PcdReader.h"

#include "codecs/ImageFormat.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kHeaderBytes = 6144;
constexpr size_t kInputBufferBytes = 65000;
// Where the image data of levels 1, 2 and 3 start (sectors 4, 23 and 96).
constexpr long kLevelOffsets[3] = {8192, 47104, 196608};

}  // namespace

CodecError PcdReader::ReadHeaderPart() {
  std::vector<uint8_t> header(kHeaderBytes);
  if (ReadBytes(header.data(), kHeaderBytes) != CodecOk ||
      std::memcmp(header.data() + 2048, "PCD", 3) != 0)
    return ErrNotSupported;
  rotation_ = header[3586] & 3;
  format = FormatPcd;
  width = rotation_ ? 512 : 768;
  height = rotation_ ? 768 : 512;
  bitsPerPixel = 24;
  nativeDepth = 24;
  isGrey = 0;
  paletteCount = 0;
  columnMode = rotation_ != 0;
  deliveredWidth = width;
  deliveredHeight = height;
  return CodecOk;
}

CodecError PcdReader::StartDecode() {
  const bool rotated = rotation_ != 0;
  int levelWidth = rotated ? 128 : 192;
  int levelHeight = rotated ? 192 : 128;
  level_ = 1;
  // The smallest level that covers the output in both directions.
  while (level_ < 3 && (levelWidth < OutputWidth() || levelHeight < OutputHeight())) {
    levelWidth *= 2;
    levelHeight *= 2;
    ++level_;
  }
  deliveredWidth = levelWidth;
  deliveredHeight = levelHeight;
  lineLength_ = rotated ? levelHeight : levelWidth;
  const int storedLines = rotated ? levelWidth : levelHeight;

  if (SeekTo(kLevelOffsets[level_ - 1], 0) != CodecOk) return ErrNoPalette;
  if (!converter_) converter_.reset(new PcdColorConverter());
  const size_t groupBytes = 3 * static_cast<size_t>(lineLength_);
  input_.Attach(&Source(), kInputBufferBytes / groupBytes * groupBytes);
  line_.assign(groupBytes, 0);
  group_ = nullptr;
  lineCounter_ = 0;
  StartStoredLines(storedLines, true);
  return CodecOk;
}

CodecError PcdReader::ReadLine(bool convert) {
  if ((lineCounter_ & 1) == 0) {
    group_ = input_.Take(3 * static_cast<size_t>(lineLength_));
    if (!group_) return Source().FailureOr(ErrBadData);
  }
  if (convert) {
    const uint8_t* luma = group_ + ((lineCounter_ & 1) ? lineLength_ : 0);
    const uint8_t* chroma1 = group_ + 2 * lineLength_;
    const uint8_t* chroma2 = chroma1 + lineLength_ / 2;
    converter_->ConvertLine(luma, chroma1, chroma2, lineLength_, rotation_ != 0, line_.data());
  }
  ++lineCounter_;
  return CodecOk;
}

CodecError PcdReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  return DecodeStoredLines(count, changed, rect);
}

CodecError PcdReader::ReadStoredLine(const uint8_t** line) {
  if (CodecError error = ReadLine(line != nullptr)) return error;
  if (line) *line = line_.data();
  return CodecOk;
}

CodecError PcdReader::EndDecodePart() {
  input_.Release();
  converter_.reset();
  group_ = nullptr;
  std::vector<uint8_t>().swap(line_);
  return CodecOk;
}

// ---- content test ---------------------------------------------------------

bool IsPhotoCdImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 3587) return false;
  if (std::memcmp(head + 2048, "PCD", 3) != 0) return false;
  const bool rotated = (head[3586] & 3) != 0;
  out->width = rotated ? 512 : 768;
  out->height = rotated ? 768 : 512;
  out->bitsPerPixel = 24;
  return true;
}
