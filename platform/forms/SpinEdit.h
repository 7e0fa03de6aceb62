// A number field with up and down arrows. Typing into it is disabled: only
// the arrows (and the arrow keys) change the value, within its range.
#pragma once

#include "Control.h"

#include <functional>

class TSpinEdit : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, int left, int top, int width, int height, int minValue,
              int maxValue);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Value() const { return value_; }
  // Keeps the value within the range; the change handler runs.
  void SetValue(int value);
  std::function<void()> OnChange;

  HWND EditHandle() const { return handle_; }
  HWND UpDownHandle() const { return upDown_; }

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HWND upDown_ = nullptr;
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};
