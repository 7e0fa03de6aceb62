// A check box. Changing the state, by the user or by the program, runs the
// click handler, as the forms expect.
#pragma once

#include "Control.h"

#include <functional>

class TCheckBox : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, const char* caption, int left, int top, int width, int height);

  bool Checked() const;
  void SetChecked(bool checked);
  std::function<void()> OnClick;

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
