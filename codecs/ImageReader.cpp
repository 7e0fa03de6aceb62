#include "codecs/ImageReader.h"

#include "codecs/GreyPalette.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>

ImageReader::ImageReader(const ImageSource& source) : source_(source) {}

ImageReader::~ImageReader() = default;

// ---- source access -------------------------------------------------------

CodecError ImageReader::OpenSource() { return source_.Open(); }

void ImageReader::CloseSource() { source_.Close(); }

CodecError ImageReader::ReadBytes(void* buffer, uint32_t count, uint32_t* got) {
  uint32_t read = 0;
  const CodecError code = source_.Read(buffer, count, &read);
  if (got) *got = read;
  return code;
}

CodecError ImageReader::SeekTo(long offset, int origin, long* newPosition) {
  return source_.Seek(offset, origin, newPosition);
}

// ---- header and output settings -----------------------------------------

CodecError ImageReader::ReadHeader() {
  errorCode_ = CodecOk;
  return Kept(ReadHeaderSteps());
}

CodecError ImageReader::ReadHeaderSteps() {
  if (CodecError error = OpenSource()) return error;
  const CodecError error = ReadHeaderPart();
  if (error != CodecOk) format = -1;
  return error;
}

CodecError ImageReader::SetTargets(bool keepNative, bool makeDisplay) {
  if (decoding_) return Kept(ErrOutOfOrder);
  if (!keepNative && !makeDisplay) return Kept(ErrInvalidArgument);
  output_.Settings().keepNative = keepNative;
  output_.Settings().makeDisplay = makeDisplay;
  return CodecOk;
}

CodecError ImageReader::SetOutputSize(int outputWidth, int outputHeight) {
  if (format == -1 || decoding_) return Kept(ErrOutOfOrder);
  if (outputWidth == 0) outputWidth = width;
  if (outputHeight == 0) outputHeight = height;
  if (outputWidth < 0 || outputHeight < 0 || outputWidth > width || outputHeight > height)
    return Kept(ErrInvalidArgument);
  output_.Settings().width = outputWidth;
  output_.Settings().height = outputHeight;
  outputSized_ = true;
  return CodecOk;
}

CodecError ImageReader::SetOutputFormat(int displayDepth, int reductionMode, bool fixedPalette) {
  if (decoding_) return Kept(ErrOutOfOrder);
  const bool depthAllowed = displayDepth == 8 || displayDepth == 16 || displayDepth == 24;
  const bool modeAllowed =
      reductionMode >= 0 && reductionMode <= 4 && (reductionMode < 2 || displayDepth == 8);
  if (!depthAllowed || !modeAllowed || (fixedPalette && displayDepth != 8))
    return Kept(ErrInvalidArgument);
  if (bitsPerPixel <= 8) reductionMode = fixedPalette ? 1 : 0;
  OutputSettings& settings = output_.Settings();
  settings.displayDepth = displayDepth;
  settings.reductionMode = reductionMode;
  settings.fixedPalette = fixedPalette;
  return CodecOk;
}

// ---- decode set-up --------------------------------------------------------

CodecError ImageReader::BeginDecode() { return Kept(BeginDecodeSteps()); }

CodecError ImageReader::BeginDecodeSteps() {
  if (format == -1 || decoding_) return ErrOutOfOrder;
  if (width > kMaxImageWidth) return ErrTooWide;
  if (width <= 0 || height <= 0) return ErrNotSupported;
  OutputSettings& settings = output_.Settings();
  if (!outputSized_) {
    settings.width = width;
    settings.height = height;
  }
  if (settings.displayDepth == 0) settings.displayDepth = bitsPerPixel <= 8 ? 8 : 24;
  if (static_cast<int64_t>(settings.width) * settings.height > kMaxOutputPixels)
    return ErrNotSupported;

  // A grey image of palette depth is shown through an even ramp of its
  // sample bits, whatever palette its header gave.
  if (isGrey && nativeDepth >= 1 && nativeDepth <= 8)
    paletteCount = MakeGreyRamp(std::min(std::max(GreyBits(), 1), 8), palette);
  if (CodecError error = output_.Create(Facts())) return error;

  progress = 0;
  passCounter_ = 1;
  loadBytes_ = 0;
  decodedRect = ImageRect();
  decoding_ = true;
  if (CodecError error = StartDecode()) return AbandonDecode(error);

  // The reader may only now know how wide its rows are (scaled decoding).
  const int lineLength = columnMode ? settings.height : settings.width;
  const int delivered = columnMode ? deliveredHeight : deliveredWidth;
  if (delivered < lineLength || delivered > kMaxDeliveredLine)
    return AbandonDecode(ErrNotSupported);
  output_.PrepareLines(delivered);
  return CodecOk;
}

CodecError ImageReader::AbandonDecode(CodecError error) {
  decoding_ = false;
  output_.Discard();
  return error;
}

CodecError ImageReader::ReserveLoadBytes(uint64_t bytes) {
  if (bytes > LoadBytesLeft()) return ErrNoPalette;
  loadBytes_ += bytes;
  return CodecOk;
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
  const CodecError ended = EndDecodePart();
  CloseSource();
  return Kept(ended);
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
  const CodecError decoded = DecodeRowsSteps(count, &rowsChanged, &produced);
  const bool madeRows = decoded == CodecOk && rowsChanged != 0;
  if (changed) *changed = madeRows;
  if (rect) *rect = madeRows ? produced : ImageRect();
  return Kept(decoded);
}

CodecError ImageReader::DecodeRowsSteps(int count, int* changed, ImageRect* rect) {
  if (changed) *changed = 0;
  if (!decoding_ || progress > 9999) return ErrOutOfOrder;
  if (passCounter_ == 2) return MapNativeRows(count, changed, rect);
  return DecodeRowsPart(count, changed, rect);
}

CodecError ImageReader::MapNativeRows(int count, int* changed, ImageRect* rect) {
  if (CodecError error = output_.MapNativeRows(count)) return error;
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
  return CodecOk;
}

CodecError ImageReader::PutRow(const uint8_t* row, int index, bool complete) {
  if (columnMode) return ErrOutOfOrder;
  if (!row || index < 0 || index >= OutputHeight()) return ErrBadData;
  if (!decoding_) return ErrOutOfOrder;
  output_.StoreRow(row, index, complete);
  return CodecOk;
}

uint8_t* ImageReader::DirectRowTarget(int index) {
  return decoding_ ? output_.DirectRowTarget(index) : nullptr;
}

CodecError ImageReader::PutColumn(const uint8_t* column, int x) {
  if (!columnMode || NativeCopyDepth() < 8) return ErrOutOfOrder;
  if (!column || x < 0 || x >= OutputWidth()) return ErrBadData;
  if (!decoding_) return ErrOutOfOrder;
  output_.StoreColumn(column, x);
  return CodecOk;
}
