#include "codecs/PcxReader.h"

#include "codecs/ByteOrder.h"
#include "codecs/ImageFormat.h"
#include "codecs/StoredDepths.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kInputBufferBytes = 60000;
constexpr int kPaletteMarker = 12;

// Files of version 3 carry no palette; they are shown in the 16 standard
// colours of the displays they were painted on.
const uint8_t kDefaultPalette[16][3] = {
    {0, 0, 0},     {0, 0, 170},     {0, 170, 0},    {0, 170, 170},   {170, 0, 0},   {170, 0, 170},
    {170, 85, 0},  {170, 170, 170}, {85, 85, 85},   {85, 85, 255},   {85, 255, 85}, {85, 255, 255},
    {255, 85, 85}, {255, 85, 255},  {255, 255, 85}, {255, 255, 255},
};

}  // namespace

CodecError PcxReader::ReadHeaderPart() {
  uint8_t header[128];
  if (ReadBytes(header, sizeof header) != CodecOk || header[0] != 10) return ErrNotSupported;
  version_ = header[1];
  layout_.bitsPerPlane = header[3];
  layout_.planes = header[65];
  layout_.bytesPerLine = ReadU16LE(header + 66);
  width = ReadU16LE(header + 8) - ReadU16LE(header + 4) + 1;
  height = ReadU16LE(header + 10) - ReadU16LE(header + 6) + 1;
  layout_.width = width;
  bitsPerPixel = layout_.bitsPerPlane * layout_.planes;
  if (!IsPcxDepth(bitsPerPixel)) return ErrNotSupported;
  if (width <= 0 || height <= 0) return ErrNotSupported;

  format = FormatPcx;
  isGrey = ReadU16LE(header + 68) == 2;
  deliveredWidth = width;
  if (bitsPerPixel > 8) {
    paletteCount = 0;
    nativeDepth = 24;
  } else {
    paletteCount = 1 << bitsPerPixel;
    nativeDepth = bitsPerPixel == 1 ? 1 : 8;
  }
  if (ReadPalette(header) != CodecOk) return ErrNotSupported;
  return SeekTo(128, 0) == CodecOk ? CodecOk : ErrNotSupported;
}

CodecError PcxReader::ReadPalette(const uint8_t* header) {
  if (bitsPerPixel == 1) {
    std::memset(palette[0], 0, 3);
    std::memset(palette[1], 255, 3);
  } else if (bitsPerPixel == 4) {
    std::memcpy(palette, header + 16, 48);
  } else if (bitsPerPixel == 8 && version_ == 3) {
    std::memcpy(palette, kDefaultPalette, sizeof kDefaultPalette);
  } else if (bitsPerPixel == 8 && version_ >= 5) {
    uint8_t trailer[769];
    if (CodecError error = SeekTo(-769, 2)) return error;
    if (CodecError error = ReadBytes(trailer, sizeof trailer)) return error;
    if (trailer[0] != kPaletteMarker) return ErrNotSupported;
    std::memcpy(palette, trailer + 1, 768);
  }
  return CodecOk;
}

CodecError PcxReader::StartDecode() {
  line_.assign(static_cast<size_t>(layout_.ConvertedSpan()), 0);
  row_.assign(static_cast<size_t>(width) * 3, 0);
  input_.Attach(&Source(), kInputBufferBytes);
  StartStoredLines(height, true);
  return CodecOk;
}

CodecError PcxReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  return DecodeStoredLines(count, changed, rect);
}

CodecError PcxReader::ReadStoredLine(const uint8_t** line) {
  const int encodedLength = layout_.EncodedLength();
  if (!DecodePcxScanLine(input_, line ? line_.data() : nullptr, encodedLength))
    return Source().FailureOr(ErrBadData);
  if (!line) return CodecOk;
  if (!ConvertPcxRow(layout_, line_.data(), row_.data())) return ErrBadData;
  *line = row_.data();
  return CodecOk;
}

CodecError PcxReader::EndDecodePart() {
  input_.Release();
  std::vector<uint8_t>().swap(line_);
  std::vector<uint8_t>().swap(row_);
  return CodecOk;
}

// ---- content test ---------------------------------------------------------

bool IsPcxImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 128 || head[0] != 10) return false;
  const int bits = head[3] * head[65];
  if (!IsPcxDepth(bits)) return false;
  out->width = ReadU16LE(head + 8) - ReadU16LE(head + 4) + 1;
  out->height = ReadU16LE(head + 10) - ReadU16LE(head + 6) + 1;
  out->bitsPerPixel = bits;
  return true;
}
