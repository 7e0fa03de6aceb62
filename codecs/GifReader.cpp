#include "codecs/GifReader.h"

#include "codecs/ByteOrder.h"
#include "codecs/GifInterlace.h"
#include "codecs/ImageFormat.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>
#include <cstring>

namespace {
// Header blocks are small; the image data that follows is read through the
// same buffer.
constexpr size_t kInputBufferBytes = 32768;
}  // namespace

CodecError GifReader::TakeBytes(uint8_t* out, size_t count) {
  const uint8_t* bytes = input_.Take(count);
  if (!bytes) return NotGif();
  std::memcpy(out, bytes, count);
  return CodecOk;
}

CodecError GifReader::ReadColourTable(int entries) {
  const uint8_t* table = input_.Take(static_cast<size_t>(entries) * 3);
  if (!table) return NotGif();
  std::memcpy(palette, table, static_cast<size_t>(entries) * 3);
  return CodecOk;
}

CodecError GifReader::SkipSubBlocks() {
  for (;;) {
    const int length = input_.NextByte();
    if (length < 0) return NotGif();
    if (length == 0) return CodecOk;
    if (input_.Skip(static_cast<size_t>(length)) < static_cast<size_t>(length)) return NotGif();
  }
}

CodecError GifReader::ReadHeaderPart() {
  input_.Attach(&Source(), kInputBufferBytes);
  uint8_t signature[6];
  if (CodecError error = TakeBytes(signature, sizeof signature)) return error;
  if (std::memcmp(signature, "GIF", 3) != 0 ||
      (std::memcmp(signature + 3, "87a", 3) != 0 && std::memcmp(signature + 3, "89a", 3) != 0))
    return ErrNotSupported;

  uint8_t screen[7];
  if (CodecError error = TakeBytes(screen, sizeof screen)) return error;
  width = ReadU16LE(screen);
  height = ReadU16LE(screen + 2);
  background_ = screen[5];
  aspect_ = screen[6];
  paletteCount = 2 << (screen[4] & 7);
  bitsPerPixel = (screen[4] & 7) + 1;
  if (screen[4] & 0x80) {
    if (CodecError error = ReadColourTable(paletteCount)) return error;
  }

  for (;;) {
    const int introducer = input_.NextByte();
    if (introducer < 0 || introducer == ';') return NotGif();
    if (introducer == '!') {
      if (input_.NextByte() < 0) return NotGif();
      if (CodecError error = SkipSubBlocks()) return error;
    } else if (introducer == ',') {
      break;
    }
  }

  uint8_t descriptor[9];
  if (CodecError error = TakeBytes(descriptor, sizeof descriptor)) return error;
  width = ReadU16LE(descriptor + 4);
  height = ReadU16LE(descriptor + 6);
  interlaced_ = (descriptor[8] & 0x40) != 0;
  if (descriptor[8] & 0x80) {
    paletteCount = 2 << (descriptor[8] & 7);
    bitsPerPixel = (descriptor[8] & 7) + 1;
    if (CodecError error = ReadColourTable(paletteCount)) return error;
  }

  minimumCodeSize_ = input_.NextByte();
  if (minimumCodeSize_ < 2 || minimumCodeSize_ > 11) return NotGif();

  format = FormatGif;
  isGrey = 0;
  deliveredWidth = width;
  nativeDepth = bitsPerPixel == 1 ? 1 : 8;
  return CodecOk;
}

CodecError GifReader::StartDecode() {
  if (!decoder_) decoder_.reset(new GifLzwDecoder());
  decoder_->Reset(minimumCodeSize_, &input_);
  row_.assign(static_cast<size_t>(width), 0);
  if (nativeDepth == 1) packed_.assign((static_cast<size_t>(width) + 7) / 8, 0);
  rowsDone_ = 0;
  sourceRowsRead_ = 0;
  interlaceRow_ = 0;
  if (interlaced_) {
    // Rows arrive pass by pass; the rest shows black until then.
    FillWithBlack(NearestBlackEntry());
    decodedRect = ImageRect{0, 0, OutputWidth(), OutputHeight()};
  }
  return CodecOk;
}

const uint8_t* GifReader::OutputRow() {
  if (nativeDepth != 1) return row_.data();
  const uint8_t* pixels = row_.data();
  uint8_t* out = packed_.data();
  int x = 0;
  for (; x + 8 <= width; x += 8, pixels += 8)
    *out++ = static_cast<uint8_t>(
        (pixels[0] & 1) << 7 | (pixels[1] & 1) << 6 | (pixels[2] & 1) << 5 | (pixels[3] & 1) << 4 |
        (pixels[4] & 1) << 3 | (pixels[5] & 1) << 2 | (pixels[6] & 1) << 1 | (pixels[7] & 1));
  if (x < width) {
    uint8_t last = 0;
    for (int bit = 7; x < width; ++x, --bit) last |= static_cast<uint8_t>((*pixels++ & 1) << bit);
    *out = last;
  }
  return packed_.data();
}

CodecError GifReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  const int outputHeight = OutputHeight();
  const int outputWidth = OutputWidth();
  if (rowsDone_ >= outputHeight) return ErrOutOfOrder;
  count = std::min(std::max(count, 0), outputHeight - rowsDone_);
  if (changed) *changed = interlaced_ ? 0 : 1;
  if (rect)
    *rect = interlaced_ ? ImageRect() : ImageRect{0, rowsDone_, outputWidth, rowsDone_ + count};

  int produced = 0;
  while (produced < count && sourceRowsRead_ < height) {
    const int sourceRow = interlaced_ ? interlaceRow_ : sourceRowsRead_;
    ++sourceRowsRead_;
    if (interlaced_) interlaceRow_ = NextInterlacedRow(interlaceRow_, height);
    // Rows not shown are decoded only to keep the data in step.
    int y = 0;
    const bool shown = OutputLineOf(sourceRow, height, &y);
    if (!shown && decoder_->Exhausted()) continue;
    decoder_->Decode(row_.data(), width);
    // Missing data decodes as zeros; a source that failed is an error.
    if (CodecError error = Source().FailureOr(CodecOk)) return error;
    if (!shown) continue;
    if (CodecError error = PutRow(OutputRow(), y)) return error;
    if (interlaced_) {
      // One rectangle bounds the rows of the batch, wherever they fall.
      if (rect) {
        *rect = rect->IsEmpty() ? ImageRect{0, y, outputWidth, y + 1}
                                : ImageRect{0, std::min(rect->top, y), outputWidth,
                                            std::max(rect->bottom, y + 1)};
      }
      if (changed) *changed = 1;
    }
    ++produced;
    ++rowsDone_;
  }
  // Every output row has exactly one source row; should the count ever
  // disagree, the image still ends.
  if (sourceRowsRead_ >= height) rowsDone_ = outputHeight;

  SetLineProgress(rowsDone_, outputHeight);
  if (!interlaced_) decodedRect = ImageRect{0, 0, outputWidth, rowsDone_};
  if (rowsDone_ == outputHeight) FinishPass();
  return CodecOk;
}

CodecError GifReader::EndDecodePart() {
  input_.Release();
  decoder_.reset();
  std::vector<uint8_t>().swap(row_);
  std::vector<uint8_t>().swap(packed_);
  return CodecOk;
}

// ---- content test ---------------------------------------------------------

bool IsGifImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 13) return false;
  if (std::memcmp(head, "GIF87a", 6) != 0 && std::memcmp(head, "GIF89a", 6) != 0) return false;
  out->width = ReadU16LE(head + 6);
  out->height = ReadU16LE(head + 8);
  out->bitsPerPixel = (head[10] & 7) + 1;
  return true;
}
