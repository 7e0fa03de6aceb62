#include "codecs/ImageReader.h"

#include "codecs/ColorCubeQuantizer.h"
#include "codecs/GreyPalette.h"
#include "codecs/PaletteOptimizer.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>
#include <cstring>

namespace {

int BytesPerLine(int pixels, int depth) { return (pixels * depth + 7) / 8; }

int Stride(int pixels, int depth) { return (BytesPerLine(pixels, depth) + 3) & ~3; }

// 5-5-5 word (little-endian) to blue, green, red; the low bits stay clear.
void Expand555(const uint8_t* words, int count, uint8_t* bgr) {
  for (int x = 0; x < count; ++x) {
    int v = words[2 * x] | words[2 * x + 1] << 8;
    bgr[3 * x] = static_cast<uint8_t>((v & 0x1F) << 3);
    bgr[3 * x + 1] = static_cast<uint8_t>(((v >> 5) & 0x1F) << 3);
    bgr[3 * x + 2] = static_cast<uint8_t>(((v >> 10) & 0x1F) << 3);
  }
}

// 24-bit blue, green, red to 5-5-5 words.
void Pack555(const uint8_t* bgr, int count, uint8_t* words) {
  for (int x = 0; x < count; ++x) {
    int v = (bgr[3 * x + 2] >> 3) << 10 | (bgr[3 * x + 1] >> 3) << 5 | bgr[3 * x] >> 3;
    words[2 * x] = static_cast<uint8_t>(v & 0xFF);
    words[2 * x + 1] = static_cast<uint8_t>(v >> 8);
  }
}

}  // namespace

ImageReader::ImageReader(const ImageSource& source) : source_(source) {}

ImageReader::~ImageReader() {
  FreeDecodeState();
  DeleteOwnedHandles();
}

// ---- source access -------------------------------------------------------

int ImageReader::OpenSource() {
  int code = source_.Open();
  return code ? Fail(code) : 1;
}

void ImageReader::CloseSource() { source_.Close(); }

int ImageReader::ReadBytes(void* buffer, uint32_t count, uint32_t* got) {
  uint32_t read = 0;
  int code = source_.Read(buffer, count, &read);
  if (got) *got = read;
  return code ? Fail(code) : 1;
}

int ImageReader::SeekTo(long offset, int origin, long* newPosition) {
  int code = source_.Seek(offset, origin, newPosition);
  return code ? Fail(code) : 1;
}

// ---- header and output settings -----------------------------------------

CodecError ImageReader::ReadHeader() { return Result(ReadHeaderSteps()); }

int ImageReader::ReadHeaderSteps() {
  errorCode = 0;
  if (!OpenSource()) return 0;
  if (ReadHeaderPart()) return 1;
  format = -1;
  if (errorCode == 0) errorCode = ErrNotSupported;
  return 0;
}

CodecError ImageReader::SetTargets(bool keepNative, bool makeDisplay) {
  if (!keepNative && !makeDisplay) return Result(Fail(ErrInvalidArgument));
  keepNative_ = keepNative;
  makeDisplay_ = makeDisplay;
  return CodecOk;
}

CodecError ImageReader::SetOutputSize(int outputWidth, int outputHeight) {
  if (format == -1) return Result(Fail(ErrOutOfOrder));
  if (outputWidth == 0) outputWidth = width;
  if (outputHeight == 0) outputHeight = height;
  if (outputWidth < 0 || outputHeight < 0 || outputWidth > width || outputHeight > height)
    return Result(Fail(ErrInvalidArgument));
  outputWidth_ = outputWidth;
  outputHeight_ = outputHeight;
  outputSized_ = true;
  return CodecOk;
}

CodecError ImageReader::SetOutputFormat(int displayDepth, int reductionMode, bool fixedPalette) {
  const bool depthAllowed = displayDepth == 8 || displayDepth == 16 || displayDepth == 24;
  const bool modeAllowed =
      reductionMode >= 0 && reductionMode <= 4 && (reductionMode < 2 || displayDepth == 8);
  if (!depthAllowed || !modeAllowed || (fixedPalette && displayDepth != 8))
    return Result(Fail(ErrInvalidArgument));
  if (bitsPerPixel <= 8) reductionMode = fixedPalette ? 1 : 0;
  displayDepth_ = displayDepth;
  reductionMode_ = reductionMode;
  fixedPalette_ = fixedPalette;
  return CodecOk;
}

// ---- decode set-up --------------------------------------------------------

CodecError ImageReader::BeginDecode() { return Result(BeginDecodeSteps()); }

int ImageReader::BeginDecodeSteps() {
  if (format == -1 || decoding_) return Fail(ErrOutOfOrder);
  if (width >= kMaxImageWidth + 1) return Fail(ErrTooWide);
  if (width <= 0 || height <= 0) return Fail(ErrNotSupported);
  if (!outputSized_) {
    outputWidth_ = width;
    outputHeight_ = height;
  }
  if (displayDepth_ == 0) displayDepth_ = bitsPerPixel <= 8 ? 8 : 24;
  if (static_cast<int64_t>(outputWidth_) * outputHeight_ > kMaxOutputPixels)
    return Fail(ErrNotSupported);

  if (nativeDepth == 1) {
    nativeCopyDepth_ = 1;
    displayDepth_ = 1;  // a monochrome image stays 1-bit
  } else if (nativeDepth >= 2 && nativeDepth <= 8) {
    // Palette pixels are shown through their palette, whatever was asked.
    nativeCopyDepth_ = 8;
    displayDepth_ = 8;
  } else if (nativeDepth == 15) {
    nativeCopyDepth_ = 16;
  } else if (nativeDepth >= 16) {
    nativeCopyDepth_ = 24;
  } else {
    return Fail(ErrNotSupported);
  }

  if (!SetUpReduction() || !MakePaletteAndBitmaps()) {
    // A set-up that failed half-way leaves nothing behind.
    FreeDecodeState();
    DeleteOwnedHandles();
    return 0;
  }

  progress = 0;
  passCounter_ = 1;
  rowsMapped_ = 0;
  decodedRect = ImageRect();
  decoding_ = true;
  if (!StartDecode()) {
    if (errorCode == 0) errorCode = ErrNoPalette;
    return 0;
  }

  // The reader may only now know how wide its rows are (scaled decoding).
  const int lineLength = columnMode ? outputHeight_ : outputWidth_;
  const int delivered = columnMode ? deliveredHeight : deliveredWidth;
  if (delivered < lineLength || delivered > 4 * kMaxImageWidth) return Fail(ErrNotSupported);
  if (delivered > lineLength) shrinkLine_.assign(3 * static_cast<size_t>(lineLength), 0);
  if (nativeDepth == 15) expandedLine_.assign(3 * static_cast<size_t>(lineLength), 0);
  if (columnMode) columnLine_.assign(3 * static_cast<size_t>(lineLength), 0);
  return 1;
}

int ImageReader::SetUpReduction() {
  const int lineLength = columnMode ? outputHeight_ : outputWidth_;
  const bool nativeIsColour = nativeCopyDepth_ >= 16;
  if (nativeCopyDepth_ == 24 && displayDepth_ == 16 && reductionMode_ != 0) {
    quantizer_.reset(new ColorCubeQuantizer(0, ColorCubeQuantizer::Ordered555, lineLength));
    reducedLine_.assign(2 * static_cast<size_t>(lineLength), 0);
  } else if (nativeIsColour && displayDepth_ == 8) {
    static const int kMethodOfMode[5] = {0, 1, 2, 1, 1};
    quantizer_.reset(new ColorCubeQuantizer(ColorCubeQuantizer::kCubeColors,
                                            kMethodOfMode[reductionMode_], lineLength));
    reducedLine_.assign(static_cast<size_t>(lineLength), 0);
    if (reductionMode_ >= 3) {
      // The second pass maps rows of the native bitmap, whatever the first
      // pass was given.
      optimizer_.reset(new PaletteOptimizer(kGreyLevels, reductionMode_ == 4, outputWidth_));
      keepNative_ = true;
    }
  } else if (isGrey && nativeCopyDepth_ <= 8) {
    paletteCount = MakeGreyRamp(std::min(std::max(GreyBits(), 1), 8), palette);
  } else if (nativeCopyDepth_ == 8 && reductionMode_ != 0) {
    quantizer_.reset(new ColorCubeQuantizer(ColorCubeQuantizer::kCubeColors,
                                            ColorCubeQuantizer::Ordered, lineLength, palette,
                                            paletteCount));
    reducedLine_.assign(static_cast<size_t>(lineLength), 0);
  }
  return 1;
}

int ImageReader::MakePaletteAndBitmaps() {
  const bool needsPalette = displayDepth_ <= 8 || (keepNative_ && nativeCopyDepth_ <= 8);
  outputPaletteCount_ = 0;
  colorIndexCount_ = 0;
  if (needsPalette) {
    if (quantizer_ && quantizer_->Method() != ColorCubeQuantizer::Ordered555) {
      outputPaletteCount_ = quantizer_->GetColorMap(outputPalette_);
    } else if (isGrey && GreyBits() == 8 && nativeCopyDepth_ == 8) {
      outputPaletteCount_ = MakeGreyLevels(outputPalette_);
      MakeGreyIndexTable(colorIndices_);
      colorIndexCount_ = 256;
    } else {
      if (paletteCount <= 0) return Fail(ErrNoPalette);
      outputPaletteCount_ = std::min(paletteCount, 256);
      std::memcpy(outputPalette_, palette, sizeof(uint8_t[3]) * outputPaletteCount_);
    }
    if (colorIndexCount_ == 0) {
      colorIndexCount_ = outputPaletteCount_;
      for (int i = 0; i < colorIndexCount_; ++i) colorIndices_[i] = static_cast<uint16_t>(i);
    }
    logicalPalette_ = codec_platform::CreateLogicalPalette(outputPalette_, outputPaletteCount_);
    if (!logicalPalette_) return Fail(ErrLogicalPalette);
    ownsPalette_ = true;
  }

  auto make = [&](int depth, DibHandle* bitmap, uint8_t** bits, int* stride, int failure) -> int {
    DibRequest request;
    request.width = outputWidth_;
    request.height = outputHeight_;
    request.bottomUp = bottomUp_;
    request.depth = depth;
    if (depth <= 8) {
      request.paletteIndices = colorIndices_;
      request.colorCount = std::min(colorIndexCount_, 1 << depth);
    }
    DibResult result = codec_platform::CreateDib(request, logicalPalette_, bitmap, bits);
    if (result == DibResult::NoScreen) return Fail(ErrNoScreen);
    if (result != DibResult::Ok) return Fail(failure);
    *stride = Stride(outputWidth_, depth);
    return 1;
  };
  if (makeDisplay_) {
    if (!make(displayDepth_, &displayBitmap_, &displayBits_, &displayStride_, ErrDisplayBitmap))
      return 0;
    ownsDisplay_ = true;
  }
  if (keepNative_) {
    if (!make(nativeCopyDepth_, &nativeBitmap_, &nativeBits_, &nativeStride_, ErrNativeBitmap))
      return 0;
    ownsNative_ = true;
  }
  return 1;
}

void ImageReader::FreeDecodeState() {
  quantizer_.reset();
  optimizer_.reset();
  std::vector<uint8_t>().swap(reducedLine_);
  std::vector<uint8_t>().swap(shrinkLine_);
  std::vector<uint8_t>().swap(expandedLine_);
  std::vector<uint8_t>().swap(columnLine_);
}

void ImageReader::DeleteOwnedHandles() {
  if (ownsDisplay_) codec_platform::DeleteBitmap(displayBitmap_);
  if (ownsNative_) codec_platform::DeleteBitmap(nativeBitmap_);
  if (ownsPalette_) codec_platform::DeletePalette(logicalPalette_);
  if (ownsDisplay_) displayBitmap_ = nullptr, displayBits_ = nullptr;
  if (ownsNative_) nativeBitmap_ = nullptr, nativeBits_ = nullptr;
  if (ownsPalette_) logicalPalette_ = nullptr;
  ownsDisplay_ = ownsNative_ = ownsPalette_ = false;
}

void ImageReader::ReleaseHandles() { ownsDisplay_ = ownsNative_ = ownsPalette_ = false; }

CodecError ImageReader::EndDecode() {
  FreeDecodeState();
  decoding_ = false;
  displayBits_ = nativeBits_ = nullptr;
  const int ended = EndDecodePart();
  CloseSource();
  return ended ? CodecOk : Result(0);
}

// ---- progress -------------------------------------------------------------

int ImageReader::GetProgress() const {
  if (optimizer_ && passCounter_ == 1) return progress / 2;
  return progress;
}

void ImageReader::FinishPass() {
  if (optimizer_ && passCounter_ == 1) {
    progress = 5000;
    passCounter_ = 2;
  } else {
    progress = 10000;
  }
}

int ImageReader::NearestBlackEntry() const {
  int black = 0;
  int best = 3 * 255 * 255 + 1;
  for (int i = 0; i < std::min(paletteCount, 256); ++i) {
    const int distance = palette[i][0] * palette[i][0] + palette[i][1] * palette[i][1] +
                         palette[i][2] * palette[i][2];
    if (distance < best) best = distance, black = i;
  }
  return black;
}

void ImageReader::FillWithBlack(int nativeBlack) {
  auto fill = [this](uint8_t* bits, int stride, int depth, int value) {
    if (!bits) return;
    const int byte = depth == 1 ? ((value & 1) ? 0xFF : 0x00) : depth == 8 ? value : 0;
    std::memset(bits, byte, static_cast<size_t>(stride) * outputHeight_);
  };
  fill(nativeBits_, nativeStride_, nativeCopyDepth_, nativeBlack);
  // Reduced pixels index the colour cube, whose entry 0 is black.
  fill(displayBits_, displayStride_, displayDepth_, quantizer_ ? 0 : nativeBlack);
}

void ImageReader::SetLineProgress(int done, int total) {
  progress = std::max(0, std::min(ScaleMulDiv(done, 10000, total), 9999));
}

// ---- rows -----------------------------------------------------------------

CodecError ImageReader::DecodeRows(int count, bool* changed, ImageRect* rect) {
  int rowsChanged = 0;
  ImageRect produced;
  const int decoded = DecodeRowsSteps(count, &rowsChanged, &produced);
  if (changed) *changed = decoded && rowsChanged != 0;
  if (rect) *rect = decoded && rowsChanged ? produced : ImageRect();
  return Result(decoded);
}

int ImageReader::DecodeRowsSteps(int count, int* changed, ImageRect* rect) {
  if (changed) *changed = 0;
  if (!decoding_ || progress > 9999) return Fail(ErrOutOfOrder);
  if (passCounter_ == 2) return MapNativeRows(count, changed, rect);
  return DecodeRowsPart(count, changed, rect);
}

int ImageReader::MapNativeRows(int count, int* changed, ImageRect* rect) {
  if (rowsMapped_ == 0 && progress == 5000) {
    int colours = optimizer_->ComputePalette(outputPalette_);
    if (colours > 0) {
      outputPaletteCount_ = colours;
      if (displayBitmap_) codec_platform::SetDibColors(displayBitmap_, outputPalette_, colours);
      PaletteHandle chosen = codec_platform::CreateLogicalPalette(outputPalette_, colours);
      if (!chosen) return Fail(ErrLogicalPalette);
      if (ownsPalette_) codec_platform::DeletePalette(logicalPalette_);
      logicalPalette_ = chosen;
      ownsPalette_ = true;
    }
  }
  int rows = std::min(std::max(count, 0), outputHeight_ - rowsMapped_);
  std::vector<uint8_t>& wide = expandedLine_;
  if (nativeCopyDepth_ == 16 && wide.size() < 3 * static_cast<size_t>(outputWidth_))
    wide.assign(3 * static_cast<size_t>(outputWidth_), 0);
  for (int i = 0; i < rows; ++i, ++rowsMapped_) {
    const uint8_t* native = nativeBits_ + static_cast<size_t>(rowsMapped_) * nativeStride_;
    if (nativeCopyDepth_ == 16) {
      Expand555(native, outputWidth_, wide.data());
      native = wide.data();
    }
    if (displayBits_)
      optimizer_->MapRow(native, displayBits_ + static_cast<size_t>(rowsMapped_) * displayStride_);
  }
  // The second half, complete only once the last row is mapped.
  progress = rowsMapped_ >= outputHeight_
                 ? 10000
                 : 5000 + std::min(ScaleMulDiv(rowsMapped_, 5000, outputHeight_), 4999);
  decodedRect = ImageRect{0, 0, outputWidth_, outputHeight_};
  if (progress >= 10000) {
    progress = 10000;
    if (changed) *changed = 1;
    if (rect) *rect = decodedRect;
  }
  return 1;
}

const uint8_t* ImageReader::ShrinkLine(const uint8_t* line, int length) {
  const int k = columnMode ? outputHeight_ : outputWidth_;
  const int n = length;
  uint8_t* out = shrinkLine_.data();
  const int depth = nativeDepth == 1 ? 1 : nativeDepth == 15 ? 16 : nativeCopyDepth_;
  if (depth == 1) std::memset(out, 0, (k + 7) / 8);
  int accumulator = 0;
  int emitted = 0;
  int runStart = 0;
  for (int i = 0; i < n && emitted < k; ++i) {
    accumulator += k;
    if (accumulator < n) continue;
    accumulator -= n;
    switch (depth) {
      case 1:
        if (line[i >> 3] & (0x80 >> (i & 7))) out[emitted >> 3] |= 0x80 >> (emitted & 7);
        break;
      case 8:
        if (isGrey) {
          int sum = 0;
          for (int j = runStart; j <= i; ++j) sum += line[j];
          out[emitted] = static_cast<uint8_t>(sum / (i - runStart + 1));
        } else {
          out[emitted] = line[i];
        }
        break;
      case 16:
        out[2 * emitted] = line[2 * i];
        out[2 * emitted + 1] = line[2 * i + 1];
        break;
      default:
        for (int c = 0; c < 3; ++c) {
          int sum = 0;
          for (int j = runStart; j <= i; ++j) sum += line[3 * j + c];
          out[3 * emitted + c] = static_cast<uint8_t>(sum / (i - runStart + 1));
        }
        break;
    }
    ++emitted;
    runStart = i + 1;
  }
  return out;
}

void ImageReader::CopyNative(const uint8_t* line, int memoryRow, int column) {
  if (column < 0) {
    uint8_t* target = nativeBits_ + static_cast<size_t>(memoryRow) * nativeStride_;
    if (target != line) std::memcpy(target, line, BytesPerLine(outputWidth_, nativeCopyDepth_));
    return;
  }
  const int bytes = nativeCopyDepth_ / 8;
  for (int i = 0; i < outputHeight_; ++i) {
    int m = bottomUp_ ? outputHeight_ - 1 - i : i;
    std::memcpy(nativeBits_ + static_cast<size_t>(m) * nativeStride_ + column * bytes,
                line + i * bytes, bytes);
  }
}

void ImageReader::StoreLine(const uint8_t* line, int memoryRow, int column, bool complete) {
  const int lineLength = column < 0 ? outputWidth_ : outputHeight_;
  if (keepNative_ && nativeBits_) CopyNative(line, memoryRow, column);

  // Colour work happens on blue, green, red triplets.
  const uint8_t* colour = line;
  if (nativeDepth == 15 && (quantizer_ || displayDepth_ == 24)) {
    Expand555(line, lineLength, expandedLine_.data());
    colour = expandedLine_.data();
  }
  if (optimizer_ && complete) optimizer_->CountPixels(colour, lineLength);

  const uint8_t* shown = line;
  int shownDepth = nativeCopyDepth_;
  if (quantizer_) {
    quantizer_->QuantizeRow(colour, reducedLine_.data());
    shown = reducedLine_.data();
    shownDepth = quantizer_->Method() == ColorCubeQuantizer::Ordered555 ? 16 : 8;
  } else if (nativeCopyDepth_ == 16 && displayDepth_ == 24) {
    shown = colour;
    shownDepth = 24;
  }
  if (!makeDisplay_ || !displayBits_) return;

  if (column < 0) {
    uint8_t* target = displayBits_ + static_cast<size_t>(memoryRow) * displayStride_;
    if (shownDepth == displayDepth_) {
      if (target != shown) std::memcpy(target, shown, BytesPerLine(outputWidth_, displayDepth_));
    } else if (shownDepth == 24 && displayDepth_ == 16) {
      Pack555(shown, outputWidth_, target);
    }
    return;
  }
  const int bytes = displayDepth_ / 8;
  for (int i = 0; i < outputHeight_; ++i) {
    int m = bottomUp_ ? outputHeight_ - 1 - i : i;
    uint8_t* target = displayBits_ + static_cast<size_t>(m) * displayStride_ + column * bytes;
    if (shownDepth == displayDepth_)
      std::memcpy(target, shown + i * bytes, bytes);
    else if (shownDepth == 24 && displayDepth_ == 16)
      Pack555(shown + 3 * i, 1, target);
  }
}

int ImageReader::PutRow(const uint8_t* row, int index, bool complete) {
  if (columnMode) return Fail(ErrOutOfOrder);
  if (!row || index < 0 || index >= outputHeight_) return 0;
  if (!decoding_) return Fail(ErrOutOfOrder);
  const uint8_t* line = shrinkLine_.empty() ? row : ShrinkLine(row, deliveredWidth);
  int memoryRow = bottomUp_ ? outputHeight_ - 1 - index : index;
  StoreLine(line, memoryRow, -1, complete);
  return 1;
}

uint8_t* ImageReader::DirectRowTarget(int index) {
  if (!decoding_ || columnMode || !shrinkLine_.empty() || index < 0 || index >= outputHeight_)
    return nullptr;
  if (nativeDepth != 8 && nativeDepth != 24) return nullptr;
  const size_t memoryRow = static_cast<size_t>(bottomUp_ ? outputHeight_ - 1 - index : index);
  if (keepNative_ && nativeBits_ && nativeCopyDepth_ == nativeDepth)
    return nativeBits_ + memoryRow * nativeStride_;
  if (!keepNative_ && makeDisplay_ && displayBits_ && !quantizer_ && displayDepth_ == nativeDepth)
    return displayBits_ + memoryRow * displayStride_;
  return nullptr;
}

int ImageReader::PutColumn(const uint8_t* column, int x) {
  if (!columnMode || nativeCopyDepth_ < 8) return Fail(ErrOutOfOrder);
  if (!column || x < 0 || x >= outputWidth_) return 0;
  if (!decoding_) return Fail(ErrOutOfOrder);
  const uint8_t* line = shrinkLine_.empty() ? column : ShrinkLine(column, deliveredHeight);
  StoreLine(line, 0, x, true);
  return 1;
}
