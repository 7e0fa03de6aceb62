#include "codecs/PaletteOptimizer.h"

#include <algorithm>

namespace {

// Cell counts and how a cell's span compares across axes (blue, green, red).
constexpr int kCells[3] = {32, 64, 32};
constexpr int kAxisScale[3] = {8, 12, 16};

int CellCentre(int axis, int cell) { return axis == 1 ? cell * 4 + 2 : cell * 8 + 4; }

}  // namespace

PaletteOptimizer::PaletteOptimizer(int colorCount, bool dither, int rowLength)
    : colorCount_(std::min(std::max(colorCount, 1), 256)),
      dither_(dither),
      rowLength_(std::max(rowLength, 0)),
      histogram_(32 * 64 * 32, 0) {
  boxes_.reserve(colorCount_);
  if (dither_) errors_.assign(static_cast<size_t>(rowLength_ + 2) * 3 * 2, 0);
}

void PaletteOptimizer::CountRow(const uint8_t* bgr) {
  for (int x = 0; x < rowLength_; ++x, bgr += 3) {
    uint16_t& counter = histogram_[Cell(bgr[0] >> 3, bgr[1] >> 2, bgr[2] >> 3)];
    if (counter < 65535) ++counter;
  }
}

void PaletteOptimizer::Shrink(Box* box) const {
  int low[3] = {kCells[0], kCells[1], kCells[2]};
  int high[3] = {-1, -1, -1};
  for (int b = box->low[0]; b <= box->high[0]; ++b)
    for (int g = box->low[1]; g <= box->high[1]; ++g)
      for (int r = box->low[2]; r <= box->high[2]; ++r) {
        if (!histogram_[Cell(b, g, r)]) continue;
        const int at[3] = {b, g, r};
        for (int axis = 0; axis < 3; ++axis) {
          low[axis] = std::min(low[axis], at[axis]);
          high[axis] = std::max(high[axis], at[axis]);
        }
      }
  if (high[0] < 0) return;  // no pixels: leave it as it is
  for (int axis = 0; axis < 3; ++axis) {
    box->low[axis] = low[axis];
    box->high[axis] = high[axis];
  }
}

void PaletteOptimizer::Measure(Box* box) const {
  box->volume = 0;
  for (int axis = 0; axis < 3; ++axis) {
    int64_t span = static_cast<int64_t>(box->high[axis] - box->low[axis]) * kAxisScale[axis];
    box->volume += span * span;
  }
  box->pixels = 0;
  for (int b = box->low[0]; b <= box->high[0]; ++b)
    for (int g = box->low[1]; g <= box->high[1]; ++g)
      for (int r = box->low[2]; r <= box->high[2]; ++r) box->pixels += histogram_[Cell(b, g, r)];
}

int PaletteOptimizer::ComputePalette(uint8_t (*rgb)[3]) {
  boxes_.clear();
  Box whole{{0, 0, 0}, {kCells[0] - 1, kCells[1] - 1, kCells[2] - 1}, 0, 0};
  Shrink(&whole);
  Measure(&whole);
  if (whole.pixels > 0) boxes_.push_back(whole);

  while (!boxes_.empty() && static_cast<int>(boxes_.size()) < colorCount_) {
    // First split by population, later by size.
    bool byPixels = 2 * static_cast<int>(boxes_.size()) <= colorCount_;
    Box* chosen = nullptr;
    for (Box& box : boxes_) {
      if (box.volume == 0) continue;
      if (!chosen || (byPixels ? box.pixels > chosen->pixels : box.volume > chosen->volume))
        chosen = &box;
    }
    if (!chosen) break;
    int span[3];
    for (int axis = 0; axis < 3; ++axis)
      span[axis] = (chosen->high[axis] - chosen->low[axis]) * kAxisScale[axis];
    int axis = span[0] > span[1] && span[0] > span[2] ? 0 : span[2] > span[1] ? 2 : 1;
    Box upper = *chosen;
    int middle = (chosen->low[axis] + chosen->high[axis]) / 2;
    chosen->high[axis] = middle;
    upper.low[axis] = middle + 1;
    Shrink(chosen);
    Measure(chosen);
    Shrink(&upper);
    Measure(&upper);
    boxes_.push_back(upper);  // may move the boxes: `chosen` is not used after this
  }

  paletteCount_ = 0;
  for (const Box& box : boxes_) {
    int64_t total = 0;
    int64_t sum[3] = {0, 0, 0};
    for (int b = box.low[0]; b <= box.high[0]; ++b)
      for (int g = box.low[1]; g <= box.high[1]; ++g)
        for (int r = box.low[2]; r <= box.high[2]; ++r) {
          int64_t count = histogram_[Cell(b, g, r)];
          total += count;
          sum[0] += count * CellCentre(0, b);
          sum[1] += count * CellCentre(1, g);
          sum[2] += count * CellCentre(2, r);
        }
    if (total == 0) continue;
    uint8_t* entry = palette_[paletteCount_++];
    entry[0] = static_cast<uint8_t>((sum[2] + total / 2) / total);
    entry[1] = static_cast<uint8_t>((sum[1] + total / 2) / total);
    entry[2] = static_cast<uint8_t>((sum[0] + total / 2) / total);
  }
  for (int i = 0; i < paletteCount_; ++i)
    for (int c = 0; c < 3; ++c) rgb[i][c] = palette_[i][c];
  // From here on each cell holds its palette index + 1, or 0 until needed.
  std::fill(histogram_.begin(), histogram_.end(), 0);
  return paletteCount_;
}

int PaletteOptimizer::Nearest(int blue, int green, int red) const {
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < paletteCount_; ++i) {
    int dr = palette_[i][0] - red;
    int dg = palette_[i][1] - green;
    int db = palette_[i][2] - blue;
    int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

int PaletteOptimizer::Lookup(int blue, int green, int red) {
  int b = blue >> 3, g = green >> 2, r = red >> 3;
  uint16_t& cell = histogram_[Cell(b, g, r)];
  if (cell == 0)
    cell = static_cast<uint16_t>(Nearest(CellCentre(0, b), CellCentre(1, g), CellCentre(2, r)) + 1);
  return cell - 1;
}

void PaletteOptimizer::MapRow(const uint8_t* bgr, uint8_t* indices) {
  if (paletteCount_ == 0) {
    std::fill(indices, indices + rowLength_, 0);
    return;
  }
  if (!dither_) {
    for (int x = 0; x < rowLength_; ++x, bgr += 3)
      indices[x] = static_cast<uint8_t>(Lookup(bgr[0], bgr[1], bgr[2]));
    return;
  }
  // Floyd-Steinberg in sixteenths, alternating direction per row.
  const size_t half = static_cast<size_t>(rowLength_ + 2) * 3;
  int* current = errors_.data();
  int* next = current + half;
  std::fill(next, next + half, 0);
  const int step = leftToRight_ ? 1 : -1;
  int x = leftToRight_ ? 0 : rowLength_ - 1;
  int carry[3] = {0, 0, 0};
  for (int n = 0; n < rowLength_; ++n, x += step) {
    int value[3];
    for (int c = 0; c < 3; ++c) {
      int v = bgr[3 * x + c] + ((current[(x + 1) * 3 + c] + carry[c] + 8) >> 4);
      value[c] = std::min(std::max(v, 0), 255);
    }
    int index = Lookup(value[0], value[1], value[2]);
    indices[x] = static_cast<uint8_t>(index);
    const int chosen[3] = {palette_[index][2], palette_[index][1], palette_[index][0]};
    for (int c = 0; c < 3; ++c) {
      int error = value[c] - chosen[c];
      next[(x + 1 - step) * 3 + c] += 3 * error;
      next[(x + 1) * 3 + c] += 5 * error;
      next[(x + 1 + step) * 3 + c] += error;
      carry[c] = 7 * error;
    }
  }
  std::copy(next, next + half, current);
  leftToRight_ = !leftToRight_;
}
