#include "codecs/PcxWriter.h"

#include "codecs/ByteOrder.h"
#include "codecs/CodecError.h"
#include "codecs/PcxRunLength.h"

CodecError PcxWriter::WriteHeader() {
  if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24) return ErrNotSupported;
  if (width > 0xFFFF || height > 0xFFFF) return ErrInvalidArgument;
  dataBytes_ = bitsPerPixel / 8 * width;
  const int bytesPerLine = (dataBytes_ + 1) & ~1;
  padLine_ = (width & 1) && (bitsPerPixel & 8);

  uint8_t header[128] = {};
  header[0] = 10;
  header[1] = 5;
  header[2] = 1;
  header[3] = static_cast<uint8_t>(bitsPerPixel);
  WriteU16LE(header + 8, static_cast<uint32_t>(width - 1));
  WriteU16LE(header + 10, static_cast<uint32_t>(height - 1));
  WriteU16LE(header + 12, static_cast<uint32_t>(width));
  WriteU16LE(header + 14, static_cast<uint32_t>(height));
  header[64] = 1;
  header[65] = 1;
  WriteU16LE(header + 66, static_cast<uint32_t>(bytesPerLine));
  WriteU16LE(header + 68, 1);
  if (CodecError error = WriteBytes(header, sizeof header)) return error;

  encoded_.assign(6 * static_cast<size_t>(width) + 6, 0);
  if (bitsPerPixel == 16) line_.assign(static_cast<size_t>(dataBytes_), 0);
  return CodecOk;
}

CodecError PcxWriter::WriteRowsPart(int count) {
  for (; count > 0 && rowsWritten < height; --count) {
    const uint8_t* data = ImageRow(rowsWritten);
    if (bitsPerPixel == 16) {
      // A 16-bit file holds 5-6-5 words; the bitmap holds 5-5-5. Green moves
      // up one bit so that the file reads back as the same colours.
      for (int x = 0; x < width; ++x) {
        const unsigned v = ReadU16LE(data + 2 * x);
        WriteU16LE(line_.data() + 2 * x, (v & 0x7C00) << 1 | (v & 0x03E0) << 1 | (v & 0x1F));
      }
      data = line_.data();
    }
    size_t length = EncodePcxRunLength(data, dataBytes_, encoded_.data());
    if (padLine_) encoded_[length++] = 0;
    if (CodecError error = WriteBytes(encoded_.data(), length)) return error;
    ++rowsWritten;
  }
  return CodecOk;
}

CodecError PcxWriter::WriteTrailer() {
  uint8_t trailer[769] = {12};
  if (bitsPerPixel == 8) {
    for (int i = 0; i < colorsUsed && i < 256; ++i) {
      trailer[1 + 3 * i] = dib.colorTable[i].red;
      trailer[2 + 3 * i] = dib.colorTable[i].green;
      trailer[3 + 3 * i] = dib.colorTable[i].blue;
    }
  }
  return WriteBytes(trailer, sizeof trailer);
}
