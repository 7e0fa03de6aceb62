// A raised panel that holds other components (the toolbar).
#pragma once

#include "Control.h"

class TPanel : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, int left, int top, int width, int height);

 protected:
  LRESULT ContainerProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
