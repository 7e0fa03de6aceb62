#include "codecs/BmpReader.h"

#include "codecs/ByteOrder.h"
#include "codecs/ImageFormat.h"
#include "codecs/StoredDepths.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kInputBufferBytes = 65000;

// What a BMP info header says the picture is.
struct BmpInfo {
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0;  // negative for top-down rows
  int bits = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
};

// The first 40 bytes of the info header; false for a header size that is
// neither OS/2 1.x (12) nor Windows (40) nor OS/2 2.x (64), or for a
// picture the reader does not take.
bool ReadBmpInfo(const uint8_t* info, BmpInfo* out) {
  out->headerSize = ReadU32LE(info);
  if (out->headerSize == 12) {
    // OS/2 1.x: 16-bit sizes, no compression, 3-byte palette entries.
    out->width = ReadU16LE(info + 4);
    out->height = ReadU16LE(info + 6);
    out->bits = ReadU16LE(info + 10);
  } else if (out->headerSize == 40 || out->headerSize == 64) {
    out->width = ReadS32LE(info + 4);
    out->height = ReadS32LE(info + 8);
    out->bits = ReadU16LE(info + 14);
    out->compression = ReadU32LE(info + 16);
    out->coloursUsed = ReadU32LE(info + 32);
  } else {
    return false;
  }
  return IsBmpDepth(out->bits) && out->compression <= 2 && out->width > 0 && out->height != 0 &&
         out->height >= -INT32_MAX;
}

}  // namespace

CodecError BmpReader::ReadHeaderPart() {
  uint8_t fileHeader[14];
  if (ReadBytes(fileHeader, sizeof fileHeader) != CodecOk) return ErrNotSupported;
  if (!((fileHeader[0] == 'B' && fileHeader[1] == 'M') ||
        (fileHeader[0] == 'M' && fileHeader[1] == 'B')))
    return ErrNotSupported;
  pixelDataOffset_ = ReadU32LE(fileHeader + 10);

  uint8_t info[40];
  if (ReadBytes(info, sizeof info) != CodecOk) return ErrNotSupported;
  BmpInfo header;
  if (!ReadBmpInfo(info, &header)) return ErrNotSupported;
  headerSize_ = header.headerSize;
  width = static_cast<int>(header.width);
  const int64_t storedHeight = header.height;
  bitCount_ = header.bits;
  compression_ = static_cast<int>(header.compression);
  isOs2_ = headerSize_ != 40;
  const uint32_t coloursUsed = header.coloursUsed;

  format = FormatBmp;
  height = static_cast<int>(storedHeight < 0 ? -storedHeight : storedHeight);
  bitsPerPixel = bitCount_;
  isGrey = 0;
  topDown_ = storedHeight < 0;
  deliveredWidth = width;
  if (bitCount_ <= 8)
    paletteCount =
        coloursUsed != 0 ? static_cast<int>(std::min<uint32_t>(coloursUsed, 256)) : 1 << bitCount_;
  else
    paletteCount = 0;

  nativeDepth = 8;
  switch (bitCount_) {
    case 1:
      rowKind_ = RowKind::Bits1;
      break;
    case 4:
      rowKind_ = compression_ == 2 ? RowKind::Rle4 : RowKind::Bits4;
      break;
    case 8:
      rowKind_ = compression_ == 1 ? RowKind::Rle8 : RowKind::Bits8;
      break;
    case 15:
    case 16:
      rowKind_ = RowKind::Words555;
      nativeDepth = 24;
      break;
    case 24:
      rowKind_ = RowKind::Bits24;
      nativeDepth = 24;
      break;
    default:
      rowKind_ = RowKind::Bits32;
      nativeDepth = 24;
      break;
  }

  if (CodecError error = SeekTo(static_cast<long>(14 + headerSize_), 0)) return error;
  if (paletteCount > 0) {
    const int entryBytes = isOs2_ ? 3 : 4;
    uint8_t entries[256 * 4];
    if (CodecError error = ReadBytes(entries, static_cast<uint32_t>(paletteCount * entryBytes)))
      return error;
    for (int i = 0; i < paletteCount; ++i) {
      const uint8_t* entry = entries + i * entryBytes;
      palette[i][0] = entry[2];
      palette[i][1] = entry[1];
      palette[i][2] = entry[0];
    }
  }
  return CodecOk;
}

CodecError BmpReader::StartDecode() {
  // The base has refused widths over its limit, so this cannot overflow.
  // 15-bit pixels are stored in 16-bit words, as their writers store them.
  const int64_t storedBits = bitCount_ == 15 ? 16 : bitCount_;
  stride_ = static_cast<int>(((storedBits * width + 7) / 8 + 3) & ~3);
  const bool compressed = rowKind_ == RowKind::Rle4 || rowKind_ == RowKind::Rle8;
  size_t capacity = kInputBufferBytes;
  if (!compressed) capacity = std::max<size_t>(kInputBufferBytes / stride_, 1) * stride_;
  expanded_.assign(static_cast<size_t>(width) * 4 + 256, 0);
  rleBytesRead_ = 0;
  endOfBitmap_ = false;
  if (pixelDataOffset_ > 0x7FFFFFFFu ||
      Source().Seek(static_cast<long>(pixelDataOffset_), 0, nullptr) != CodecOk)
    return ErrNoPalette;
  input_.Attach(&Source(), capacity);
  StartStoredLines(height, topDown_);
  return CodecOk;
}

CodecError BmpReader::EndDecodePart() {
  input_.Release();
  std::vector<uint8_t>().swap(expanded_);
  return CodecOk;
}

CodecError BmpReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  return DecodeStoredLines(count, changed, rect);
}

CodecError BmpReader::ReadStoredLine(const uint8_t** line) {
  const uint8_t* row = ReadRow();
  if (line) *line = row;
  return row ? CodecOk : Source().FailureOr(ErrBadData);
}

const uint8_t* BmpReader::ReadRow() {
  if (rowKind_ == RowKind::Rle8) return ReadRle8Row();
  if (rowKind_ == RowKind::Rle4) return ReadRle4Row();
  const uint8_t* stored = input_.Take(static_cast<size_t>(stride_));
  if (!stored) return nullptr;
  uint8_t* out = expanded_.data();
  switch (rowKind_) {
    case RowKind::Bits1:
      for (int x = 0; x < width; ++x) out[x] = (stored[x >> 3] >> (7 - (x & 7))) & 1;
      return out;
    case RowKind::Bits4:
      for (int x = 0; x < width; ++x)
        out[x] = (x & 1) ? stored[x >> 1] & 0x0F : stored[x >> 1] >> 4;
      return out;
    case RowKind::Words555:
      // 16-bit files are read as 5-5-5 whatever their masks say.
      for (int x = 0; x < width; ++x) {
        int v = stored[2 * x] | stored[2 * x + 1] << 8;
        out[3 * x] = static_cast<uint8_t>(v << 3);
        out[3 * x + 1] = static_cast<uint8_t>((v >> 2) & 0xF8);
        out[3 * x + 2] = static_cast<uint8_t>((v >> 7) & 0xF8);
      }
      return out;
    case RowKind::Bits32:
      for (int x = 0; x < width; ++x) {
        out[3 * x] = stored[4 * x];
        out[3 * x + 1] = stored[4 * x + 1];
        out[3 * x + 2] = stored[4 * x + 2];
      }
      return out;
    default:
      return stored;  // 8 and 24 bits are delivered as stored
  }
}

int BmpReader::NextRleByte() {
  int value = input_.NextByte();
  if (value >= 0) ++rleBytesRead_;
  return value;
}

const uint8_t* BmpReader::ReadRle8Row() {
  uint8_t* out = expanded_.data();
  std::memset(out, 0, static_cast<size_t>(width));
  // After an end-of-bitmap escape the remaining rows stay background.
  if (endOfBitmap_) return out;
  int x = 0;
  // Some writers run each row to its padded width: pixels past the row's
  // end are dropped, never written.
  for (;;) {
    int count = NextRleByte();
    int value = NextRleByte();
    if (count < 0 || value < 0) return nullptr;
    if (count > 0) {
      const int kept = std::min(count, width - x);
      std::memset(out + x, value, static_cast<size_t>(kept));
      x += kept;
    } else if (value == 0) {
      return out;
    } else if (value == 1) {
      endOfBitmap_ = true;
      return out;
    } else if (value == 2) {
      return nullptr;  // delta moves are not supported
    } else {
      for (int i = 0; i < value; ++i) {
        int literal = NextRleByte();
        if (literal < 0) return nullptr;
        if (x < width) out[x++] = static_cast<uint8_t>(literal);
      }
      if (rleBytesRead_ & 1) NextRleByte();
    }
  }
}

const uint8_t* BmpReader::ReadRle4Row() {
  uint8_t* out = expanded_.data();
  std::memset(out, 0, static_cast<size_t>(width));
  if (endOfBitmap_) return out;
  int x = 0;
  // Pixels past the row's end are dropped, never written.
  auto put = [&](int pixel) {
    if (x < width) out[x++] = static_cast<uint8_t>(pixel);
  };
  for (;;) {
    int count = NextRleByte();
    int value = NextRleByte();
    if (count < 0 || value < 0) return nullptr;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put((i & 1) ? value & 0x0F : value >> 4);
    } else if (value == 0) {
      return out;
    } else if (value == 1) {
      endOfBitmap_ = true;
      return out;
    } else if (value == 2) {
      continue;  // a delta escape is skipped; its offsets read as the next pair
    } else {
      int packed = 0;
      for (int i = 0; i < value; ++i) {
        if (!(i & 1)) {
          packed = NextRleByte();
          if (packed < 0) return nullptr;
        }
        put((i & 1) ? packed & 0x0F : packed >> 4);
      }
      if (rleBytesRead_ & 1) NextRleByte();
    }
  }
}

// ---- content test ---------------------------------------------------------

bool IsBmpImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 54) return false;
  if (!(head[0] == 'B' && head[1] == 'M') && !(head[0] == 'M' && head[1] == 'B')) return false;
  BmpInfo header;
  if (!ReadBmpInfo(head + 14, &header)) return false;
  out->width = static_cast<int>(header.width);
  // Top-down files store their height negated.
  out->height = static_cast<int>(header.height < 0 ? -header.height : header.height);
  out->bitsPerPixel = header.bits;
  return true;
}
