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
  // A Close or Reload is waiting for the pacing thread; another one arriving
  // meanwhile is put off until the wait is over.
  bool waiting = false;
};

// The viewer state of a frame window; null once it has closed.
ViewerState* ViewerOf(HWND frame);
