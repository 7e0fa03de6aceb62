#include "Commands.h"

#include "PrintJob.h"
#include "platform/forms/Modal.h"

BOOL PrintImage(HWND owner, const char* path) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
  const BOOL chosen = ShowPrintDialog(&dialog);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  if (!chosen || !dialog.hDC) return FALSE;
  return PrintOnPrinter(dialog.hDC, GetDeviceCaps(dialog.hDC, RASTERCAPS), owner, path);
}
