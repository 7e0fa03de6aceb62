// A drawing surface over a device context that owns the font selected into
// it and puts the context back as it found it.
#pragma once

#include "platform/forms/PointFont.h"

#include <windows.h>

#include <optional>
#include <string>

class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }

  // Creates the font and selects it; the previous font of this canvas goes.
  void SetFont(const std::string& face, int points, unsigned style = fsNone);
  TEXTMETRICA TextMetrics() const;
  void SetTextAlign(UINT align);

  // Draws text opaquely (background filled) and clipped to `clip`.
  void TextRect(const RECT& clip, int x, int y, const std::string& text);
  void FillRect(const RECT& rect, COLORREF colour);
  void StretchDraw(const RECT& dest, HBITMAP bitmap);

 private:
  HDC dc_;
  UINT originalAlign_;
  FontHandle font_;
  // Declared after the font, so that the context lets go of it before it goes.
  std::optional<SelectGuard> fontSelection_;
};
