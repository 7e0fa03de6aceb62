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
      histogram_(new uint16_t[kHistogramCells]()),
      diffusion_(dither ? rowLength_ : 0) {
  boxes_.reserve(colorCount_);
  firstSeen_.reserve(kHistogramCells);
}

void PaletteOptimizer::CountPixels(const uint8_t* bgr, int count) {
  for (int x = 0; x < count; ++x, bgr += 3) {
    const size_t cell = Cell(bgr[0] >> 3, bgr[1] >> 2, bgr[2] >> 3);
    uint16_t& counter = histogram_[cell];
    if (counter == 0) firstSeen_.push_back(static_cast<uint16_t>(cell));
    if (counter < 65535) ++counter;
  }
}

void PaletteOptimizer::Fit(Box* box) const {
  int low[3] = {kCells[0], kCells[1], kCells[2]};
  int high[3] = {-1, -1, -1};
  box->pixels = 0;
  for (size_t i = box->first; i < box->last; ++i) {
    const Occupied& cell = occupied_[i];
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], static_cast<int>(cell.at[axis]));
      high[axis] = std::max(high[axis], static_cast<int>(cell.at[axis]));
    }
    box->pixels += cell.count;
  }
  box->volume = 0;
  if (box->first == box->last) return;
  for (int axis = 0; axis < 3; ++axis) {
    box->low[axis] = low[axis];
    box->high[axis] = high[axis];
    int64_t span = static_cast<int64_t>(high[axis] - low[axis]) * kAxisScale[axis];
    box->volume += span * span;
  }
}

int PaletteOptimizer::ComputePalette(uint8_t (*rgb)[3]) {
  // Cutting works on the list of occupied cells, so its cost follows the
  // number of colours in the picture rather than the histogram's size.
  occupied_.clear();
  occupied_.reserve(firstSeen_.size());
  for (uint16_t cell : firstSeen_)
    occupied_.push_back(
        Occupied{{static_cast<uint8_t>(cell >> 11), static_cast<uint8_t>(cell >> 5 & 63),
                  static_cast<uint8_t>(cell & 31)},
                 histogram_[cell]});
  std::vector<uint16_t>().swap(firstSeen_);
  boxes_.clear();
  if (!occupied_.empty()) {
    Box whole{{0, 0, 0}, {0, 0, 0}, 0, 0, 0, occupied_.size()};
    Fit(&whole);
    boxes_.push_back(whole);
  }

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
    const int axis = span[0] > span[1] && span[0] > span[2] ? 0 : span[2] > span[1] ? 2 : 1;
    const int middle = (chosen->low[axis] + chosen->high[axis]) / 2;
    auto split = std::partition(occupied_.begin() + chosen->first, occupied_.begin() + chosen->last,
                                [&](const Occupied& cell) { return cell.at[axis] <= middle; });
    Box upper = *chosen;
    upper.first = static_cast<size_t>(split - occupied_.begin());
    chosen->last = upper.first;
    Fit(chosen);
    Fit(&upper);
    boxes_.push_back(upper);  // may move the boxes: `chosen` is not used after this
  }

  paletteCount_ = 0;
  for (const Box& box : boxes_) {
    int64_t total = 0;
    int64_t sum[3] = {0, 0, 0};
    for (size_t i = box.first; i < box.last; ++i) {
      const Occupied& cell = occupied_[i];
      total += cell.count;
      for (int axis = 0; axis < 3; ++axis)
        sum[axis] += int64_t{cell.count} * CellCentre(axis, cell.at[axis]);
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
  std::fill(histogram_.get(), histogram_.get() + kHistogramCells, 0);
  std::vector<Occupied>().swap(occupied_);
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
  diffusion_.DiffuseRow([&](int x, const int error[3], int residual[3]) {
    int value[3];
    for (int c = 0; c < 3; ++c) value[c] = std::min(std::max(bgr[3 * x + c] + error[c], 0), 255);
    const int index = Lookup(value[0], value[1], value[2]);
    indices[x] = static_cast<uint8_t>(index);
    const int chosen[3] = {palette_[index][2], palette_[index][1], palette_[index][0]};
    for (int c = 0; c < 3; ++c) residual[c] = value[c] - chosen[c];
  });
}
