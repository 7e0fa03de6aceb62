// A progress bar with a range of 0 to 100.
#pragma once

#include "Control.h"

class TProgressBar : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, int left, int top, int width, int height);

  int Position() const;
  void SetPosition(int position);
};
