#include "Display.h"

#include <memory>

#include "ImageView.h"
#include "shellext/module/Module.h"
#include "PacingThread.h"
#include "ViewClass.h"
#include "ViewerFrame.h"
#include "ViewerState.h"
#include "platform/codec/CodecPlatform.h"

namespace {

HINSTANCE frameClassInstance;

// How the decoder reduces colours for a screen of `depth` bits per pixel.
int ReductionModeForScreen(int depth) {
  switch (depth) {
    case 8:
      return 4;
    case 16:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void RegisterViewerClasses(HINSTANCE instance) {
  UseViewClass(instance);
  WNDCLASSA frameClass = {};
  frameClass.lpfnWndProc = ViewerFrameProc;
  frameClass.hInstance = instance;
  // Loaded here: the library's own copy of the icon is loaded after the classes.
  frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(2000));
  frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  frameClass.lpszClassName = kFrameClassName;
  frameClassInstance = instance;
  if (!RegisterClassA(&frameClass)) MessageBeep(static_cast<UINT>(-1));
}

void ReleaseViewerClasses() {
  UnregisterClassA(kFrameClassName, frameClassInstance);
  ReleaseViewClass();
}

bool Display(const char* path) {
  auto file = std::make_unique<ImageFile>(path);
  if (file->GetFormat() < 0) return false;
  auto* state = new ViewerState;

  RECT size = {0, 0, file->GetSourceWidth(), file->GetSourceHeight()};
  AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
  size.bottom += GetSystemMetrics(SM_CYBORDER);
  HWND frame = CreateWindowExA(0, kFrameClassName, path, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, size.right - size.left + 1,
                               size.bottom - size.top + 1, nullptr, nullptr, ModuleInstance, state);
  if (!frame) {
    delete state;
    MessageBeep(static_cast<UINT>(-1));
    return false;
  }

  auto view = std::make_unique<ImageView>(frame);
  if (!view->window) {
    DestroyWindow(frame);  // frees the state
    MessageBeep(static_cast<UINT>(-1));
    return false;
  }
  view->SetReductionMode(ReductionModeForScreen(codec_platform::ScreenDepth()));
  view->Attach(file.get(), true);
  view->Layout();
  ShowWindow(view->window, SW_SHOW);
  ShowWindow(frame, SW_SHOW);

  state->frame = frame;
  state->imageFile = std::move(file);
  state->view = std::move(view);
  StartPacingThread(state);
  return true;
}
