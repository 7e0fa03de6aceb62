#include "codecs/PngInterlace.h"

#include <cstring>

const Adam7Pass kAdam7Passes[kAdam7PassCount] = {
    {0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
    {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1},
};

bool PassHasPixels(int pass, int width, int height) {
  if (pass < 0 || pass >= kAdam7PassCount) return false;
  return kAdam7Passes[pass].rowStart < height && kAdam7Passes[pass].columnStart < width;
}

InterlacePosition FirstInterlacePosition() { return InterlacePosition(); }

void AdvanceInterlace(InterlacePosition* position, int width, int height) {
  if (position->pass >= kAdam7PassCount) return;
  position->row += kAdam7Passes[position->pass].rowStep;
  if (position->row < height) return;
  do {
    ++position->pass;
  } while (position->pass < kAdam7PassCount && !PassHasPixels(position->pass, width, height));
  position->row = position->pass < kAdam7PassCount ? kAdam7Passes[position->pass].rowStart : 0;
}

bool RowCompleteAfterPass(int pass, int row, int width, int height) {
  for (int later = pass + 1; later < kAdam7PassCount; ++later) {
    const Adam7Pass& p = kAdam7Passes[later];
    if (PassHasPixels(later, width, height) && row >= p.rowStart &&
        (row - p.rowStart) % p.rowStep == 0)
      return false;
  }
  return true;
}

void SpreadPassRow(const uint8_t* passRow, int pass, int width, int channels, uint8_t* imageRow) {
  const Adam7Pass& p = kAdam7Passes[pass];
  const size_t size = static_cast<size_t>(channels);
  for (int column = p.columnStart; column < width; column += p.columnStep) {
    std::memcpy(imageRow + static_cast<size_t>(column) * size, passRow, size);
    passRow += size;
  }
}
