// A push button; with a modal result it closes its modal form with it.
#pragma once

#include "Control.h"

#include <functional>

class TButton : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, const char* caption, int left, int top, int width, int height,
              bool isDefault = false);

  int ModalResult = 0;
  std::function<void()> OnClick;
  void Click();

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
