#include "ViewClass.h"

#include "shellext/module/CallbackGuard.h"
#include "ImageView.h"

ViewCursors viewCursors;
const char kViewClassName[] = "ImageViewWClass";

namespace {

int useCount;
HINSTANCE classInstance;

LRESULT ViewMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* view = static_cast<ImageView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(view));
    if (view) view->window = window;
  }
  auto* view = reinterpret_cast<ImageView*>(GetWindowLongPtrA(window, 0));
  if (!view) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = view->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY)
    view->window = nullptr;  // destroyed with its frame, before the object
  return result;
}

LRESULT CALLBACK ViewClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return ViewMessage(window, message, wParam, lParam); });
}

HCURSOR LoadOwnCursor(HINSTANCE instance, const char* name) {
  // Not shared, so that the last release may destroy it.
  return static_cast<HCURSOR>(LoadImageA(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

}  // namespace

void UseViewClass(HINSTANCE instance) {
  if (useCount++ > 0) return;
  classInstance = instance;
  WNDCLASSA viewClass = {};
  viewClass.style = CS_DBLCLKS;
  viewClass.lpfnWndProc = ViewClassProc;
  viewClass.cbWndExtra = sizeof(ImageView*);
  viewClass.hInstance = instance;
  viewClass.lpszClassName = kViewClassName;
  RegisterClassA(&viewClass);
  viewCursors.hand = LoadOwnCursor(instance, "HandCursor");
  viewCursors.handClosed = LoadOwnCursor(instance, "HandClosedCursor");
  viewCursors.arrow = LoadCursorA(nullptr, IDC_ARROW);
  viewCursors.arrowWait = LoadCursorA(nullptr, IDC_APPSTARTING);
}

void ReleaseViewClass() {
  if (useCount == 0 || --useCount > 0) return;
  // Unregistered too: a later load of the library must not find a class
  // whose procedure points into the unloaded code.
  UnregisterClassA(kViewClassName, classInstance);
  if (viewCursors.hand) DestroyCursor(viewCursors.hand);
  if (viewCursors.handClosed) DestroyCursor(viewCursors.handClosed);
  viewCursors = ViewCursors();
}
