// Windows for the tests: an owner window standing in for the program's main
// window, what a modal box shows, and a screenshot of it for people to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A visible, active top-level window; destroyed with the object.
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

struct ButtonSeen {
  std::string caption;
  int id;
  bool isDefault;  // drawn as the default button
};

// A modal box as the user sees it, read through the window itself.
struct BoxSeen {
  std::string title;
  std::string text;  // the static text control's text
  HICON icon = nullptr;
  std::vector<ButtonSeen> buttons;  // left to right
  int defaultId = 0;                // DM_GETDEFID
  int focusId = 0;                  // control that has the keyboard focus
  HWND owner = nullptr;
  bool ownerEnabled = true;
  bool closeEnabled = true;  // the system menu's Close
  HCURSOR cursor = nullptr;
};
BoxSeen InspectBox(HWND box, int textId, int iconId);

HWND FindButton(HWND box, const char* caption);
void PressButton(HWND box, const char* caption);
// The key as the keyboard would deliver it to the focused control.
void PostKey(HWND box, WORD key);

// Saves the window, fully painted, as ZEL95_SCREENS/<name>.bmp.
void SaveScreenshot(HWND window, const std::string& name);
