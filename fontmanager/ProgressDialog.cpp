#include "ProgressDialog.h"

#include "platform/forms/Application.h"

#include <optional>
#include <vector>

namespace {

const TFormDefinition kProgressDefinition = {
    "TDlgProgress", "Zel 95 Progress", TBorderStyle::DialogNoSysMenu, 297, 128, true};
const int kLabelWidth = 240;

bool CancelRequested = false;
// The windows StartProgress disabled; none outside a progress.
std::optional<std::vector<HWND>> DisabledWindows;
// The dialog of the running progress.
HWND ProgressWindow = nullptr;

struct DisableSearch {
  HWND keep;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOtherWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DisableSearch*>(param);
  if (window != search->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    search->disabled.push_back(window);
  }
  return TRUE;
}

void EnableDisabledWindows() {
  if (!DisabledWindows) return;
  for (HWND window : *DisabledWindows)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  DisabledWindows.reset();
  ProgressWindow = nullptr;
}

}  // namespace

TDlgProgress::TDlgProgress() : TForm("DlgProgress", kProgressDefinition) {
  pbCancel.OnClick = [this] { pbCancelClick(); };
}

TDlgProgress::~TDlgProgress() {
  // A loop left by an exception never reached EndProgress.
  if (Handle() && Handle() == ProgressWindow) EnableDisabledWindows();
  DestroyForm();
}

void TDlgProgress::Create(TForm* owner) {
  CreateForm(owner);
  SetFont("MS Sans Serif", 8, fsBold);
  lblUserText.Create(this, "", 18, 24, 239, 13, TLabelStyle::WordWrap);
  lblUserText.SetFont("MS Sans Serif", 8);
  gProgress.Create(this, 17, 56, 264, 15);
  pbCancel.Create(this, "Cancel", 109, 91, 80, 25, true);
  DefaultButton = &pbCancel;
  CancelButton = &pbCancel;
  ActiveControl = &pbCancel;
}

void TDlgProgress::pbCancelClick() { CancelRequested = true; }

void StartProgress(TDlgProgress& dialog, const std::string& caption, const std::string& text) {
  if (!caption.empty()) dialog.SetCaption(caption);
  dialog.lblUserText.SetCaption(text);
  CancelRequested = false;
  dialog.gProgress.SetPosition(0);
  dialog.Show();
  InvalidateRect(dialog.Handle(), nullptr, TRUE);
  UpdateWindow(dialog.Handle());
  DisableSearch search{dialog.Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOtherWindow, reinterpret_cast<LPARAM>(&search));
  DisabledWindows = std::move(search.disabled);
  ProgressWindow = dialog.Handle();
}

void UpdateProgress(TDlgProgress& dialog, int percent, const std::string& name) {
  dialog.gProgress.SetPosition(percent);
  dialog.lblUserText.SetCaption("Reading " + name + "...");
  // Word wrapping may have changed the width.
  dialog.lblUserText.SetWidth(kLabelWidth);
  Application.ProcessMessages();
}

bool ProgressCancelled() {
  const bool cancelled = CancelRequested;
  CancelRequested = false;
  return cancelled;
}

void EndProgress(TDlgProgress& dialog) {
  EnableDisabledWindows();
  CancelRequested = false;
  dialog.DestroyForm();
}
