// A framed group with a caption. The controls it frames are its form's own,
// placed over it.
#pragma once

#include "Control.h"

class TGroupBox : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, const char* caption, int left, int top, int width, int height);
};
