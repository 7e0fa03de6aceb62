#include "ModalScript.h"

#include "fontcommon/MessageDialog.h"
#include "platform/forms/Modal.h"

namespace {
std::string WindowText(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}
}  // namespace

std::string MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, kMessageTextId);
  return text ? WindowText(text) : std::string();
}

void PressButton(HWND window, int id) { SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }

ModalScript::ModalScript(int fallback) : fallback_(fallback) {
  SetModalAnswerer([this](HWND window) { Handle(window); });
}

ModalScript::~ModalScript() { SetModalAnswerer(nullptr); }

void ModalScript::Answer(std::initializer_list<int> results) {
  answers_.insert(answers_.end(), results.begin(), results.end());
}

void ModalScript::Handle(HWND window) {
  const bool messageBox = GetDlgItem(window, kMessageTextId) != nullptr;
  shown_.push_back(
      TShownBox{WindowText(window), messageBox ? MessageBoxText(window) : std::string()});
  if (!messageBox) {
    if (OnForm)
      OnForm(window);
    else
      PostMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  if (OnBox) OnBox(window);
  int result = fallback_;
  if (!answers_.empty()) {
    result = answers_.front();
    answers_.pop_front();
  }
  // A box without the asked-for button is answered with its only one.
  if (!GetDlgItem(window, result)) result = IDOK;
  PressButton(window, result);
}
