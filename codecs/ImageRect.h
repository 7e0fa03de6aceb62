// A rectangle of image pixels, right and bottom exclusive.
#pragma once

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
