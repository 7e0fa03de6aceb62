#include "BoxScript.h"

#include "platform/forms/Modal.h"

#include <ostream>

namespace {

// The static control that holds a system message box's text.
const int kMessageBoxTextId = 0xFFFF;

std::string TextOf(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

BoxScript::BoxScript() {
  SetModalAnswerer([this](HWND window) { Handle(window); });
}

BoxScript::~BoxScript() { SetModalAnswerer(nullptr); }

void BoxScript::Answer(std::initializer_list<int> buttons) {
  answers_.insert(answers_.end(), buttons.begin(), buttons.end());
}

void BoxScript::Handle(HWND window) {
  HWND text = GetDlgItem(window, kMessageBoxTextId);
  if (!text) {
    if (OnDialog)
      OnDialog(window);
    else
      SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  shown_.push_back(ShownBox{TextOf(window), TextOf(text)});
  int button = IDOK;
  if (!answers_.empty()) {
    button = answers_.front();
    answers_.pop_front();
  }
  if (!GetDlgItem(window, button)) button = IDOK;
  SendMessageA(GetDlgItem(window, button), BM_CLICK, 0, 0);
}

void PrintTo(const ShownBox& box, std::ostream* out) {
  *out << "[" << box.caption << "] \"" << box.text << "\"";
}
