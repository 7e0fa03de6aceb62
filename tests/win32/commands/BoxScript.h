// Answers the message boxes and dialogs the commands show, through the modal
// seam, and records every message box.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShownBox {
  std::string caption;
  std::string text;
  bool operator==(const ShownBox& other) const {
    return caption == other.caption && text == other.text;
  }
};

class BoxScript {
 public:
  BoxScript();
  ~BoxScript();
  BoxScript(const BoxScript&) = delete;
  BoxScript& operator=(const BoxScript&) = delete;

  // The next message boxes are answered with these buttons, in order;
  // after that, with OK (or the box's only button).
  void Answer(std::initializer_list<int> buttons);
  // A dialog that is not a message box (the Print dialog) goes here; the
  // handler must close it. Without one it is cancelled.
  std::function<void(HWND)> OnDialog;

  const std::vector<ShownBox>& Shown() const { return shown_; }
  // Answers `window` as scripted; the modal seam calls it, and so may a
  // test that catches another module's modal windows.
  void Handle(HWND window);

 private:
  std::deque<int> answers_;
  std::vector<ShownBox> shown_;
};

void PrintTo(const ShownBox& box, std::ostream* out);
