// A status bar with one simple panel, at the bottom of its form.
#pragma once

#include "Control.h"

#include <string>

class TStatusBar : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent);

  std::string SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text);

 protected:
  int AlignedHeight() const override;

 private:
  std::string simpleText_;
};
