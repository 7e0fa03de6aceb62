// Watches the progress dialog from inside the thread that runs a command:
// every position its bar is given and every text it shows, in order. A test
// may act at a chosen step (press Cancel, take a screenshot).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ProgressWatch {
 public:
  ProgressWatch();
  ~ProgressWatch();
  ProgressWatch(const ProgressWatch&) = delete;
  ProgressWatch& operator=(const ProgressWatch&) = delete;

  // Called after each new bar position with the dialog and how many
  // positions have been set since the last text.
  std::function<void(HWND dialog, int step)> OnStep;

  struct Stage {
    std::string text;
    std::vector<int> positions;
  };
  // One stage per text, with the positions set while it was shown.
  const std::vector<Stage>& Stages() const { return stages_; }
  // Whether the dialog was ever shown.
  bool WasShown() const { return shown_; }
  // The stage that showed `text`, or null.
  const Stage* Find(const std::string& text) const;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void Seen(const CWPSTRUCT& call);

  HHOOK hook_;
  std::vector<Stage> stages_;
  bool shown_ = false;
};

// Presses the Cancel button of the progress dialog, as a click would.
void PressCancel(HWND dialog);
