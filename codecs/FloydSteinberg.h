// Floyd-Steinberg error diffusion over rows of three-channel pixels, the one
// step both colour reducers use: the error of each pixel goes 7/16 to the
// next pixel, 3/16, 5/16 and 1/16 to the three below it; rows alternate
// direction, the first left to right. Errors are kept in sixteenths.
#pragma once

#include <algorithm>
#include <vector>

class FloydSteinberg {
 public:
  explicit FloydSteinberg(int rowLength)
      : rowLength_(std::max(rowLength, 0)),
        // Slot x + 1 belongs to pixel x, so both neighbours of every pixel exist.
        errors_(static_cast<size_t>(rowLength_ + 2) * 3 * 2, 0) {}

  // Walks one row. For each pixel x, `choose(x, error, residual)` gets the
  // error diffused onto it per channel (in channel units, rounded), writes
  // its output and returns in `residual` what the chosen colour missed by.
  template <typename Choose>
  void DiffuseRow(Choose&& choose) {
    const size_t half = static_cast<size_t>(rowLength_ + 2) * 3;
    int* current = errors_.data();
    int* next = current + half;
    std::fill(next, next + half, 0);
    const int step = leftToRight_ ? 1 : -1;
    int x = leftToRight_ ? 0 : rowLength_ - 1;
    int carry[3] = {0, 0, 0};
    for (int n = 0; n < rowLength_; ++n, x += step) {
      int error[3];
      for (int c = 0; c < 3; ++c) error[c] = (current[(x + 1) * 3 + c] + carry[c] + 8) >> 4;
      int residual[3] = {0, 0, 0};
      choose(x, error, residual);
      for (int c = 0; c < 3; ++c) {
        next[(x + 1 - step) * 3 + c] += 3 * residual[c];
        next[(x + 1) * 3 + c] += 5 * residual[c];
        next[(x + 1 + step) * 3 + c] += residual[c];
        carry[c] = 7 * residual[c];
      }
    }
    std::copy(next, next + half, current);
    leftToRight_ = !leftToRight_;
  }

 private:
  int rowLength_;
  std::vector<int> errors_;  // two rows: this one's and the next one's
  bool leftToRight_ = true;
};
