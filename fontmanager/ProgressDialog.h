// The progress dialog a long loop on the GUI thread shows: a text, a bar and
// Cancel. The loop drives it by calls; while it is up, the program's other
// windows are disabled.
//
//   StartProgress once; UpdateProgress, each followed by ProgressCancelled,
//   any number of times; EndProgress exactly once, also after Cancel.
#pragma once

#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/ProgressBar.h"

#include <string>

class TDlgProgress : public TForm {
 public:
  TDlgProgress();
  ~TDlgProgress() override;

  // Creates the (hidden) dialog owned by `owner`.
  void Create(TForm* owner);

  TLabel lblUserText{"lblUserText"};
  TProgressBar gProgress{"gProgress"};
  TButton pbCancel{"pbCancel"};

  void pbCancelClick();

 private:
  friend void EndProgress(TDlgProgress& dialog);
};

// An empty caption keeps "Zel 95 Progress".
void StartProgress(TDlgProgress& dialog, const std::string& caption, const std::string& text);
// Percent 0..100; shows "Reading " + name + "..." and handles pending messages.
void UpdateProgress(TDlgProgress& dialog, int percent, const std::string& name);
// Whether Cancel was pressed since the last call.
bool ProgressCancelled();
// Enables the windows StartProgress disabled and destroys the dialog's window.
void EndProgress(TDlgProgress& dialog);
