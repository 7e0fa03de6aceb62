#include "Label.h"

void TLabel::Create(TControl* parent, const char* caption, int left, int top, int width, int height,
                    TLabelStyle style) {
  style_ = style;
  DWORD align = SS_LEFTNOWORDWRAP;
  if (style == TLabelStyle::WordWrap)
    align = SS_LEFT;
  else if (style == TLabelStyle::RightAligned)
    align = SS_RIGHT;
  CreateChild(parent, "STATIC", align | (ShowAccelChar ? 0 : SS_NOPREFIX), 0, caption, left, top,
              width, height);
  FitToText();
}

std::string TLabel::Caption() const {
  char text[1024] = "";
  GetWindowTextA(handle_, text, sizeof text);
  return text;
}

void TLabel::SetCaption(const std::string& caption) {
  SetWindowTextA(handle_, caption.c_str());
  FitToText();
}

void TLabel::SetWidth(int width) {
  const RECT bounds = BoundsRect();
  SetBounds(bounds.left, bounds.top, width, bounds.bottom - bounds.top);
  FitToText();
}

// Auto-sized labels take their text's extent; word-wrapping ones keep their
// width and take the height of the wrapped lines.
void TLabel::FitToText() {
  if (style_ == TLabelStyle::RightAligned) return;
  const RECT bounds = BoundsRect();
  const std::string text = Caption();
  WindowDC dc(handle_);
  SelectGuard font(dc.Get(), Font());
  RECT measured = {0, 0, bounds.right - bounds.left, 0};
  UINT flags = DT_CALCRECT | (ShowAccelChar ? 0 : DT_NOPREFIX);
  flags |= style_ == TLabelStyle::WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  DrawTextA(dc.Get(), text.empty() ? " " : text.c_str(), -1, &measured, flags);
  const int width = style_ == TLabelStyle::WordWrap ? bounds.right - bounds.left : measured.right;
  SetBounds(bounds.left, bounds.top, width, measured.bottom);
}
