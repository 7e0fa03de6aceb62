// A rectangle of image pixels, right and bottom exclusive.
#pragma once

#include <algorithm>

struct ImageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const ImageRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// The smallest rectangle holding both; an empty one adds nothing.
inline ImageRect Union(const ImageRect& a, const ImageRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return ImageRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
}
