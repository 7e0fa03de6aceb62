#include "codecs/BmpWriter.h"

#include "codecs/ByteOrder.h"
#include "codecs/CodecError.h"
#include "codecs/ScaleMulDiv.h"

CodecError BmpWriter::WriteHeader() {
  const uint32_t tableBytes = bitsPerPixel <= 8 ? 4u * colorsUsed : 0u;
  const uint32_t dataOffset = 54 + tableBytes;
  uint8_t header[54] = {};
  header[0] = 'B';
  header[1] = 'M';
  WriteU32LE(header + 2, dataOffset + static_cast<uint32_t>(height) * dib.stride);
  WriteU32LE(header + 10, dataOffset);
  uint8_t* info = header + 14;
  WriteU32LE(info, 40);
  WriteU32LE(info + 4, static_cast<uint32_t>(width));
  WriteU32LE(info + 8, static_cast<uint32_t>(height));  // positive: bottom-up
  WriteU16LE(info + 12, 1);
  WriteU16LE(info + 14, static_cast<uint32_t>(bitsPerPixel));
  WriteU32LE(info + 16, 0);  // BI_RGB, also for bit-field sections
  WriteU32LE(info + 20, dib.imageSize);
  WriteU32LE(info + 32, dib.colorsUsedField);
  if (CodecError error = WriteBytes(header, sizeof header)) return error;
  if (tableBytes == 0) return CodecOk;
  uint8_t table[256 * 4];
  for (int i = 0; i < colorsUsed; ++i) {
    table[4 * i] = dib.colorTable[i].blue;
    table[4 * i + 1] = dib.colorTable[i].green;
    table[4 * i + 2] = dib.colorTable[i].red;
    table[4 * i + 3] = 0;
  }
  return WriteBytes(table, tableBytes);
}

CodecError BmpWriter::WriteRowsPart(int count) {
  for (; count > 0 && rowsWritten < height; --count) {
    // The file is bottom-up: its first row is the image's last.
    if (CodecError error =
            WriteBytes(ImageRow(height - 1 - rowsWritten), static_cast<size_t>(dib.stride)))
      return error;
    ++rowsWritten;
    progress = ScaleMulDiv(rowsWritten, 10000, height);
  }
  return CodecOk;
}
