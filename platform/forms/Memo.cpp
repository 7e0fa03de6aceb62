#include "Memo.h"

#include <cstring>

void TMemo::Create(TControl* parent, int left, int top, int width, int height) {
  CreateChild(
      parent, "EDIT",
      ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
      WS_EX_CLIENTEDGE, "", left, top, width, height);
}

void TMemo::AddLine(const std::string& line) {
  const int length = GetWindowTextLengthA(handle_);
  SendMessageA(handle_, EM_SETSEL, length, length);
  const std::string text = length > 0 ? "\r\n" + line : line;
  SendMessageA(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemo::Clear() { SetWindowTextA(handle_, ""); }

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  const int length = GetWindowTextLengthA(handle_);
  if (length == 0) return lines;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(handle_, &text[0], length + 1);
  text.resize(static_cast<size_t>(length));
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

void TMemo::SetFontPixels(const std::string& face, int pixels) {
  face_ = face;
  pixels_ = pixels;
  ApplyFont();
}

void TMemo::SetFontPoints(const std::string& face, int points) {
  WindowDC screen(nullptr);
  SetFontPixels(face, MulDiv(points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72));
}

void TMemo::ApplyFont() {
  LOGFONTA lf{};
  lf.lfHeight = -pixels_;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  strncpy(lf.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
  FontHandle font(CreateFontIndirectA(&lf));
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  font_ = std::move(font);
}
