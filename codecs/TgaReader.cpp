#include "codecs/TgaReader.h"

#include "codecs/ByteOrder.h"
#include "codecs/ImageFormat.h"

#include <algorithm>

namespace {

constexpr size_t kInputBufferBytes = 32768;

bool IsKnownImageType(int type) {
  return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

}  // namespace

CodecError TgaReader::ReadHeaderPart() {
  uint8_t header[18];
  if (ReadBytes(header, sizeof header) != CodecOk) return ErrNotSupported;
  const int idLength = header[0];
  const int colourMapType = header[1];
  const int imageType = header[2];
  // A colour map is only there when the map type says so.
  const int colourMapLength = colourMapType == 1 ? ReadU16LE(header + 5) : 0;
  const int colourMapEntrySize = header[7];
  const int depth = header[16];
  const int descriptor = header[17];
  if (!IsKnownImageType(imageType) || colourMapType > 1 || descriptor >= 64) return ErrNotSupported;
  if (colourMapType == 1 && colourMapEntrySize != 16 && colourMapEntrySize != 24)
    return ErrNotSupported;
  if (idLength > 0 && SeekTo(idLength, 1) != CodecOk) return ErrNotSupported;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return ErrNotSupported;

  format = FormatTga;
  width = ReadU16LE(header + 12);
  height = ReadU16LE(header + 14);
  bitsPerPixel = depth;
  isGrey = depth == 8 && colourMapLength == 0;
  paletteCount = depth == 8 ? std::min(colourMapLength, 256) : 0;
  topDown_ = (descriptor & 0x20) != 0;
  deliveredWidth = width;
  nativeDepth = depth > 8 ? 24 : 8;
  rowFormat_ = TgaRowFormat{width, depth, imageType > 8};
  if (colourMapLength > 0 && ReadColourMap(colourMapLength, colourMapEntrySize) != CodecOk)
    return ErrNotSupported;
  return CodecOk;
}

CodecError TgaReader::ReadColourMap(int length, int entrySize) {
  const int entryBytes = entrySize / 8;
  if (bitsPerPixel > 8) {
    // True-colour pixels do not use the map; the pixel data follows it.
    return SeekTo(static_cast<long>(length) * entryBytes, 1);
  }
  if (entrySize == 16) {
    if (length != 16) return ErrNotSupported;
    uint8_t entries[32];
    if (CodecError error = ReadBytes(entries, sizeof entries)) return error;
    for (int i = 0; i < 16; ++i) {
      const unsigned v = ReadU16LE(entries + 2 * i);
      palette[i][0] = TgaFiveToEight(v >> 10);
      palette[i][1] = TgaFiveToEight(v >> 5);
      palette[i][2] = TgaFiveToEight(v);
    }
    return CodecOk;
  }
  // Entries past 256 cannot be indexed by 8-bit pixels; they are passed over.
  uint8_t entries[256 * 3];
  const int kept = std::min(length, 256);
  if (CodecError error = ReadBytes(entries, static_cast<uint32_t>(kept) * 3)) return error;
  for (int i = 0; i < kept; ++i) {
    palette[i][0] = entries[3 * i + 2];
    palette[i][1] = entries[3 * i + 1];
    palette[i][2] = entries[3 * i];
  }
  return length > kept ? SeekTo(static_cast<long>(length - kept) * 3, 1) : CodecOk;
}

CodecError TgaReader::StartDecode() {
  const size_t stride = static_cast<size_t>(rowFormat_.Stride());
  size_t capacity = kInputBufferBytes;
  if (!rowFormat_.compressed)
    capacity = stride <= kInputBufferBytes ? kInputBufferBytes / stride * stride : stride;
  row_.assign(static_cast<size_t>(width) * 4, 0);
  input_.Attach(&Source(), capacity);
  StartStoredLines(height, topDown_);
  return CodecOk;
}

CodecError TgaReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  return DecodeStoredLines(count, changed, rect);
}

CodecError TgaReader::ReadStoredLine(const uint8_t** line) {
  if (!ReadTgaRow(input_, rowFormat_, line ? row_.data() : nullptr))
    return Source().FailureOr(ErrBadData);
  if (line) *line = row_.data();
  return CodecOk;
}

CodecError TgaReader::EndDecodePart() {
  input_.Release();
  std::vector<uint8_t>().swap(row_);
  return CodecOk;
}

// ---- content test ---------------------------------------------------------

bool IsTargaImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 18) return false;
  switch (head[2]) {
    case 1:
    case 2:
    case 3:
    case 9:
    case 10:
    case 11:
      break;
    default:
      return false;
  }
  if (head[1] > 1) return false;
  if (head[1] == 1 && head[7] != 16 && head[7] != 24) return false;
  if (head[17] >= 64) return false;
  switch (head[16]) {
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  out->width = ReadU16LE(head + 12);
  out->height = ReadU16LE(head + 14);
  out->bitsPerPixel = head[16];
  return true;
}
