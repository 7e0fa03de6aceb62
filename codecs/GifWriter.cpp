#include "codecs/GifWriter.h"

#include "codecs/ByteOrder.h"
#include "codecs/CodecError.h"

#include <algorithm>

CodecError GifWriter::WriteHeader() {
  if (bitsPerPixel != 8) return ErrNotSupported;
  if (width > 0xFFFF || height > 0xFFFF) return ErrInvalidArgument;
  const int colours = colorsUsed;
  tableBits_ = 1;
  while ((1 << tableBits_) < colours) ++tableBits_;
  const int codeSize = std::max(tableBits_, 2);

  uint8_t header[13] = {'G', 'I', 'F', '8', '7', 'a'};
  WriteU16LE(header + 6, static_cast<uint32_t>(width));
  WriteU16LE(header + 8, static_cast<uint32_t>(height));
  header[10] = static_cast<uint8_t>(0x80 | (tableBits_ - 1) << 4 | (tableBits_ - 1));
  if (CodecError error = WriteBytes(header, sizeof header)) return error;

  uint8_t table[256 * 3] = {};
  for (int i = 0; i < colours && i < 256; ++i) {
    table[3 * i] = dib.colorTable[i].red;
    table[3 * i + 1] = dib.colorTable[i].green;
    table[3 * i + 2] = dib.colorTable[i].blue;
  }
  if (CodecError error = WriteBytes(table, 3u << tableBits_)) return error;

  uint8_t descriptor[11] = {','};
  WriteU16LE(descriptor + 5, static_cast<uint32_t>(width));
  WriteU16LE(descriptor + 7, static_cast<uint32_t>(height));
  descriptor[10] = static_cast<uint8_t>(codeSize);
  if (CodecError error = WriteBytes(descriptor, sizeof descriptor)) return error;

  row_.assign(static_cast<size_t>(width), 0);
  encoder_.Start(codeSize + 1);
  return WriteEncoded();
}

CodecError GifWriter::WriteEncoded() {
  const std::vector<uint8_t>& encoded = encoder_.Output();
  if (!encoded.empty()) {
    if (CodecError error = WriteBytes(encoded.data(), encoded.size())) return error;
  }
  encoder_.ClearOutput();
  return CodecOk;
}

CodecError GifWriter::WriteRowsPart(int count) {
  // Pixels outside the colour table would be taken for control codes; they
  // are folded into the table.
  const uint8_t mask = static_cast<uint8_t>((1 << tableBits_) - 1);
  for (; count > 0 && rowsWritten < height; --count) {
    const uint8_t* pixels = ImageRow(rowsWritten);
    for (int x = 0; x < width; ++x) row_[x] = pixels[x] & mask;
    encoder_.Encode(row_.data(), width);
    ++rowsWritten;
    if (CodecError error = WriteEncoded()) return error;
  }
  return CodecOk;
}

CodecError GifWriter::WriteTrailer() {
  encoder_.Finish();
  if (CodecError error = WriteEncoded()) return error;
  const uint8_t trailer[2] = {0, ';'};
  return WriteBytes(trailer, sizeof trailer);
}
