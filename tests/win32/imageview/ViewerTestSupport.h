// What the viewer tests share: the library's resources and classes in this
// program, pictures written by the tests, and ways to drive a viewer's
// message traffic one decode step at a time or freely.
#pragma once

#include "tests/win32/support/MessagePump.h"
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "codecs/ImageRect.h"

struct ViewerState;

// A picture file in the temporary folder, written top-down so that decoding
// runs from the top. The colour of pixel (x, y) is `colour(x, y)`.
using PictureColour = std::function<COLORREF(int x, int y)>;
std::string WriteTrueColourPicture(const char* name, int width, int height,
                                   const PictureColour& colour);
// 256 colours: pixel (x, y) takes palette entry `index(x, y)`.
std::string WritePalettePicture(const char* name, int width, int height,
                                const COLORREF (&palette)[256],
                                const std::function<int(int x, int y)>& index);
// Diagonal bands of colour, so that a screenshot shows where decoding stands.
COLORREF Bands(int x, int y);

// Opens a viewer through Display and returns its frame (null when none).
HWND OpenViewer(const std::string& path);
ViewerState* StateOf(HWND frame);

// Lets the pacing thread's WM_USER messages through, and nothing else, until
// `done`; false when that takes more than five seconds. A step sent while
// one is answered may be answered in the same turn.
bool ServeDecodeStepsUntil(const std::function<bool()>& done);
// Notes every decode step the view of `frame` answers, as it is answered:
// the answer, the rows decoded so far and the band repainted. `onStep`, when
// set, runs right after each step (the band is painted by then).
struct DecodeStepSeen {
  LRESULT answer;
  ImageRect decoded;
  ImageRect changed;
};
class DecodeStepRecorder {
 public:
  explicit DecodeStepRecorder(HWND frame);
  ~DecodeStepRecorder();
  DecodeStepRecorder(const DecodeStepRecorder&) = delete;
  DecodeStepRecorder& operator=(const DecodeStepRecorder&) = delete;

  std::vector<DecodeStepSeen> steps;
  std::function<void(const DecodeStepSeen&)> onStep;

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);
  HWND frame_;
  HHOOK hook_;
};

// Decodes to the end, pumping messages; false when it does not finish.
bool DecodeToEnd(HWND frame);
// The pacing thread of the viewer has ended (or never ran).
bool PacingThreadEnded(HWND frame);

// Closes the viewer with WM_CLOSE and waits until its window is gone.
bool CloseViewerWindow(HWND frame);

// Each test starts and ends with no viewer open and ModuleCount 0.
class ViewerTest : public ::testing::Test {
 protected:
  void TearDown() override;
};
