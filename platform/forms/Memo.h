// A read-only text of several lines without word wrap, in a font of its own.
#pragma once

#include "Control.h"
#include "platform/forms/PointFont.h"

#include <string>
#include <vector>

class TMemo : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, int left, int top, int width, int height);

  void AddLine(const std::string& line);
  void Clear();
  std::vector<std::string> Lines() const;

  // The text's font by face name, in pixels or in points.
  void SetFontPixels(const std::string& face, int pixels);
  void SetFontPoints(const std::string& face, int points);
  std::string FontName() const { return face_; }
  // Character height in pixels (the font's em height).
  int FontHeight() const { return pixels_; }

 private:
  void ApplyFont();

  FontHandle font_;
  std::string face_;
  int pixels_ = 0;
};
