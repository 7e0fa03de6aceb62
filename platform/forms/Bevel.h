// An etched line that separates groups of controls.
#pragma once

#include "Control.h"

enum class TBevelShape { VerticalLine, HorizontalLine };

class TBevel : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, TBevelShape shape, int left, int top, int width, int height);
};
