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

int PcdReader::ReadHeaderPart() {
  std::vector<uint8_t> header(kHeaderBytes);
  if (!ReadBytes(header.data(), kHeaderBytes) || std::memcmp(header.data() + 2048, "PCD", 3) != 0)
    return Fail(ErrNotSupported);
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
  return 1;
}

int PcdReader::StartDecode() {
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
  linesToDeliver_ = rotated ? OutputWidth() : OutputHeight();
  lineLength_ = rotated ? levelHeight : levelWidth;
  storedLines_ = rotated ? levelWidth : levelHeight;

  if (!SeekTo(kLevelOffsets[level_ - 1], 0)) return Fail(ErrNoPalette);
  if (!converter_) converter_.reset(new PcdColorConverter());
  const size_t groupBytes = 3 * static_cast<size_t>(lineLength_);
  input_.Attach(&Source(), kInputBufferBytes / groupBytes * groupBytes);
  line_.assign(groupBytes, 0);
  group_ = nullptr;
  lineCounter_ = 0;
  linesDone_ = 0;
  accumulator_ = 0;
  return 1;
}

bool PcdReader::ReadLine(bool convert) {
  if ((lineCounter_ & 1) == 0) {
    group_ = input_.Take(3 * static_cast<size_t>(lineLength_));
    if (!group_) return false;
  }
  if (convert) {
    const uint8_t* luma = group_ + ((lineCounter_ & 1) ? lineLength_ : 0);
    const uint8_t* chroma1 = group_ + 2 * lineLength_;
    const uint8_t* chroma2 = chroma1 + lineLength_ / 2;
    converter_->ConvertLine(luma, chroma1, chroma2, lineLength_, rotation_ != 0, line_.data());
  }
  ++lineCounter_;
  return true;
}

int PcdReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  const bool rotated = rotation_ != 0;
  const int outputWidth = OutputWidth();
  const int outputHeight = OutputHeight();
  if (linesDone_ >= linesToDeliver_) return Fail(ErrOutOfOrder);
  count = std::min(std::max(count, 0), linesToDeliver_ - linesDone_);
  if (changed) *changed = 1;
  if (rect) {
    *rect = rotated ? ImageRect{linesDone_, 0, linesDone_ + count, outputHeight}
                    : ImageRect{0, linesDone_, outputWidth, linesDone_ + count};
  }
  for (int n = 0; n < count; ++n) {
    accumulator_ += linesToDeliver_;
    while (accumulator_ < storedLines_) {
      if (!ReadLine(false)) return Fail(ErrBadData);
      accumulator_ += linesToDeliver_;
    }
    if (!ReadLine(true)) return Fail(ErrBadData);
    accumulator_ -= storedLines_;
    const int put =
        rotated ? PutColumn(line_.data(), linesDone_) : PutRow(line_.data(), linesDone_);
    if (!put) return errorCode ? 0 : Fail(ErrBadData);
    ++linesDone_;
  }
  SetLineProgress(linesDone_, linesToDeliver_);
  decodedRect = rotated ? ImageRect{0, 0, linesDone_, outputHeight}
                        : ImageRect{0, 0, outputWidth, linesDone_};
  if (linesDone_ == linesToDeliver_) FinishPass();
  return 1;
}

int PcdReader::EndDecodePart() {
  input_.Release();
  converter_.reset();
  group_ = nullptr;
  std::vector<uint8_t>().swap(line_);
  return 1;
}
