// A picture: a bitmap of the program's resources. A visible picture shows it
// on its form; an invisible one only holds it for drawing elsewhere.
#pragma once

#include "Control.h"
#include "platform/forms/PointFont.h"

class TImage : public TControl {
 public:
  using TControl::TControl;

  // Loads bitmap resource `bitmap`; shows it at left, top when visible.
  void Create(TControl* parent, int bitmap, int left, int top, bool visible);

  HBITMAP Picture() const { return bitmap_.Get(); }
  // Shows the picture of `source`, which keeps owning it.
  void ShowPicture(const TImage& source);
  SIZE PictureSize() const;

 private:
  BitmapHandle bitmap_;
};
