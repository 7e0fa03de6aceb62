// A reader whose "file" is a picture held in memory by the test, in any
// native layout the pipeline accepts (1-bit packed, 8-bit, 5-5-5 words,
// 24-bit), row or column mode. It exercises the shared output machinery of
// ImageReader the way real readers do: header, start, rows, FinishPass.
#pragma once

#include "codecs/ImageFormat.h"
#include "codecs/ImageReader.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

struct SyntheticPicture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  int nativeDepth = 24;
  bool grey = false;
  bool columns = false;                         // lines are columns, each `height` pixels long
  bool rowsInColumnMode = false;                // a faulty reader: PutRow in column mode
  std::vector<std::array<uint8_t, 3>> palette;  // red, green, blue
  std::vector<std::vector<uint8_t>> lines;      // rows top to bottom, or columns left to right
};

class SyntheticReader : public ImageReader {
 public:
  explicit SyntheticReader(const SyntheticPicture& picture)
      : ImageReader(ImageSource::FromMemory(nullptr, 0)), picture_(picture) {}

  int startCalls = 0;
  int endCalls = 0;
  int decodeCalls = 0;
  int startFailures = 0;  // StartDecode fails this many times, as buffers not had

 protected:
  CodecError ReadHeaderPart() override {
    format = FormatBmp;
    width = picture_.width;
    height = picture_.height;
    bitsPerPixel = picture_.bitsPerPixel;
    isGrey = picture_.grey;
    nativeDepth = picture_.nativeDepth;
    columnMode = picture_.columns;
    deliveredWidth = width;
    deliveredHeight = height;
    paletteCount = static_cast<int>(picture_.palette.size());
    for (int i = 0; i < paletteCount; ++i)
      for (int c = 0; c < 3; ++c) palette[i][c] = picture_.palette[i][c];
    return CodecOk;
  }

  CodecError StartDecode() override {
    ++startCalls;
    done_ = 0;
    if (startFailures > 0) {
      --startFailures;
      return ErrNoPalette;
    }
    return CodecOk;
  }

  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override {
    ++decodeCalls;
    const int total = picture_.columns ? OutputWidth() : OutputHeight();
    const int sourceLines = picture_.columns ? width : height;
    if (done_ >= total) return ErrOutOfOrder;
    count = std::min(count, total - done_);
    if (changed) *changed = 1;
    if (rect) *rect = ImageRect{0, done_, OutputWidth(), done_ + count};
    for (int i = 0; i < count; ++i, ++done_) {
      const std::vector<uint8_t>& line = picture_.lines[done_ * sourceLines / total];
      const CodecError put = picture_.columns && !picture_.rowsInColumnMode
                                 ? PutColumn(line.data(), done_)
                                 : PutRow(line.data(), done_);
      if (put != CodecOk) return put;
    }
    progress = ScaleMulDiv(done_, 10000, total);
    decodedRect = ImageRect{0, 0, OutputWidth(), done_};
    if (done_ == total) FinishPass();
    return CodecOk;
  }

  CodecError EndDecodePart() override {
    ++endCalls;
    return CodecOk;
  }

 private:
  SyntheticPicture picture_;
  int done_ = 0;
};

// Drives a reader through the whole pipeline at the given output size.
inline int DecodeAll(ImageReader& reader, int keepNative, int makeDisplay, int outputWidth,
                     int outputHeight, int depth, int mode, int fixed, bool bottomUp = false) {
  reader.SetBottomUp(bottomUp);
  if ((reader.ReadHeader() != CodecOk) || (reader.SetTargets(keepNative, makeDisplay) != CodecOk) ||
      (reader.SetOutputSize(outputWidth, outputHeight) != CodecOk) ||
      (reader.SetOutputFormat(depth, mode, fixed) != CodecOk) || (reader.BeginDecode() != CodecOk))
    return 0;
  for (int guard = 0; guard < 4 && !reader.IsComplete(); ++guard)
    if (reader.DecodeRows(1 << 20, nullptr, nullptr) != CodecOk) return 0;
  return reader.IsComplete() ? 1 : 0;
}
