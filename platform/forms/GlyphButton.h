// A small square button that shows a bitmap glyph and, through its hint, a
// tooltip. Like a toolbar button it never takes the keyboard focus: the
// arrows and Enter stay with the control that had it.
#pragma once

#include "Control.h"
#include "platform/forms/PointFont.h"

#include <functional>

class TGlyphButton : public TControl {
 public:
  using TControl::TControl;

  // `glyph` is a bitmap resource of the program.
  void Create(TControl* parent, int glyph, int left, int top, int width, int height);

  std::function<void()> OnClick;
  void Click();

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  BitmapHandle glyph_;
  WNDPROC buttonProc_ = nullptr;
  static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
