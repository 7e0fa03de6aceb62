// A radio button; the buttons of one parent form one group, and checking one
// clears the others.
#pragma once

#include "Control.h"

#include <functional>

class TRadioButton : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, const char* caption, int left, int top, int width, int height);

  bool Checked() const;
  // Checks this button (the system clears its group's others); no click handler runs.
  void SetChecked(bool checked);
  std::function<void()> OnClick;

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
