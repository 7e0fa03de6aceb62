#include "codecs/ImageOutput.h"

#include "codecs/ColorCubeQuantizer.h"
#include "codecs/GreyPalette.h"
#include "codecs/PaletteOptimizer.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

ImageOutput::ImageOutput() = default;

ImageOutput::~ImageOutput() {
  EndLines();
  DeleteBitmaps();
}

// ---- set-up ---------------------------------------------------------------

CodecError ImageOutput::Create(const HeaderFacts& header) {
  header_ = header;
  rowsMapped_ = 0;
  chosenColours_ = -1;
  chosenInPlace_ = false;
  if (CodecError error = SettleDepths()) return error;
  SetUpReduction();
  if (CodecError error = MakePaletteAndBitmaps()) {
    // A set-up that failed half-way leaves nothing behind.
    Discard();
    return error;
  }
  return CodecOk;
}

void ImageOutput::Discard() {
  EndLines();
  DeleteBitmaps();
}

CodecError ImageOutput::SettleDepths() {
  const int nativeDepth = header_.nativeDepth;
  if (nativeDepth == 1) {
    settings_.nativeCopyDepth = 1;
    settings_.displayDepth = 1;  // a monochrome image stays 1-bit
  } else if (nativeDepth >= 2 && nativeDepth <= 8) {
    // Palette pixels are shown through their palette, whatever was asked.
    settings_.nativeCopyDepth = 8;
    settings_.displayDepth = 8;
  } else if (nativeDepth == 15) {
    settings_.nativeCopyDepth = 16;
  } else if (nativeDepth >= 16) {
    settings_.nativeCopyDepth = 24;
  } else {
    return ErrNotSupported;
  }
  return CodecOk;
}

void ImageOutput::SetUpReduction() {
  const int lineLength = LineLength();
  const int nativeCopyDepth = settings_.nativeCopyDepth;
  const int displayDepth = settings_.displayDepth;
  const int reductionMode = settings_.reductionMode;
  if (nativeCopyDepth == 24 && displayDepth == 16 && reductionMode != 0) {
    quantizer_.reset(new ColorCubeQuantizer(0, ColorCubeQuantizer::Ordered555, lineLength));
    reducedLine_.assign(2 * static_cast<size_t>(lineLength), 0);
  } else if (nativeCopyDepth >= 16 && displayDepth == 8) {
    static const int kMethodOfMode[5] = {0, 1, 2, 1, 1};
    quantizer_.reset(new ColorCubeQuantizer(ColorCubeQuantizer::kCubeColors,
                                            kMethodOfMode[reductionMode], lineLength));
    reducedLine_.assign(static_cast<size_t>(lineLength), 0);
    if (reductionMode >= 3) {
      // The second pass maps rows of the native bitmap, whatever the first
      // pass was given.
      optimizer_.reset(new PaletteOptimizer(kGreyLevels, reductionMode == 4, settings_.width));
      settings_.keepNative = true;
    }
  } else if (!header_.isGrey && nativeCopyDepth == 8 && reductionMode != 0) {
    // Grey images keep their ramp; other palette images go into the cube.
    quantizer_.reset(new ColorCubeQuantizer(ColorCubeQuantizer::kCubeColors,
                                            ColorCubeQuantizer::Ordered, lineLength,
                                            header_.palette, header_.paletteCount));
    reducedLine_.assign(static_cast<size_t>(lineLength), 0);
  }
}

CodecError ImageOutput::MakePaletteAndBitmaps() {
  const bool needsPalette =
      settings_.displayDepth <= 8 || (settings_.keepNative && settings_.nativeCopyDepth <= 8);
  outputPaletteCount_ = 0;
  colorIndexCount_ = 0;
  if (needsPalette) {
    if (quantizer_ && quantizer_->Method() != ColorCubeQuantizer::Ordered555) {
      outputPaletteCount_ = quantizer_->GetColorMap(outputPalette_);
    } else if (header_.isGrey && header_.greyBits == 8 && settings_.nativeCopyDepth == 8) {
      outputPaletteCount_ = MakeGreyLevels(outputPalette_);
      MakeGreyIndexTable(colorIndices_);
      colorIndexCount_ = 256;
    } else {
      if (header_.paletteCount <= 0) return ErrNoPalette;
      outputPaletteCount_ = std::min(header_.paletteCount, 256);
      std::memcpy(outputPalette_, header_.palette, sizeof(uint8_t[3]) * outputPaletteCount_);
    }
    if (colorIndexCount_ == 0) {
      colorIndexCount_ = outputPaletteCount_;
      for (int i = 0; i < colorIndexCount_; ++i) colorIndices_[i] = static_cast<uint16_t>(i);
    }
    bitmaps_.palette.Reset(
        codec_platform::CreateLogicalPalette(outputPalette_, outputPaletteCount_));
    if (!bitmaps_.palette) return ErrLogicalPalette;
  }

  if (settings_.makeDisplay) {
    if (CodecError error = MakeBitmap(settings_.displayDepth, &bitmaps_.display, &displayBits_,
                                      &displayStride_, ErrDisplayBitmap))
      return error;
  }
  if (settings_.keepNative) {
    if (CodecError error = MakeBitmap(settings_.nativeCopyDepth, &bitmaps_.native, &nativeBits_,
                                      &nativeStride_, ErrNativeBitmap))
      return error;
  }
  return CodecOk;
}

CodecError ImageOutput::MakeBitmap(int depth, OwnedDib* bitmap, uint8_t** bits, int* stride,
                                   CodecError failure) {
  DibRequest request;
  request.width = settings_.width;
  request.height = settings_.height;
  request.bottomUp = settings_.bottomUp;
  request.depth = depth;
  if (depth <= 8) {
    request.paletteIndices = colorIndices_;
    request.colorCount = std::min(colorIndexCount_, 1 << depth);
  }
  DibHandle made = nullptr;
  DibResult result = codec_platform::CreateDib(request, bitmaps_.palette.Get(), &made, bits);
  bitmap->Reset(made);
  if (result == DibResult::NoScreen) return ErrNoScreen;
  if (result != DibResult::Ok) return failure;
  *stride = Stride(settings_.width, depth);
  return CodecOk;
}

void ImageOutput::PrepareLines(int deliveredLength) {
  const int lineLength = LineLength();
  deliveredLength_ = deliveredLength;
  if (deliveredLength > lineLength) shrinkLine_.assign(3 * static_cast<size_t>(lineLength), 0);
  if (header_.nativeDepth == 15) expandedLine_.assign(3 * static_cast<size_t>(lineLength), 0);
}

void ImageOutput::EndLines() {
  quantizer_.reset();
  optimizer_.reset();
  std::vector<uint8_t>().swap(reducedLine_);
  std::vector<uint8_t>().swap(shrinkLine_);
  std::vector<uint8_t>().swap(expandedLine_);
  displayBits_ = nativeBits_ = nullptr;
}

// ---- handles --------------------------------------------------------------

void ImageOutput::DeleteBitmaps() {
  bitmaps_.Reset();
  displayBits_ = nativeBits_ = nullptr;
}

OwnedBitmaps ImageOutput::TakeBitmaps() {
  displayBits_ = nativeBits_ = nullptr;
  return std::move(bitmaps_);
}

// ---- second pass ----------------------------------------------------------

CodecError ImageOutput::MapNativeRows(int count) {
  if (count <= 0) return CodecOk;  // nothing asked: the palette stays as shown
  // Choosing empties the optimiser's histogram, so the palette is chosen
  // once; a call that could not put it in place leaves that to the next.
  if (chosenColours_ < 0) chosenColours_ = optimizer_->ComputePalette(outputPalette_);
  if (!chosenInPlace_ && chosenColours_ > 0) {
    PaletteHandle chosen = codec_platform::CreateLogicalPalette(outputPalette_, chosenColours_);
    if (!chosen) return ErrLogicalPalette;
    outputPaletteCount_ = chosenColours_;
    if (bitmaps_.display)
      codec_platform::SetDibColors(bitmaps_.display.Get(), outputPalette_, chosenColours_);
    bitmaps_.palette.Reset(chosen);
  }
  chosenInPlace_ = true;
  const int width = settings_.width;
  int rows = std::min(count, settings_.height - rowsMapped_);
  std::vector<uint8_t>& wide = expandedLine_;
  if (settings_.nativeCopyDepth == 16 && wide.size() < 3 * static_cast<size_t>(width))
    wide.assign(3 * static_cast<size_t>(width), 0);
  for (int i = 0; i < rows; ++i, ++rowsMapped_) {
    const uint8_t* native = nativeBits_ + static_cast<size_t>(rowsMapped_) * nativeStride_;
    if (settings_.nativeCopyDepth == 16) {
      Expand555(native, width, wide.data());
      native = wide.data();
    }
    if (displayBits_)
      optimizer_->MapRow(native, displayBits_ + static_cast<size_t>(rowsMapped_) * displayStride_);
  }
  return CodecOk;
}

// ---- lines ----------------------------------------------------------------

void ImageOutput::FillWithBlack(int nativeBlack) {
  auto fill = [this](uint8_t* bits, int stride, int depth, int value) {
    if (!bits) return;
    const int byte = depth == 1 ? ((value & 1) ? 0xFF : 0x00) : depth == 8 ? value : 0;
    std::memset(bits, byte, static_cast<size_t>(stride) * settings_.height);
  };
  fill(nativeBits_, nativeStride_, settings_.nativeCopyDepth, nativeBlack);
  // Reduced pixels index the colour cube, whose entry 0 is black.
  fill(displayBits_, displayStride_, settings_.displayDepth, quantizer_ ? 0 : nativeBlack);
}

const uint8_t* ImageOutput::ShrinkLine(const uint8_t* line) {
  const int k = LineLength();
  const int n = deliveredLength_;
  uint8_t* out = shrinkLine_.data();
  const int nativeDepth = header_.nativeDepth;
  const int depth = nativeDepth == 1 ? 1 : nativeDepth == 15 ? 16 : settings_.nativeCopyDepth;
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
        if (header_.isGrey) {
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

void ImageOutput::CopyNative(const uint8_t* line, int memoryRow, int column) {
  const int width = settings_.width;
  const int height = settings_.height;
  const int depth = settings_.nativeCopyDepth;
  if (column < 0) {
    uint8_t* target = nativeBits_ + static_cast<size_t>(memoryRow) * nativeStride_;
    if (target != line) std::memcpy(target, line, BytesPerLine(width, depth));
    return;
  }
  const int bytes = depth / 8;
  for (int i = 0; i < height; ++i) {
    int m = settings_.bottomUp ? height - 1 - i : i;
    std::memcpy(nativeBits_ + static_cast<size_t>(m) * nativeStride_ + column * bytes,
                line + i * bytes, bytes);
  }
}

void ImageOutput::StoreLine(const uint8_t* line, int memoryRow, int column, bool complete) {
  const int width = settings_.width;
  const int height = settings_.height;
  const int displayDepth = settings_.displayDepth;
  const int lineLength = column < 0 ? width : height;
  if (settings_.keepNative && nativeBits_) CopyNative(line, memoryRow, column);

  // Colour work happens on blue, green, red triplets.
  const uint8_t* colour = line;
  if (header_.nativeDepth == 15 && (quantizer_ || displayDepth == 24)) {
    Expand555(line, lineLength, expandedLine_.data());
    colour = expandedLine_.data();
  }
  if (optimizer_ && complete) optimizer_->CountPixels(colour, lineLength);

  const uint8_t* shown = line;
  int shownDepth = settings_.nativeCopyDepth;
  if (quantizer_) {
    quantizer_->QuantizeRow(colour, reducedLine_.data());
    shown = reducedLine_.data();
    shownDepth = quantizer_->Method() == ColorCubeQuantizer::Ordered555 ? 16 : 8;
  } else if (settings_.nativeCopyDepth == 16 && displayDepth == 24) {
    shown = colour;
    shownDepth = 24;
  }
  if (!settings_.makeDisplay || !displayBits_) return;

  if (column < 0) {
    uint8_t* target = displayBits_ + static_cast<size_t>(memoryRow) * displayStride_;
    if (shownDepth == displayDepth) {
      if (target != shown) std::memcpy(target, shown, BytesPerLine(width, displayDepth));
    } else if (shownDepth == 24 && displayDepth == 16) {
      Pack555(shown, width, target);
    }
    return;
  }
  const int bytes = displayDepth / 8;
  for (int i = 0; i < height; ++i) {
    int m = settings_.bottomUp ? height - 1 - i : i;
    uint8_t* target = displayBits_ + static_cast<size_t>(m) * displayStride_ + column * bytes;
    if (shownDepth == displayDepth)
      std::memcpy(target, shown + i * bytes, bytes);
    else if (shownDepth == 24 && displayDepth == 16)
      Pack555(shown + 3 * i, 1, target);
  }
}

void ImageOutput::StoreRow(const uint8_t* row, int index, bool complete) {
  const uint8_t* line = shrinkLine_.empty() ? row : ShrinkLine(row);
  const int memoryRow = settings_.bottomUp ? settings_.height - 1 - index : index;
  StoreLine(line, memoryRow, -1, complete);
}

void ImageOutput::StoreColumn(const uint8_t* column, int x) {
  const uint8_t* line = shrinkLine_.empty() ? column : ShrinkLine(column);
  StoreLine(line, 0, x, true);
}

uint8_t* ImageOutput::DirectRowTarget(int index) {
  if (header_.columnMode || !shrinkLine_.empty() || index < 0 || index >= settings_.height)
    return nullptr;
  const int nativeDepth = header_.nativeDepth;
  if (nativeDepth != 8 && nativeDepth != 24) return nullptr;
  const size_t memoryRow =
      static_cast<size_t>(settings_.bottomUp ? settings_.height - 1 - index : index);
  if (settings_.keepNative && nativeBits_ && settings_.nativeCopyDepth == nativeDepth)
    return nativeBits_ + memoryRow * nativeStride_;
  if (!settings_.keepNative && settings_.makeDisplay && displayBits_ && !quantizer_ &&
      settings_.displayDepth == nativeDepth)
    return displayBits_ + memoryRow * displayStride_;
  return nullptr;
}
