#include "codecs/JpegWriter.h"

#include "codecs/CodecError.h"

JpegWriter::JpegWriter(const char* outputPath, DibHandle bitmap)
    : ImageWriter(outputPath, bitmap), encoder_() {}

JpegWriter::~JpegWriter() { DestroyEncoder(); }

int JpegWriter::WriteToFile(void* writer, const void* bytes, size_t count) {
  return static_cast<JpegWriter*>(writer)->WriteBytes(bytes, count) == CodecOk;
}

CodecError JpegWriter::WriteHeader() {
  if (bitsPerPixel != 8 && bitsPerPixel != 24) return ErrNotSupported;
  if (bitsPerPixel == 8) {
    // Indices the table does not cover were filled black by the base.
    for (int i = 0; i < 256; ++i) {
      colors_[i][0] = dib.colorTable[i].blue;
      colors_[i][1] = dib.colorTable[i].green;
      colors_[i][2] = dib.colorTable[i].red;
    }
    expansion_.assign(3 * static_cast<size_t>(width), 0);
  }
  return StartLibraryCompress();
}

CodecError JpegWriter::StartLibraryCompress() {
  DestroyEncoder();
  encoder_.err = UseJpegErrorManager(&errors_);
  bool started = RunJpegGuarded(errors_, [this] {
    jpeg_create_compress(&encoder_);
    AttachJpegDestination(&encoder_, &destination_, WriteToFile, this);
    encoder_.image_width = static_cast<JDIMENSION>(width);
    encoder_.image_height = static_cast<JDIMENSION>(height);
    encoder_.input_components = 3;
    encoder_.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&encoder_);
    jpeg_set_quality(&encoder_, kQuality, TRUE);
    jpeg_start_compress(&encoder_, TRUE);
  });
  encoderBroken_ = !started;
  return started ? CodecOk : ErrReadWrite;
}

CodecError JpegWriter::WriteRowsPart(int count) {
  if (!encoder_.mem || encoderBroken_) return ErrReadWrite;
  for (; count > 0 && rowsWritten < height; --count) {
    JSAMPROW line = const_cast<JSAMPROW>(ImageRow(rowsWritten));
    if (bitsPerPixel == 8) {
      uint8_t* out = expansion_.data();
      for (int x = 0; x < width; ++x, out += 3) {
        const uint8_t* colour = colors_[line[x]];
        out[0] = colour[0];
        out[1] = colour[1];
        out[2] = colour[2];
      }
      line = expansion_.data();
    }
    if (!RunJpegGuarded(errors_, [&] { jpeg_write_scanlines(&encoder_, &line, 1); })) {
      encoderBroken_ = true;
      return ErrReadWrite;
    }
    ++rowsWritten;
  }
  return CodecOk;
}

CodecError JpegWriter::WriteTrailer() {
  if (!encoder_.mem || encoderBroken_) return ErrReadWrite;
  bool finished = RunJpegGuarded(errors_, [this] { jpeg_finish_compress(&encoder_); });
  if (!finished) encoderBroken_ = true;
  DestroyEncoder();
  return finished ? CodecOk : ErrReadWrite;
}

void JpegWriter::DestroyEncoder() {
  if (encoder_.mem) RunJpegGuarded(errors_, [this] { jpeg_destroy_compress(&encoder_); });
  encoder_.mem = nullptr;
  encoderBroken_ = false;
}
