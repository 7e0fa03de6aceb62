#include "codecs/ImageReader.h"

#include "codecs/GreyPalette.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>

ImageReader::ImageReader(const ImageSource& source) : source_(source) {}

ImageReader::~ImageReader() = default;

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
  if (decoding_) return Result(Fail(ErrOutOfOrder));
  if (!keepNative && !makeDisplay) return Result(Fail(ErrInvalidArgument));
  output_.Settings().keepNative = keepNative;
  output_.Settings().makeDisplay = makeDisplay;
  return CodecOk;
}

CodecError ImageReader::SetOutputSize(int outputWidth, int outputHeight) {
  if (format == -1 || decoding_) return Result(Fail(ErrOutOfOrder));
  if (outputWidth == 0) outputWidth = width;
  if (outputHeight == 0) outputHeight = height;
  if (outputWidth < 0 || outputHeight < 0 || outputWidth > width || outputHeight > height)
    return Result(Fail(ErrInvalidArgument));
  output_.Settings().width = outputWidth;
  output_.Settings().height = outputHeight;
  outputSized_ = true;
  return CodecOk;
}

CodecError ImageReader::SetOutputFormat(int displayDepth, int reductionMode, bool fixedPalette) {
  if (decoding_) return Result(Fail(ErrOutOfOrder));
  const bool depthAllowed = displayDepth == 8 || displayDepth == 16 || displayDepth == 24;
  const bool modeAllowed =
      reductionMode >= 0 && reductionMode <= 4 && (reductionMode < 2 || displayDepth == 8);
  if (!depthAllowed || !modeAllowed || (fixedPalette && displayDepth != 8))
    return Result(Fail(ErrInvalidArgument));
  if (bitsPerPixel <= 8) reductionMode = fixedPalette ? 1 : 0;
  OutputSettings& settings = output_.Settings();
  settings.displayDepth = displayDepth;
  settings.reductionMode = reductionMode;
  settings.fixedPalette = fixedPalette;
  return CodecOk;
}

// ---- decode set-up --------------------------------------------------------

CodecError ImageReader::BeginDecode() { return Result(BeginDecodeSteps()); }

int ImageReader::BeginDecodeSteps() {
  if (format == -1 || decoding_) return Fail(ErrOutOfOrder);
  if (width > kMaxImageWidth) return Fail(ErrTooWide);
  if (width <= 0 || height <= 0) return Fail(ErrNotSupported);
  OutputSettings& settings = output_.Settings();
  if (!outputSized_) {
    settings.width = width;
    settings.height = height;
  }
  if (settings.displayDepth == 0) settings.displayDepth = bitsPerPixel <= 8 ? 8 : 24;
  if (static_cast<int64_t>(settings.width) * settings.height > kMaxOutputPixels)
    return Fail(ErrNotSupported);

  // A grey image of palette depth is shown through an even ramp of its
  // sample bits, whatever palette its header gave.
  if (isGrey && nativeDepth >= 1 && nativeDepth <= 8)
    paletteCount = MakeGreyRamp(std::min(std::max(GreyBits(), 1), 8), palette);
  if (CodecError error = output_.Create(Facts())) return Fail(error);

  progress = 0;
  passCounter_ = 1;
  loadBytes_ = 0;
  decodedRect = ImageRect();
  decoding_ = true;
  if (!StartDecode()) {
    if (errorCode == 0) errorCode = ErrNoPalette;
    return AbandonDecode();
  }

  // The reader may only now know how wide its rows are (scaled decoding).
  const int lineLength = columnMode ? settings.height : settings.width;
  const int delivered = columnMode ? deliveredHeight : deliveredWidth;
  if (delivered < lineLength || delivered > kMaxDeliveredLine) {
    Fail(ErrNotSupported);
    return AbandonDecode();
  }
  output_.PrepareLines(delivered);
  return 1;
}

int ImageReader::AbandonDecode() {
  decoding_ = false;
  output_.Discard();
  return 0;
}

int ImageReader::ReserveLoadBytes(uint64_t bytes) {
  if (bytes > LoadBytesLeft()) return Fail(ErrNoPalette);
  loadBytes_ += bytes;
  return 1;
}

HeaderFacts ImageReader::Facts() const {
  HeaderFacts facts;
  facts.nativeDepth = nativeDepth;
  facts.isGrey = isGrey != 0;
  facts.greyBits = GreyBits();
  facts.palette = palette;
  facts.paletteCount = paletteCount;
  facts.columnMode = columnMode;
  return facts;
}

CodecError ImageReader::EndDecode() {
  output_.EndLines();
  decoding_ = false;
  const int ended = EndDecodePart();
  CloseSource();
  return ended ? CodecOk : Result(0);
}

// ---- progress -------------------------------------------------------------

int ImageReader::GetProgress() const {
  if (output_.HasSecondPass() && passCounter_ == 1) return progress / 2;
  return progress;
}

void ImageReader::FinishPass() {
  if (output_.HasSecondPass() && passCounter_ == 1) {
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

void ImageReader::FillWithBlack(int nativeBlack) { output_.FillWithBlack(nativeBlack); }

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
  if (CodecError error = output_.MapNativeRows(count)) return Fail(error);
  // The second half, complete only once the last row is mapped.
  const int rowsMapped = output_.RowsMapped();
  const int outputHeight = OutputHeight();
  progress = rowsMapped >= outputHeight
                 ? 10000
                 : 5000 + std::min(ScaleMulDiv(rowsMapped, 5000, outputHeight), 4999);
  decodedRect = ImageRect{0, 0, OutputWidth(), outputHeight};
  if (progress >= 10000) {
    progress = 10000;
    if (changed) *changed = 1;
    if (rect) *rect = decodedRect;
  }
  return 1;
}

int ImageReader::PutRow(const uint8_t* row, int index, bool complete) {
  if (columnMode) return Fail(ErrOutOfOrder);
  if (!row || index < 0 || index >= OutputHeight()) return 0;
  if (!decoding_) return Fail(ErrOutOfOrder);
  output_.StoreRow(row, index, complete);
  return 1;
}

uint8_t* ImageReader::DirectRowTarget(int index) {
  return decoding_ ? output_.DirectRowTarget(index) : nullptr;
}

int ImageReader::PutColumn(const uint8_t* column, int x) {
  if (!columnMode || NativeCopyDepth() < 8) return Fail(ErrOutOfOrder);
  if (!column || x < 0 || x >= OutputWidth()) return 0;
  if (!decoding_) return Fail(ErrOutOfOrder);
  output_.StoreColumn(column, x);
  return 1;
}
