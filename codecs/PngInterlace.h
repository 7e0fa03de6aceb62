// The seven Adam7 passes of an interlaced PNG and where their pixels land.
// libpng hands us each pass row as it is stored (only the pixels of that
// pass, side by side); we spread them into a full-size image row ourselves
// so that every pass can be shown at once on top of the earlier ones.
#pragma once

#include <cstddef>
#include <cstdint>

struct Adam7Pass {
  int rowStart;
  int columnStart;
  int rowStep;
  int columnStep;
};

constexpr int kAdam7PassCount = 7;
extern const Adam7Pass kAdam7Passes[kAdam7PassCount];

// The next row to arrive: its pass (kAdam7PassCount once every pass is
// done) and its image row.
struct InterlacePosition {
  int pass = 0;
  int row = 0;
};

// True when the pass carries any pixels of an image this size.
bool PassHasPixels(int pass, int width, int height);

// True when no pass after `pass` carries pixels of image row `row`: the
// row is then complete.
bool RowCompleteAfterPass(int pass, int row, int width, int height);

// The first position of an image: row 0 of pass 0, which always has pixels.
InterlacePosition FirstInterlacePosition();

// Steps past the row just read: down the pass, or to the top of the next
// pass that has pixels (libpng skips empty passes the same way).
void AdvanceInterlace(InterlacePosition* position, int width, int height);

// Copies the pixels of a row of `pass` (`channels` bytes each) into their
// columns of `imageRow`, leaving the other columns as they are.
void SpreadPassRow(const uint8_t* passRow, int pass, int width, int channels, uint8_t* imageRow);
