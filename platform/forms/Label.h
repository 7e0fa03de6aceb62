// A text label; word-wrapping labels break lines within their width.
#pragma once

#include "Control.h"

#include <string>

enum class TLabelStyle { AutoSize, WordWrap, RightAligned };

class TLabel : public TControl {
 public:
  using TControl::TControl;

  // An auto-sized label takes the width and height of its text.
  void Create(TControl* parent, const char* caption, int left, int top, int width = 0,
              int height = 0, TLabelStyle style = TLabelStyle::AutoSize);

  // "&" marks the key that moves the focus to the next control; set before Create.
  bool ShowAccelChar = false;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  void SetWidth(int width);

 private:
  void FitToText();
  TLabelStyle style_ = TLabelStyle::AutoSize;
};
