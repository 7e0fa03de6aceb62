#include "ViewerTestSupport.h"

#include <cstdio>

#include "shellext/viewer/Display.h"
#include "shellext/module/Module.h"
#include "shellext/viewer/ViewerFrame.h"
#include "shellext/viewer/ViewerState.h"

namespace {

// The library's start, as its entry does it, with this program as the module.
class ViewerModule : public ::testing::Environment {
 public:
  void SetUp() override {
    ModuleInstance = GetModuleHandleA(nullptr);
    RegisterViewerClasses(ModuleInstance);
    ProgramIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(2000));
    SecondIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(2001));
    srand(GetTickCount());
  }
  void TearDown() override { ReleaseViewerClasses(); }
};
const auto* const kViewerModule = ::testing::AddGlobalTestEnvironment(new ViewerModule);

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

void Put16(std::vector<uint8_t>& out, unsigned value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A BMP file of `bits` (8 or 24) bits per pixel, top-down (negative height).
std::string WriteBmp(const char* name, int width, int height, int bits,
                     const std::vector<uint8_t>& colourTable,
                     const std::function<void(int y, uint8_t* row)>& fillRow) {
  const int stride = ((width * bits + 31) / 32) * 4;
  const uint32_t offset = 14 + 40 + static_cast<uint32_t>(colourTable.size());
  std::vector<uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  Put32(file, offset + static_cast<uint32_t>(stride * height));
  Put32(file, 0);
  Put32(file, offset);
  Put32(file, 40);
  Put32(file, static_cast<uint32_t>(width));
  Put32(file, static_cast<uint32_t>(-height));
  Put16(file, 1);
  Put16(file, static_cast<unsigned>(bits));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(stride * height));
  Put32(file, 2835);
  Put32(file, 2835);
  Put32(file, static_cast<uint32_t>(colourTable.size() / 4));
  Put32(file, 0);
  file.insert(file.end(), colourTable.begin(), colourTable.end());
  std::vector<uint8_t> row(static_cast<size_t>(stride));
  for (int y = 0; y < height; ++y) {
    std::fill(row.begin(), row.end(), 0);
    fillRow(y, row.data());
    file.insert(file.end(), row.begin(), row.end());
  }
  const std::string path = TempPath(name);
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return "";
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  return path;
}

struct FrameSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchFrame(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<FrameSearch*>(param);
  char className[32] = "", text[MAX_PATH] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, text, sizeof text);
  if (std::string(className) != kFrameClassName ||
      (search->title && std::string(text) != search->title))
    return TRUE;
  search->found = window;
  return FALSE;
}

// A viewer frame of this thread, with the title `title` (any when null).
// Windows of other programs on the same desktop are left alone.
HWND FindViewerFrame(const char* title) {
  FrameSearch search = {title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::string WriteTrueColourPicture(const char* name, int width, int height,
                                   const PictureColour& colour) {
  return WriteBmp(name, width, height, 24, {}, [&](int y, uint8_t* row) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  });
}

std::string WritePalettePicture(const char* name, int width, int height,
                                const COLORREF (&palette)[256],
                                const std::function<int(int x, int y)>& index) {
  std::vector<uint8_t> table;
  for (COLORREF c : palette) {
    table.push_back(GetBValue(c));
    table.push_back(GetGValue(c));
    table.push_back(GetRValue(c));
    table.push_back(0);
  }
  return WriteBmp(name, width, height, 8, table, [&](int y, uint8_t* row) {
    for (int x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(index(x, y));
  });
}

COLORREF Bands(int x, int y) {
  const int band = (x + y) / 40 % 4;
  const COLORREF colours[4] = {RGB(230, 40, 40), RGB(40, 200, 60), RGB(40, 80, 230),
                               RGB(250, 220, 60)};
  return colours[band];
}

HWND OpenViewer(const std::string& path) {
  if (!Display(path.c_str())) return nullptr;
  return FindViewerFrame(path.c_str());
}

ViewerState* StateOf(HWND frame) { return ViewerOf(frame); }

namespace {
DecodeStepRecorder* recorder;
}

DecodeStepRecorder::DecodeStepRecorder(HWND frame) : frame_(frame) {
  recorder = this;
  hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, Watch, nullptr, GetCurrentThreadId());
}

DecodeStepRecorder::~DecodeStepRecorder() {
  UnhookWindowsHookEx(hook_);
  recorder = nullptr;
}

LRESULT CALLBACK DecodeStepRecorder::Watch(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  ViewerState* state = recorder ? StateOf(recorder->frame_) : nullptr;
  if (code == HC_ACTION && call->message == WM_USER && state && call->hwnd == state->view->window) {
    const DecodeStepSeen seen = {call->lResult, state->imageFile->GetDecodedRect(),
                                 state->view->changedRect};
    recorder->steps.push_back(seen);
    if (recorder->onStep) recorder->onStep(seen);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool ServeDecodeStepsUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 5000) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return true;
}

bool PacingThreadEnded(HWND frame) {
  ViewerState* state = StateOf(frame);
  return !state || !state->pacingThread ||
         WaitForSingleObject(state->pacingThread, 0) == WAIT_OBJECT_0;
}

bool DecodeToEnd(HWND frame) {
  return PumpUntil([&] {
    ViewerState* state = StateOf(frame);
    return state && state->imageFile->IsComplete() && !state->imageFile->IsLoading() &&
           PacingThreadEnded(frame);
  });
}

bool CloseViewerWindow(HWND frame) {
  SendMessageA(frame, WM_CLOSE, 0, 0);
  return PumpUntil([&] { return !IsWindow(frame); });
}

void ViewerTest::TearDown() {
  HWND frame;
  while ((frame = FindViewerFrame(nullptr)) != nullptr)
    if (!CloseViewerWindow(frame)) break;
  EXPECT_EQ(ModuleCount, 0);
}
