#include "Canvas.h"

TCanvas::TCanvas(HDC dc) : dc_(dc), originalAlign_(GetTextAlign(dc)) {}

TCanvas::~TCanvas() { ::SetTextAlign(dc_, originalAlign_); }

void TCanvas::SetFont(const std::string& face, int points, unsigned style) {
  FontHandle font = CreatePointFont(face, points, style);
  fontSelection_.reset();
  fontSelection_.emplace(dc_, font.Get());
  font_ = std::move(font);
}

TEXTMETRICA TCanvas::TextMetrics() const {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc_, &tm);
  return tm;
}

void TCanvas::SetTextAlign(UINT align) { ::SetTextAlign(dc_, align); }

void TCanvas::TextRect(const RECT& clip, int x, int y, const std::string& text) {
  ExtTextOutA(dc_, x, y, ETO_OPAQUE | ETO_CLIPPED, &clip, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::FillRect(const RECT& rect, COLORREF colour) {
  BrushHandle brush(CreateSolidBrush(colour));
  ::FillRect(dc_, &rect, brush.Get());
}

void TCanvas::StretchDraw(const RECT& dest, HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
  MemoryDC source(dc_);
  SelectGuard select(source.Get(), bitmap);
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Get(),
             0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}
