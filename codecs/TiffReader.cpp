#include "codecs/TiffReader.h"

#include "codecs/ImageFormat.h"
#include "codecs/TiffClient.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>

namespace {

bool IsCcittCompression(int compression) {
  return compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTFAX3 ||
         compression == COMPRESSION_CCITTFAX4;
}

}  // namespace

TiffReader::~TiffReader() { CloseTiff(); }

void TiffReader::CloseTiff() {
  if (tiff_) TIFFClose(tiff_);
  tiff_ = nullptr;
}

CodecError TiffReader::ReadHeaderPart() {
  CloseTiff();
  tiff_ = OpenTiffOnSource(&Source());
  if (!tiff_) return ErrNotSupported;
  uint32_t imageWidth = 0;
  uint32_t imageLength = 0;
  uint16_t compression = 0;
  if (!TIFFGetField(tiff_, TIFFTAG_IMAGEWIDTH, &imageWidth) ||
      !TIFFGetField(tiff_, TIFFTAG_IMAGELENGTH, &imageLength) ||
      !TIFFGetField(tiff_, TIFFTAG_COMPRESSION, &compression))
    return ErrNotSupported;
  if (!SideFits(imageWidth) || !SideFits(imageLength)) return ErrNotSupported;
  width = static_cast<int>(imageWidth);
  height = static_cast<int>(imageLength);
  compression_ = compression;
  if (CodecError error = ReadLayout()) return error;

  uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetField(tiff_, TIFFTAG_ORIENTATION, &orientation);
  topDown_ = orientation != ORIENTATION_BOTRIGHT && orientation != ORIENTATION_BOTLEFT;

  isGrey = 0;
  MakePalette();
  format = FormatTif;
  bitsPerPixel = layout_.bits;
  nativeDepth = layout_.bits == 1 ? 1 : layout_.bits > 8 ? 24 : 8;
  deliveredWidth = width;
  return CodecOk;
}

CodecError TiffReader::ReadLayout() {
  layout_ = TiffPixelLayout();
  samplesPerPixel_ = 1;
  uint16_t value = 0;
  // Fax images are bilevel whatever the tags claim; white is zero unless
  // the file says otherwise.
  if (TIFFGetField(tiff_, TIFFTAG_PHOTOMETRIC, &value)) layout_.photometric = value;
  if (!IsCcittCompression(compression_)) {
    if (TIFFGetField(tiff_, TIFFTAG_BITSPERSAMPLE, &value)) layout_.bitsPerSample = value;
    if (TIFFGetField(tiff_, TIFFTAG_SAMPLESPERPIXEL, &value)) samplesPerPixel_ = value;
  } else if (layout_.photometric != kPhotometricBlackIsZero) {
    layout_.photometric = kPhotometricWhiteIsZero;
  }
  layout_.samplesPerPixel = samplesPerPixel_;
  // JPEG-compressed YCbCr is stored subsampled; libtiff's JPEG codec can
  // hand it over as full RGB scan lines instead, which is what is shown.
  if (compression_ == COMPRESSION_JPEG && layout_.photometric == PHOTOMETRIC_YCBCR &&
      TIFFSetField(tiff_, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB))
    layout_.photometric = kPhotometricRgb;
  // Sixteen-bit grey and colour keep the high byte of each sample; a
  // palette could not be indexed by it.
  if (layout_.bitsPerSample == 16 && layout_.photometric != PHOTOMETRIC_PALETTE &&
      (samplesPerPixel_ == 1 || samplesPerPixel_ == 3 || samplesPerPixel_ == 4)) {
    layout_.wideSamples = true;
    layout_.bitsPerSample = 8;
  }
  // Only unsigned integer samples are read: floats, signed or untyped
  // samples taken as such would show as noise.
  uint16_t sampleFormat = SAMPLEFORMAT_UINT;
  if (TIFFGetField(tiff_, TIFFTAG_SAMPLEFORMAT, &sampleFormat) && sampleFormat != SAMPLEFORMAT_UINT)
    return ErrNotSupported;
  // Both counts come from the file: multiply wide, so no product overflows.
  const int64_t bits = int64_t{layout_.bitsPerSample} * samplesPerPixel_;
  layout_.bits = bits > 32 ? 0 : static_cast<int>(bits);
  switch (layout_.bits) {
    case 1:
    case 4:
    case 8:
    case 24:
    case 32:
      break;
    default:
      return ErrNotSupported;
  }
  if (!IsConvertedLayout(layout_)) return ErrNotSupported;
  // Samples stored plane after plane would need every plane of a row; a
  // scan line of plane 0 alone would show as wrong colours.
  uint16_t planar = PLANARCONFIG_CONTIG;
  TIFFGetField(tiff_, TIFFTAG_PLANARCONFIG, &planar);
  if (planar != PLANARCONFIG_CONTIG && samplesPerPixel_ > 1) return ErrNotSupported;
  // The row buffer holds 4 samples a pixel; a scan line must fit in it.
  const tmsize_t scanline = TIFFScanlineSize(tiff_);
  scanlineBytes_ = static_cast<size_t>(scanline);
  if (scanline <= 0 || scanline > static_cast<tmsize_t>(width) * RowBytesPerPixel())
    return ErrNotSupported;
  return TIFFIsTiled(tiff_) ? ReadTileLayout() : CodecOk;
}

// Tiles are read a band of tile rows at a time; both buffers are sized
// here, once, from checked values, and reserved by StartDecode.
CodecError TiffReader::ReadTileLayout() {
  uint32_t tileWidth = 0;
  uint32_t tileLength = 0;
  if (!TIFFGetField(tiff_, TIFFTAG_TILEWIDTH, &tileWidth) ||
      !TIFFGetField(tiff_, TIFFTAG_TILELENGTH, &tileLength) || tileWidth == 0 || tileLength == 0)
    return ErrNotSupported;
  const tmsize_t tileBytes = TIFFTileSize(tiff_);
  const tmsize_t tileRowBytes = TIFFTileRowSize(tiff_);
  if (tileBytes <= 0 || tileRowBytes <= 0) return ErrNotSupported;
  const uint32_t bandRows = std::min<uint32_t>(tileLength, static_cast<uint32_t>(height));
  if (static_cast<uint64_t>(tileRowBytes) * bandRows > static_cast<uint64_t>(tileBytes))
    return ErrNotSupported;
  tileWidth_ =
      static_cast<int>(std::min<uint32_t>(tileWidth, static_cast<uint32_t>(kLargestSide) + 1));
  tileLength_ = static_cast<int>(bandRows);
  tileBytes_ = static_cast<size_t>(tileBytes);
  tileRowBytes_ = static_cast<size_t>(tileRowBytes);
  return CodecOk;
}

void TiffReader::MakePalette() {
  paletteCount = 0;
  if (layout_.bits > 8) return;
  uint16_t* red = nullptr;
  uint16_t* green = nullptr;
  uint16_t* blue = nullptr;
  if (TIFFGetField(tiff_, TIFFTAG_COLORMAP, &red, &green, &blue) && red && green && blue) {
    // libtiff's map has 2^(its bits per sample) entries, which may be fewer
    // than the pixels can index when the tags were overridden above.
    uint16_t storedBits = 1;
    TIFFGetField(tiff_, TIFFTAG_BITSPERSAMPLE, &storedBits);
    const int entries = 1 << std::min<int>(layout_.bits, std::min<int>(storedBits, 8));
    paletteCount = entries;
    for (int i = 0; i < entries; ++i) {
      palette[i][0] = static_cast<uint8_t>(red[i] >> 8);
      palette[i][1] = static_cast<uint8_t>(green[i] >> 8);
      palette[i][2] = static_cast<uint8_t>(blue[i] >> 8);
    }
    return;
  }
  if (layout_.bits == 1) {
    const uint8_t first = layout_.photometric == kPhotometricBlackIsZero ? 0 : 255;
    paletteCount = 2;
    palette[0][0] = palette[0][1] = palette[0][2] = first;
    palette[1][0] = palette[1][1] = palette[1][2] = static_cast<uint8_t>(255 - first);
    return;
  }
  isGrey = 1;
}

CodecError TiffReader::StartDecode() {
  row_.assign(static_cast<size_t>(width) * RowBytesPerPixel(), 0);
  // A hostile tile size must not make a load allocate without bound.
  if (tileLength_ > 0) {
    const uint64_t buffers = uint64_t{tileBytes_} + uint64_t{1} * tileLength_ * scanlineBytes_;
    if (CodecError error = ReserveLoadBytes(buffers)) return error;
    tile_.assign(tileBytes_, 0);
    band_.assign(static_cast<size_t>(tileLength_) * scanlineBytes_, 0);
  }
  bandTop_ = -1;
  nextLine_ = 0;
  StartStoredLines(height, topDown_);
  return CodecOk;
}

bool TiffReader::ReadBand(int top) {
  const int rows = std::min(tileLength_, height - top);
  for (int x = 0, column = 0; x < width; x += tileWidth_, ++column) {
    if (TIFFReadTile(tiff_, tile_.data(), static_cast<uint32_t>(x), static_cast<uint32_t>(top), 0,
                     0) < 0)
      return false;
    // Tile widths are multiples of 16, so tiles start on whole bytes.
    const size_t offset = static_cast<size_t>(column) * tileRowBytes_;
    if (offset >= scanlineBytes_) break;
    const size_t bytes = std::min(tileRowBytes_, scanlineBytes_ - offset);
    for (int r = 0; r < rows; ++r)
      std::memcpy(band_.data() + static_cast<size_t>(r) * scanlineBytes_ + offset,
                  tile_.data() + static_cast<size_t>(r) * tileRowBytes_, bytes);
  }
  bandTop_ = top;
  return true;
}

const uint8_t* TiffReader::ReadScanline() {
  if (!tiff_ || nextLine_ >= height) return nullptr;
  if (tileLength_ > 0) {
    const int top = nextLine_ / tileLength_ * tileLength_;
    if (top != bandTop_ && !ReadBand(top)) return nullptr;
    std::memcpy(row_.data(), band_.data() + static_cast<size_t>(nextLine_ - top) * scanlineBytes_,
                scanlineBytes_);
  } else if (TIFFReadScanline(tiff_, row_.data(), static_cast<uint32_t>(nextLine_), 0) < 0) {
    return nullptr;
  }
  ++nextLine_;
  ConvertTiffScanline(row_.data(), width, layout_);
  return row_.data();
}

CodecError TiffReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  return DecodeStoredLines(count, changed, rect);
}

CodecError TiffReader::ReadStoredLine(const uint8_t** line) {
  const uint8_t* row = ReadScanline();
  if (line) *line = row;
  return row ? CodecOk : Source().FailureOr(ErrBadData);
}

CodecError TiffReader::EndDecodePart() {
  CloseTiff();
  std::vector<uint8_t>().swap(row_);
  std::vector<uint8_t>().swap(tile_);
  std::vector<uint8_t>().swap(band_);
  return CodecOk;
}
