// Answers the program's message boxes and modal forms from a test, through
// the modal seam, and records what each one showed.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct TShownBox {
  std::string Caption;
  std::string Text;  // the message of a message box; "" for a form
};

class ModalScript {
 public:
  // A message box is answered with the button of this result (IDYES ...).
  // A box met with no answer left gets `fallback`.
  explicit ModalScript(int fallback = IDNO);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  // The next boxes get these results, in order.
  void Answer(std::initializer_list<int> results);
  // A window that is not a message box (a form) goes to `handler`, which
  // must close it.
  std::function<void(HWND)> OnForm;
  // Called with each message box before it is answered.
  std::function<void(HWND)> OnBox;

  const std::vector<TShownBox>& Shown() const { return shown_; }
  void Forget() { shown_.clear(); }

 private:
  void Handle(HWND window);

  int fallback_;
  std::deque<int> answers_;
  std::vector<TShownBox> shown_;
};

// The text of the message box `box`; "" when it is not one.
std::string MessageBoxText(HWND box);
// Presses the button with identifier `id` of `window`.
void PressButton(HWND window, int id);
