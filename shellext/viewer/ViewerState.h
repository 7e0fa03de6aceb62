// What one open viewer holds. The frame window owns it (through its user
// data) and frees it when it closes.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "ImageView.h"
#include "codecs/ImageFile.h"

struct ViewerState {
  HWND frame = nullptr;
  std::unique_ptr<ImageFile> imageFile;
  std::unique_ptr<ImageView> view;  // destroyed before the file it shows
  HANDLE pacingThread = nullptr;    // null when no thread was started since the last wait
  std::atomic<LONG> stopFlag{0};
  // Waits for the pacing thread under way; a Reload arriving meanwhile is put
  // off until they are over.
  int waiting = 0;
  // Commands and waits running inside the frame's procedure: a Close arriving
  // meanwhile is put off (closePending), and a frame destroyed meanwhile
  // (closing) leaves the state to be freed when the last of them returns.
  int busy = 0;
  bool closePending = false;
  bool closing = false;
};

// The viewer state of a frame window; null once it has closed.
ViewerState* ViewerOf(HWND frame);
