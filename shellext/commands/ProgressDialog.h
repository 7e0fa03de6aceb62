// The modeless progress dialog of the wallpaper commands and printing: one
// line of text, a bar from 0 to 10000 and Cancel. Only one exists at a time;
// its window and the cancel flag are module-wide, so that the printer's
// abort procedure can reach them.
#pragma once
#include <windows.h>

class ProgressDialog {
 public:
  // Creates the dialog hidden, owned by `owner`, showing `text` (none when
  // null). IsOpen() tells whether that worked; it fails while another one
  // is open.
  ProgressDialog(HINSTANCE instance, HWND owner, const char* text);
  // Closes the dialog when the user has not already done so with Cancel.
  ~ProgressDialog();
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  bool IsOpen() const;
  HWND Window() const;
  void Show();
  void SetText(const char* text);
  void SetProgress(int progress);
  void EnableCancel(bool enable);
  // Sets the bar, serves the messages waiting for the dialog and repaints
  // it: the work between two calls keeps the rest of the thread waiting.
  void Pump(int progress);
  void Close();

 private:
  HWND window_ = nullptr;
};

// The open progress dialog; null when there is none.
HWND CurrentProgressDialog();
// Set by the Cancel button, cleared when a dialog opens.
bool ProgressCancelled();
void ClearProgressCancel();
