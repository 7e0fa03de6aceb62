// The order in which an interlaced GIF stores its rows: every eighth row
// from 0, every eighth from 4, every fourth from 2, then every odd row.
#pragma once

// The stored row that follows `row` in an image `height` rows high, or
// `height` when `row` was the last one. Passes that have no rows in a short
// image are passed over.
inline int NextInterlacedRow(int row, int height) {
  static const int kStarts[4] = {0, 4, 2, 1};
  static const int kSteps[4] = {8, 8, 4, 2};
  int pass = (row % 8 == 0) ? 0 : (row % 8 == 4) ? 1 : (row % 2 == 0) ? 2 : 3;
  int next = row + kSteps[pass];
  while (next >= height) {
    if (++pass == 4) return height;
    next = kStarts[pass];
  }
  return next;
}
