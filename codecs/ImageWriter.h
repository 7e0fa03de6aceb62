// Base of the format writers. A writer takes a device-independent bitmap
// (top-down as Load builds it, or bottom-up), creates the output file in Begin, writes rows in
// batches and closes the file in Finish. Destroying an unfinished writer closes the file.
//
// A writer implements WriteHeader, WriteRowsPart (count rows from
// rowsWritten on, counting them) and WriteTrailer, each returning a
// CodecError, takes pixels through ImageRow and writes through WriteBytes.
#pragma once

#include "codecs/CodecError.h"
#include "platform/codec/CodecPlatform.h"

#include <cstdint>
#include <cstdio>
#include <string>

class ImageWriter {
 public:
  ImageWriter(const char* outputPath, DibHandle bitmap);
  virtual ~ImageWriter();
  ImageWriter(const ImageWriter&) = delete;
  ImageWriter& operator=(const ImageWriter&) = delete;

  // Each returns a CodecError (CodecOk on success), also kept in ErrorCode().
  // Begin reads the bitmap's description and colour table, creates the
  // file and writes the header; it fails without creating a file when the
  // bitmap is not a device-independent bitmap.
  CodecError Begin();
  CodecError WriteRows(int count);
  // Writes the trailer and closes the file.
  CodecError Finish();

  CodecError ErrorCode() const { return error_; }
  int Progress() const { return progress; }
  int RowsWritten() const { return rowsWritten; }

 protected:
  virtual CodecError WriteHeader() = 0;
  virtual CodecError WriteRowsPart(int count) = 0;
  virtual CodecError WriteTrailer() = 0;

  // CodecOk when all bytes were written; else ErrReadWrite, told to the
  // user with the system's text (as is a colour table that cannot be read).
  CodecError WriteBytes(const void* buffer, size_t count);
  // Memory row m of the bitmap (stride bytes, padding included).
  const uint8_t* MemoryRow(int m) const { return dib.bits + static_cast<size_t>(m) * dib.stride; }
  // Image row r, 0 at the top, whatever the bitmap's row order.
  const uint8_t* ImageRow(int r) const { return MemoryRow(dib.bottomUp ? height - 1 - r : r); }

  std::string outputPath;
  DibHandle bitmap;
  DibDescription dib;  // the bitmap as described in Begin
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int colorsUsed = 0;  // header value, or 2^bits for 8 bits or fewer
  int rowsWritten = 0;
  int progress = 0;

 private:
  CodecError BeginFile();
  CodecError WriteSomeRows(int count);
  CodecError FinishFile();
  // Keeps a failure for ErrorCode().
  CodecError Kept(CodecError result) {
    if (result != CodecOk) error_ = result;
    return result;
  }
  CodecError WriteFailed();

  CodecError error_ = CodecOk;  // the last failure
  FILE* file_ = nullptr;
  bool writeFailed_ = false;  // the user has been told once
};
