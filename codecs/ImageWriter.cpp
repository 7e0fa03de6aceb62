#include "codecs/ImageWriter.h"

#include "codecs/CodecError.h"

ImageWriter::ImageWriter(const char* path, DibHandle source)
    : outputPath(path ? path : ""), bitmap(source) {}

ImageWriter::~ImageWriter() {
  if (file_) std::fclose(file_);
}

CodecError ImageWriter::Begin() { return Kept(BeginFile()); }
CodecError ImageWriter::WriteRows(int count) { return Kept(WriteSomeRows(count)); }
CodecError ImageWriter::Finish() { return Kept(FinishFile()); }

CodecError ImageWriter::BeginFile() {
  if (file_) return ErrOutOfOrder;
  if (!codec_platform::DescribeDib(bitmap, &dib)) {
    if (!dib.colorTableError) return ErrInvalidArgument;
    codec_platform::ReportSystemError("GetDIBColorTable", dib.colorTableError);
    return ErrReadWrite;
  }
  if (dib.width <= 0 || dib.height <= 0 || !dib.bits) return ErrInvalidArgument;
  width = dib.width;
  height = dib.height;
  bitsPerPixel = dib.bitsPerPixel;
  colorsUsed = static_cast<int>(dib.colorsUsedField);
  if (colorsUsed == 0 && bitsPerPixel <= 8) colorsUsed = 1 << bitsPerPixel;
  if (colorsUsed > 256) colorsUsed = 256;
  if (bitsPerPixel > 8) colorsUsed = 0;
  // Entries the bitmap does not have are written black.
  for (int i = dib.colorCount; i < colorsUsed; ++i) dib.colorTable[i] = RgbQuad{0, 0, 0, 0};
  rowsWritten = 0;
  progress = 0;
  if (outputPath.empty()) return ErrCannotOpen;
  file_ = std::fopen(outputPath.c_str(), "wb");
  if (!file_) return ErrCannotOpen;
  return WriteHeader();
}

CodecError ImageWriter::WriteSomeRows(int count) {
  if (!file_) return ErrOutOfOrder;
  return WriteRowsPart(count);
}

CodecError ImageWriter::FinishFile() {
  if (!file_) return ErrOutOfOrder;
  CodecError result = WriteTrailer();
  // Buffered bytes meet a full disk only now; some C libraries report it
  // from the flush alone, not from closing.
  if (result == CodecOk && (std::fflush(file_) != 0 || std::ferror(file_))) result = WriteFailed();
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed && result == CodecOk) result = WriteFailed();
  return result;
}

CodecError ImageWriter::WriteBytes(const void* buffer, size_t count) {
  if (!file_) return ErrOutOfOrder;
  if (count && std::fwrite(buffer, 1, count, file_) != count) return WriteFailed();
  return CodecOk;
}

CodecError ImageWriter::WriteFailed() {
  // The trailer and the close after a failed write fail too; one box says it.
  if (!writeFailed_) {
    codec_platform::ReportSystemError("_lwrite", codec_platform::LastSystemError());
    writeFailed_ = true;
  }
  return ErrReadWrite;
}
