#include "ViewerFrame.h"

#include "AboutBox.h"
#include "shellext/module/CallbackGuard.h"
#include "shellext/commands/FileTitle.h"
#include "shellext/module/Module.h"
#include "PacingThread.h"
#include "ViewerCommands.h"
#include "ViewerMenu.h"
#include "ViewerState.h"
#include "platform/forms/Modal.h"

#include <string>

const char kFrameClassName[] = "Glimmora";

ViewerCommands viewerCommands = kPictureCommandCalls;

namespace {

// Marks a command or a wait running inside the frame's procedure, so that a
// Close arriving meanwhile waits for its end.
class BusyViewer {
 public:
  explicit BusyViewer(ViewerState* state) : state_(state) { ++state_->busy; }
  ~BusyViewer() {
    if (--state_->busy > 0) return;
    if (state_->closing) {
      delete state_;
    } else if (state_->closePending) {
      state_->closePending = false;
      PostMessageA(state_->frame, WM_CLOSE, 0, 0);
    }
  }
  BusyViewer(const BusyViewer&) = delete;
  BusyViewer& operator=(const BusyViewer&) = delete;

 private:
  ViewerState* state_;
};

// Posted by the view, so the pacing thread has ended or is ending.
void TellCannotShow(HWND frame, ViewerState* state) {
  BusyViewer busy(state);
  const char* path = state->imageFile ? state->imageFile->GetPath() : nullptr;
  ShowMessageBox(frame, ("Could not read image:\n" + FileTitleOf(path)).c_str(), kCommandCaption,
                 MB_OK);
}

// Stops the decoding and frees the viewer state with its view and file (at
// once, or when the last command running returns); the frame window stays.
void CloseViewer(HWND frame, ViewerState* state) {
  state->closing = true;
  StopPacingThread(state);
  SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
  if (state->busy == 0) delete state;
}

void ReloadViewer(ViewerState* state) {
  BusyViewer busy(state);
  StopPacingThread(state);
  if (state->closing) return;
  state->stopFlag.store(0);
  state->view->Attach(nullptr, true);
  state->view->Attach(state->imageFile.get(), true);
  StartPacingThread(state);
}

// False for the keys left to default processing.
bool OnKeyDown(HWND frame, WPARAM key) {
  int command = 0;
  if (key == VK_ESCAPE)
    command = kCommandClose;
  else if (key == 'P' && GetKeyState(VK_CONTROL) < 0)
    command = kCommandPrint;
  else if (key == VK_F5)
    command = kCommandReload;
  if (key == VK_APPS) {
    // Not every system's default processing turns this key into a
    // WM_CONTEXTMENU, so the frame does it, once.
    SendMessageA(frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame), static_cast<LPARAM>(-1));
    return true;
  }
  if (command) PostMessageA(frame, WM_COMMAND, command, 0);
  return command != 0;
}

// True when the command is done with (no default processing).
bool OnCommand(HWND frame, ViewerState* state, WPARAM wParam, LPARAM lParam) {
  const char* path = state->imageFile ? state->imageFile->GetPath() : nullptr;
  switch (LOWORD(wParam)) {
    case kCommandClose:
      PostMessageA(frame, WM_CLOSE, 0, 0);
      return true;
    case kCommandReload:
      if (state->waiting)
        PostMessageA(frame, WM_COMMAND, wParam, lParam);
      else if (!state->closing)
        ReloadViewer(state);
      return true;
  }
  BusyViewer busy(state);
  const PictureCommand picture = PictureCommandOf(LOWORD(wParam), kCommandPrint);
  if (picture != PictureCommandCount)
    RunPictureCommand(picture, frame, path, viewerCommands);
  else if (LOWORD(wParam) == kCommandAbout)
    ShowAboutBox(frame);
  return false;
}

LRESULT FrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  ViewerState* state = ViewerOf(frame);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(
          frame, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_CREATE:
      HoldModule();
      return 0;
    case WM_DESTROY:
      // Destroyed without a WM_CLOSE: the viewer still has to be stopped.
      if (state && !state->closing) CloseViewer(frame, state);
      ReleaseModule();
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && state && state->view) state->view->Layout();
      break;
    case WM_CLOSE:
      if (!state || state->closing) return 0;
      if (state->busy) {
        state->closePending = true;
        return 0;
      }
      CloseViewer(frame, state);
      break;
    case WM_CONTEXTMENU:
      ShowViewerMenu(frame, lParam);
      return 0;
    case WM_KEYDOWN:
      // Others, the context-menu key among them, go to default processing.
      if (OnKeyDown(frame, wParam)) return 0;
      break;
    case WM_KEYUP:
      if (wParam == VK_APPS) return 0;
      break;
    case kViewCannotShow:
      if (state && !state->closing) TellCannotShow(frame, state);
      return 0;
    case WM_COMMAND:
      if (state && HIWORD(wParam) <= 1 && OnCommand(frame, state, wParam, lParam)) return 0;
      break;
  }
  return DefWindowProcA(frame, message, wParam, lParam);
}

}  // namespace

ViewerState* ViewerOf(HWND frame) {
  return reinterpret_cast<ViewerState*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

LRESULT CALLBACK ViewerFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return FrameMessage(frame, message, wParam, lParam); });
}
