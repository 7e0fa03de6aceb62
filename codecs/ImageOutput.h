// The output side of a load: the display and native bitmaps, the palette,
// colour reduction (one pass through the colour cube, or two passes through
// the palette optimiser), horizontal shrinking and the storing of delivered
// lines into the bitmaps. It knows the picture only through the few header
// facts below, and nothing of sources or formats.
//
// A load: set Settings(), Create, PrepareLines once the delivered line
// length is known, StoreRow/StoreColumn for every line, on a two-pass
// reduction MapNativeRows after the first pass, EndLines. The bitmaps and
// the palette stay owned (deleted with the output) until TakeBitmaps moves
// them out.
#pragma once

#include "codecs/CodecError.h"
#include "codecs/OwnedHandles.h"
#include "platform/codec/CodecPlatform.h"

#include <cstdint>
#include <memory>
#include <vector>

class ColorCubeQuantizer;
class PaletteOptimizer;

// What the output needs of the header.
struct HeaderFacts {
  int nativeDepth = 0;  // of delivered pixels: 1, 2..8 (palette), 15 (5-5-5) or 24
  bool isGrey = false;
  int greyBits = 0;                       // bits of each delivered grey sample
  const uint8_t (*palette)[3] = nullptr;  // red, green, blue; read by Create only
  int paletteCount = 0;
  bool columnMode = false;  // lines are image columns
};

// What the caller asked for; Create settles the depths and may turn
// keepNative on (a two-pass reduction maps the native bitmap).
struct OutputSettings {
  int width = 0;
  int height = 0;
  int displayDepth = 0;
  int nativeCopyDepth = 0;
  int reductionMode = 0;
  bool fixedPalette = false;
  bool bottomUp = false;
  bool keepNative = false;
  bool makeDisplay = true;
};

class ImageOutput {
 public:
  ImageOutput();
  ~ImageOutput();
  ImageOutput(const ImageOutput&) = delete;
  ImageOutput& operator=(const ImageOutput&) = delete;

  OutputSettings& Settings() { return settings_; }
  const OutputSettings& Settings() const { return settings_; }

  // Settles the depths, sets up the reduction and makes the palette and the
  // bitmaps. A failure after the depths are settled leaves nothing behind.
  CodecError Create(const HeaderFacts& header);
  // Line buffers for lines of `deliveredLength` pixels, at least as many as
  // the output line (a row, or a column in column mode) holds.
  void PrepareLines(int deliveredLength);
  // Frees the line buffers and the reduction; the bitmaps stay.
  void EndLines();
  // Frees all that Create made, the bitmaps and the palette it still owns
  // included.
  void Discard();

  // `index` is a valid image row, or image column in column mode.
  void StoreRow(const uint8_t* row, int index, bool complete);
  void StoreColumn(const uint8_t* column, int x);
  uint8_t* DirectRowTarget(int index);
  void FillWithBlack(int nativeBlack);

  // A two-pass reduction: after the first pass counted the colours, maps up
  // to `count` more rows of the native bitmap onto the chosen palette.
  bool HasSecondPass() const { return optimizer_ != nullptr; }
  CodecError MapNativeRows(int count);
  int RowsMapped() const { return rowsMapped_; }

  DibHandle DisplayBitmap() const { return bitmaps_.display.Get(); }
  DibHandle NativeBitmap() const { return bitmaps_.native.Get(); }
  PaletteHandle Palette() const { return bitmaps_.palette.Get(); }
  OwnedBitmaps TakeBitmaps();

 private:
  CodecError SettleDepths();
  void SetUpReduction();
  CodecError MakePaletteAndBitmaps();
  CodecError MakeBitmap(int depth, OwnedDib* bitmap, uint8_t** bits, int* stride,
                        CodecError failure);
  void DeleteBitmaps();
  int LineLength() const { return header_.columnMode ? settings_.height : settings_.width; }
  const uint8_t* ShrinkLine(const uint8_t* line);
  void StoreLine(const uint8_t* line, int memoryRow, int column, bool complete);
  void CopyNative(const uint8_t* line, int memoryRow, int column);

  HeaderFacts header_;
  OutputSettings settings_;
  int deliveredLength_ = 0;

  uint8_t outputPalette_[256][3] = {};
  int outputPaletteCount_ = 0;
  uint16_t colorIndices_[256] = {};
  int colorIndexCount_ = 0;

  OwnedBitmaps bitmaps_;
  uint8_t* displayBits_ = nullptr;
  uint8_t* nativeBits_ = nullptr;
  int displayStride_ = 0;
  int nativeStride_ = 0;

  std::unique_ptr<ColorCubeQuantizer> quantizer_;
  std::unique_ptr<PaletteOptimizer> optimizer_;
  std::vector<uint8_t> reducedLine_;   // quantizer output
  std::vector<uint8_t> shrinkLine_;    // horizontally shrunk line
  std::vector<uint8_t> expandedLine_;  // 5-5-5 words widened to 24 bits
  int rowsMapped_ = 0;
  int chosenColours_ = -1;  // the second pass's palette: -1 until chosen
  bool chosenInPlace_ = false;
};
