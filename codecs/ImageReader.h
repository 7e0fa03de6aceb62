// Base of every format reader. A reader is built on an ImageSource, reads
// its header, is told the output it must produce (size, depth, reduction,
// which bitmaps), and then decodes in batches of rows that it hands to the
// row sink (PutRow / PutColumn). The base keeps progress and hands the rows
// to its ImageOutput, which owns the bitmaps and the palette, colour
// reduction and horizontal shrinking.
//
// A reader implements four parts:
//   ReadHeaderPart  - read and check the header; set format, width, height,
//                     bitsPerPixel, isGrey, palette/paletteCount,
//                     nativeDepth and deliveredWidth (and columnMode /
//                     deliveredHeight when it delivers columns).
//   StartDecode     - allocate its buffers (once per load) and position the
//                     source at the pixel data.
//   DecodeRowsPart  - produce up to `count` more output rows through
//                     PutRow/PutColumn, update progress and decodedRect, call
//                     FinishPass after the last row; with non-null out
//                     pointers set *changed = 1 and *rect to the rows made.
//                     Readers whose lines come in storage order leave all of
//                     this to DecodeStoredLines and supply ReadStoredLine.
//   EndDecodePart   - free its buffers; also called when StartDecode never
//                     ran or failed.
// Each returns CodecOk or the CodecError the public call gives.
#pragma once

#include "codecs/ByteSource.h"
#include "codecs/CodecError.h"
#include "codecs/ImageOutput.h"
#include "codecs/ImageRect.h"
#include "codecs/LoadLimits.h"
#include "codecs/StoredLineRun.h"
#include "platform/codec/CodecPlatform.h"

#include <cstdint>

class ImageReader {
 public:
  explicit ImageReader(const ImageSource& source);
  virtual ~ImageReader();
  ImageReader(const ImageReader&) = delete;
  ImageReader& operator=(const ImageReader&) = delete;

  // The public operations return a CodecError (CodecOk on success), also
  // kept in ErrorCode().

  // Opens the source and reads the header.
  CodecError ReadHeader();

  // Output set-up, in this order, after ReadHeader. While a decode runs
  // (from BeginDecode to EndDecode) the bitmaps and line buffers are sized
  // for it: the settings are refused with ErrOutOfOrder, the row order kept.
  void SetBottomUp(bool bottomUp) {
    if (!decoding_) output_.Settings().bottomUp = bottomUp;
  }
  CodecError SetTargets(bool keepNative, bool makeDisplay);
  CodecError SetOutputSize(int outputWidth, int outputHeight);  // 0 = source size
  CodecError SetOutputFormat(int displayDepth, int reductionMode, bool fixedPalette);
  CodecError BeginDecode();

  // Produces up to `count` more output rows; in the second pass of a
  // two-pass reduction maps rows of the native bitmap instead. `changed`
  // and `rect` may be null.
  CodecError DecodeRows(int count, bool* changed, ImageRect* rect);

  // Frees the decode state and closes the source.
  CodecError EndDecode();

  // Header results.
  int Format() const { return format; }
  int Width() const { return width; }
  int Height() const { return height; }
  int BitsPerPixel() const { return bitsPerPixel; }
  int IsGrey() const { return isGrey; }
  int PaletteCount() const { return paletteCount; }
  const uint8_t* PaletteEntry(int index) const { return palette[index]; }
  CodecError ErrorCode() const { return errorCode_; }

  // Output state.
  int OutputWidth() const { return output_.Settings().width; }
  int OutputHeight() const { return output_.Settings().height; }
  int DisplayDepth() const { return output_.Settings().displayDepth; }
  int NativeCopyDepth() const { return output_.Settings().nativeCopyDepth; }
  int ReductionMode() const { return output_.Settings().reductionMode; }
  int GetProgress() const;
  ImageRect GetDecodedRect() const { return decodedRect; }
  bool IsComplete() const { return progress >= 10000; }

  // The handles are the reader's until TakeBitmaps moves them out.
  DibHandle DisplayBitmap() const { return output_.DisplayBitmap(); }
  DibHandle NativeBitmap() const { return output_.NativeBitmap(); }
  PaletteHandle Palette() const { return output_.Palette(); }
  OwnedBitmaps TakeBitmaps() { return output_.TakeBitmaps(); }

 protected:
  virtual CodecError ReadHeaderPart() = 0;
  virtual CodecError StartDecode() = 0;
  virtual CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) = 0;
  virtual CodecError EndDecodePart() = 0;

  // Source access, with the source's codes.
  CodecError OpenSource();
  void CloseSource();
  // Short reads fail with ErrDataEnded but still report the bytes read.
  CodecError ReadBytes(void* buffer, uint32_t count, uint32_t* got = nullptr);
  CodecError SeekTo(long offset, int origin, long* newPosition = nullptr);
  ByteSource& Source() { return source_; }
  const ByteSource& Source() const { return source_; }

  // Row sink. `row` holds deliveredWidth pixels of nativeDepth (8-bit
  // pixels one byte each, 24-bit as blue, green, red; 1-bit packed most
  // significant bit first; 15-bit as little-endian 5-5-5 words). `index`
  // is the image row, 0 at the top.
  // `complete` is false for a row that a later pass will still fill in:
  // it is shown, but a two-pass reduction does not count it. A missing row or
  // one outside the output is ErrBadData.
  CodecError PutRow(const uint8_t* row, int index, bool complete = true);
  // Where the bitmap keeps image row `index` when PutRow would store the
  // delivered row there unchanged (row mode, no shrinking, native depth 8 or
  // 24 kept as it is): a reader may decode straight into it and pass the
  // same pointer to PutRow, which then has nothing to copy for that bitmap.
  // Null when PutRow needs the row from the reader's own buffer.
  uint8_t* DirectRowTarget(int index);
  // Column mode: `column` holds deliveredHeight pixels for image column x.
  CodecError PutColumn(const uint8_t* column, int x);
  // Fills both bitmaps with black straight away, not through the row sink,
  // so that no colour reduction counts it: for StartDecode of pictures
  // whose rows arrive out of order. `nativeBlack` is the native pixel
  // value that shows black (the palette entry nearest to it).
  void FillWithBlack(int nativeBlack);
  // The entry of the image palette nearest to black.
  int NearestBlackEntry() const;
  // After the last row of a pass: complete, or on to the second pass.
  void FinishPass();
  // Progress of a pass `done` lines of `total` in: below 10000 however the
  // scaling rounds, so that only FinishPass completes it.
  void SetLineProgress(int done, int total);

  // Readers whose lines arrive in storage order (top to bottom, from the
  // bottom row up, or as columns from the left) hand them over one at a
  // time through ReadStoredLine. The base picks the stored lines that fall
  // on output lines, delivers them, and keeps the rectangles, progress and
  // the end of the pass. StartStoredLines belongs in StartDecode, and is
  // called again for each further run through the lines.
  void StartStoredLines(int storedLines, bool topDown, int progressFrom = 0,
                        int progressTo = 10000);
  // A DecodeRowsPart for such readers.
  CodecError DecodeStoredLines(int count, int* changed, ImageRect* rect);
  // The next stored line in *line; with `line` null the line is not shown
  // and need only be passed over. A line that cannot be had is ErrBadData,
  // unless the source itself failed.
  virtual CodecError ReadStoredLine(const uint8_t** line);
  // True once every line still to come is known to be blank, so that the
  // lines not shown need not be passed over one by one.
  virtual bool RestIsBlank() const { return false; }
  // After the last line of a run: the end of the pass, unless the reader
  // starts another run.
  virtual CodecError StoredLinesEnded();
  // Whether line `line` of `storedLines`, in any order, is the one shown
  // for an output line, and which (rows, or columns in column mode).
  bool OutputLineOf(int64_t line, int storedLines, int* outputLine) const;

  // Every large buffer of a load is reserved here before it is allocated:
  // past kMaxLoadBytes for the load the reservation fails with ErrNoPalette,
  // the code of a set-up whose buffers cannot be had.
  CodecError ReserveLoadBytes(uint64_t bytes);
  // What the libraries may still use.
  uint64_t LoadBytesLeft() const { return kMaxLoadBytes - loadBytes_; }

  // Set by ReadHeaderPart.
  int format = -1;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int isGrey = 0;
  int paletteCount = 0;
  uint8_t palette[256][3] = {};  // red, green, blue
  int nativeDepth = 0;
  // Grey readers that widen their samples before delivering them: the bits
  // of each delivered sample, which choose the grey palette. 0: bitsPerPixel.
  int greySampleBits = 0;
  int deliveredWidth = 0;
  bool columnMode = false;
  int deliveredHeight = 0;  // column mode: pixels per delivered column

  // Kept by DecodeRowsPart.
  int progress = 0;  // 0 .. 10000
  ImageRect decodedRect;

 private:
  // Keeps a failure for ErrorCode().
  CodecError Kept(CodecError result) {
    if (result != CodecOk) errorCode_ = result;
    return result;
  }
  CodecError ReadHeaderSteps();
  CodecError BeginDecodeSteps();
  // A set-up that failed after the output was made: nothing is left
  // decoding, and no bitmap is left behind.
  CodecError AbandonDecode(CodecError error);
  CodecError DecodeRowsSteps(int count, int* changed, ImageRect* rect);
  int GreyBits() const { return greySampleBits ? greySampleBits : bitsPerPixel; }
  HeaderFacts Facts() const;
  CodecError MapNativeRows(int count, int* changed, ImageRect* rect);

  ByteSource source_;
  ImageOutput output_;
  bool outputSized_ = false;
  bool decoding_ = false;
  int passCounter_ = 1;
  uint64_t loadBytes_ = 0;          // reserved by this load
  CodecError errorCode_ = CodecOk;  // the last failure

  StoredLineRun run_;
  int OutputLines() const { return columnMode ? OutputWidth() : OutputHeight(); }
  // `storedLines` shown as the output's lines (rows, or columns in column mode).
  LineSelection SelectionFor(int storedLines) const;
  // The rectangle of `count` output rows from the n-th stored one.
  ImageRect StoredRowsRect(int n, int count, bool topDown) const;
  ImageRect RunRect(int first, int count) const;
};
