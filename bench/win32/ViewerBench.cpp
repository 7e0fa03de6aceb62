// How soon the viewer paints the first band of a 4000 x 3000 JPEG after
// Display is called, and how soon the picture is complete. Run under Wine:
//   wine viewer_bench.exe [rounds]
#include "bench/bench_jpeg_picture.h"

#include "shellext/viewer/Display.h"
#include "shellext/module/Module.h"
#include "shellext/viewer/ViewerFrame.h"
#include "shellext/viewer/ViewerState.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

// Watches the answers of the view to the pacing thread's steps, as a shell's
// GetMessage loop runs them, and ends that loop once the picture is complete.
struct Watch {
  LARGE_INTEGER start;
  ViewerState* state = nullptr;
  double firstBand = -1;
  double complete = -1;
};
Watch watch;

LRESULT CALLBACK WatchSteps(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_USER && watch.state &&
      call->hwnd == watch.state->view->window) {
    ImageFile* file = watch.state->imageFile.get();
    // Each step paints its band before it answers.
    if (watch.firstBand < 0 && !file->GetDecodedRect().IsEmpty())
      watch.firstBand = Milliseconds(watch.start, Now());
    if (watch.complete < 0 && file->IsComplete() && !file->IsLoading()) {
      watch.complete = Milliseconds(watch.start, Now());
      PostQuitMessage(0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  ModuleInstance = GetModuleHandleA(nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchSteps, nullptr, GetCurrentThreadId());
  RegisterViewerClasses(ModuleInstance);

  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "viewer-bench.jpg";
  const std::vector<uint8_t>& jpeg = bench_jpeg::BaselineJpeg();
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return 1;
  std::fwrite(jpeg.data(), 1, jpeg.size(), out);
  std::fclose(out);

  std::vector<double> firstBand, complete, decodeAlone;
  for (int round = 0; round < rounds; ++round) {
    // The same decode one row at a time with no window, for comparison.
    {
      const LARGE_INTEGER start = Now();
      ImageFile alone(path.c_str());
      if (alone.BeginLoadForView(LoadOptions()) != CodecOk) return 1;
      while (!alone.IsComplete())
        if (alone.DecodeRows(1) != CodecOk) return 1;
      alone.EndLoad(false);
      decodeAlone.push_back(Milliseconds(start, Now()));
    }
    watch = Watch();
    watch.start = Now();
    if (!Display(path.c_str())) return 1;
    HWND frame = FindWindowA(kFrameClassName, path.c_str());
    watch.state = ViewerOf(frame);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    firstBand.push_back(watch.firstBand);
    complete.push_back(watch.complete);
    SendMessageA(frame, WM_CLOSE, 0, 0);
    std::printf("round %d: first band %.1f ms, complete %.1f ms, decode alone %.1f ms\n", round + 1,
                firstBand.back(), complete.back(), decodeAlone.back());
  }
  std::printf(
      "4000 x 3000 JPEG, %d rounds, medians: first band painted %.1f ms, complete %.1f ms; "
      "decoded a row at a time without a window %.1f ms\n",
      rounds, Median(firstBand), Median(complete), Median(decodeAlone));
  UnhookWindowsHookEx(hook);
  ReleaseViewerClasses();
  return 0;
}
