#include "PrintJob.h"

#include "shellext/module/CallbackGuard.h"
#include "shellext/module/Module.h"
#include "PrintPage.h"
#include "ProgressDialog.h"
#include "codecs/ImageFile.h"
#include "platform/forms/Modal.h"

namespace {

const char kErrorCaption[] = "Print Error";

// Keeps the progress dialog (and the thread's other windows) served while
// the spooler works; false once Cancel is pressed.
BOOL ServeWhilePrinting() {
  MSG msg;
  while (!ProgressCancelled() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    HWND dialog = CurrentProgressDialog();
    if (!dialog) return FALSE;
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return !ProgressCancelled();
}

// The abort procedure. A failure in a window it serves stops the job.
BOOL CALLBACK ContinuePrinting(HDC, int) { return Guarded<BOOL>(FALSE, ServeWhilePrinting); }

bool IsWindowOwner(HWND owner) { return owner && IsWindow(owner); }

bool PrintDocument(HDC printer, int rasterCaps, HWND owner, ProgressDialog& progress,
                   const char* path) {
  if (ProgressCancelled()) return false;
  ImageFile image(path);
  if (!PrintPage(printer, rasterCaps, owner, progress, image)) return false;
  // The spooler may never call the abort procedure (Wine's does not), so
  // the dialog is served once more before the page goes out.
  progress.Pump(5000);
  if (ProgressCancelled()) return false;
  const bool ended = EndPage(printer) > 0;
  progress.SetProgress(10000);
  return ended;
}

}  // namespace

BOOL PrintOnPrinter(HDC printer, int rasterCaps, HWND owner, const char* path) {
  if (!(rasterCaps & RC_BITBLT)) {
    ShowMessageBox(owner,
                   "Cannot print to the selected printer because it\n"
                   "does not support printing bitmaps.",
                   kErrorCaption, MB_OK);
    DeleteDC(printer);
    return FALSE;
  }
  if (!(rasterCaps & (RC_STRETCHBLT | RC_STRETCHDIB)))
    ShowMessageBox(owner, "The selected print driver\ndoes not support bitmap scaling.",
                   "Print Warning", MB_OK);

  bool printed = false;
  bool started = false;
  ProgressDialog progress(ModuleInstance, owner, nullptr);
  if (!progress.IsOpen()) {
    ShowMessageBox(owner, "Could not create progress dialog box", kErrorCaption, MB_OK);
  } else {
    if (IsWindowOwner(owner)) EnableWindow(owner, FALSE);
    progress.SetProgress(0);
    ClearProgressCancel();
    SetAbortProc(printer, ContinuePrinting);
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "Glimmora32 print job";
    started = StartDocA(printer, &document) > 0;
    if (started) {
      progress.Show();
      printed = PrintDocument(printer, rasterCaps, owner, progress, path);
    }
  }

  // A job without its page is thrown away rather than printed empty.
  if (printed)
    printed = EndDoc(printer) > 0;
  else if (started)
    AbortDoc(printer);
  DeleteDC(printer);
  if (IsWindowOwner(owner)) {
    EnableWindow(owner, TRUE);
    SetFocus(owner);
  }
  progress.Close();
  return printed ? TRUE : FALSE;
}
