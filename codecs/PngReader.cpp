#include "codecs/PngReader.h"

#include "codecs/ImageFormat.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kColourTypeGrey = 0;
constexpr int kColourTypeRgb = 2;
constexpr int kColourTypePalette = 3;
constexpr int kColourTypeGreyAlpha = 4;
constexpr int kColourTypeRgbAlpha = 6;

}  // namespace

PngReader::~PngReader() { PngCloseSession(&session_, false); }

CodecError PngReader::ReadHeaderPart() {
  PngCloseSession(&session_, false);
  header_ = PngHeader();
  imageStarted_ = false;
  if (!PngReadHeader(&session_, &Source(), &header_)) return ErrNotSupported;
  if (!SideFits(header_.width) || !SideFits(header_.height)) return ErrNotSupported;

  // The transformations are set now, not in StartDecode: they change a
  // palette, which the output takes before StartDecode runs. Their failure
  // is StartDecode's.
  imageStarted_ = PngStartImage(&session_, &header_, &libraryRowBytes_);

  format = FormatPng;
  width = static_cast<int>(header_.width);
  height = static_cast<int>(header_.height);
  paletteCount = header_.paletteCount;
  std::copy(&header_.palette[0][0], &header_.palette[0][0] + 3 * paletteCount, &palette[0][0]);
  // Grey with alpha is composited to plain grey, so it is shown as grey too.
  isGrey = header_.colorType == kColourTypeGrey || header_.colorType == kColourTypeGreyAlpha;
  const int depth = std::min(header_.bitDepth, 8);
  if (header_.colorType == kColourTypeRgb || header_.colorType == kColourTypeRgbAlpha) {
    channels_ = 3;
    bitsPerPixel = 3 * depth;
    paletteCount = 0;
  } else {
    channels_ = 1;
    bitsPerPixel = depth;
    // Grey samples are widened to 8 bits before gamma (see PngStartImage).
    if (header_.colorType == kColourTypeGrey) greySampleBits = 8;
  }
  nativeDepth = bitsPerPixel > 8 ? 24 : 8;
  deliveredWidth = width;
  return CodecOk;
}

CodecError PngReader::StartDecode() {
  rowsRead_ = 0;
  libraryFailed_ = false;
  position_ = FirstInterlacePosition();
  rowBytes_ = static_cast<size_t>(width) * channels_;
  // The transformations must give exactly one byte per channel.
  if (!imageStarted_ || libraryRowBytes_ != rowBytes_) return ErrNoPalette;
  if (header_.interlaced) {
    // Pixels no pass has reached yet show black.
    decodedRect = ImageRect{0, 0, OutputWidth(), OutputHeight()};
    if (CodecError error = ReserveLoadBytes(uint64_t{1} * height * rowBytes_)) return error;
    imageRows_.reset(static_cast<uint8_t*>(std::calloc(static_cast<size_t>(height), rowBytes_)));
    if (!imageRows_) return ErrNoPalette;
    const uint8_t black = BlackValue();
    if (black != 0) std::memset(imageRows_.get(), black, static_cast<size_t>(height) * rowBytes_);
  }
  rowBuffer_.assign(rowBytes_, 0);
  if (header_.interlaced) FillWithBlack(BlackValue());
  StartStoredLines(height, true);
  return CodecOk;
}

// Zero everywhere but in a palette, where the entry nearest to black
// stands in for it.
uint8_t PngReader::BlackValue() const {
  return header_.colorType == kColourTypePalette ? static_cast<uint8_t>(NearestBlackEntry()) : 0;
}

bool PngReader::AllRowsRead() const {
  return header_.interlaced ? position_.pass >= kAdam7PassCount : rowsRead_ >= height;
}

const uint8_t* PngReader::ReadImageRow(int* imageRow) {
  // After a library error libpng's state is undefined: no further reads.
  if (libraryFailed_ || AllRowsRead()) return nullptr;
  if (!PngReadRow(&session_, rowBuffer_.data())) {
    libraryFailed_ = true;
    return nullptr;
  }
  ++rowsRead_;
  if (!header_.interlaced) {
    *imageRow = rowsRead_ - 1;
    return rowBuffer_.data();
  }
  *imageRow = position_.row;
  rowComplete_ = RowCompleteAfterPass(position_.pass, position_.row, width, height);
  uint8_t* target = imageRows_.get() + static_cast<size_t>(position_.row) * rowBytes_;
  SpreadPassRow(rowBuffer_.data(), position_.pass, width, channels_, target);
  AdvanceInterlace(&position_, width, height);
  return target;
}

CodecError PngReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  return header_.interlaced ? DecodeInterlacedRows(count, changed, rect)
                            : DecodeStoredLines(count, changed, rect);
}

CodecError PngReader::ReadStoredLine(const uint8_t** line) {
  int imageRow = 0;
  const uint8_t* row = ReadImageRow(&imageRow);
  if (line) *line = row;
  return row ? CodecOk : Source().FailureOr(ErrBadData);
}

// One rectangle comes back however many rows a batch touched: the smallest
// one that holds them all. A request for the whole output height is one
// for the whole picture: the seven passes may carry more than twice as
// many rows as the image has (an image 1, 2, 3, 5 or 9 rows high), and a
// caller loading in one go asks only twice.
CodecError PngReader::DecodeInterlacedRows(int count, int* changed, ImageRect* rect) {
  if (AllRowsRead()) return ErrOutOfOrder;
  ImageRect touched;
  const int passRows = std::max(1, height * 15 / 8);
  const bool wholePicture = count >= OutputHeight();
  for (int i = 0; (i < count || wholePicture) && !AllRowsRead(); ++i) {
    const uint8_t* row = nullptr;
    int imageRow = 0;
    int outputRow = 0;
    bool mapped = false;
    while (!mapped && !AllRowsRead()) {
      row = ReadImageRow(&imageRow);
      if (!row) return Source().FailureOr(ErrBadData);
      mapped = OutputLineOf(imageRow, height, &outputRow);
    }
    SetLineProgress(rowsRead_, passRows);
    if (!mapped) break;
    if (CodecError error = PutRow(row, outputRow, rowComplete_)) return error;
    touched = Union(touched, ImageRect{0, outputRow, OutputWidth(), outputRow + 1});
    if (changed) *changed = 1;
    if (rect) *rect = touched;
  }
  if (AllRowsRead()) FinishPass();
  return CodecOk;
}

CodecError PngReader::EndDecodePart() {
  PngCloseSession(&session_, !libraryFailed_ && AllRowsRead());
  imageRows_.reset();
  std::vector<uint8_t>().swap(rowBuffer_);
  return CodecOk;
}
