// The modal seam with the system's message box, a dialog that opens another
// box, and a window made modal by RunModal.
#include "TestWindows.h"

#include "platform/forms/Modal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ModalSeam : public ::testing::Test {
 protected:
  void TearDown() override { SetModalAnswerer(nullptr); }
  OwnerWindow owner_;
};

TEST_F(ModalSeam, AnswersTheSystemMessageBox) {
  std::string title;
  SetModalAnswerer([&title](HWND box) {
    char text[64] = "";
    GetWindowTextA(box, text, sizeof text);
    title = text;
    SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(IDNO,
            ShowMessageBox(owner_.Handle(), "Question?", "System Box", MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ("System Box", title);
}

// A dialog with one button; pressing it asks a question in a system box and
// ends the dialog with that answer.
const int kAskButton = 300;

INT_PTR CALLBACK AskingDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    CreateWindowExA(0, "BUTTON", "Ask", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24,
                    dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAskButton)), nullptr,
                    nullptr);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == kAskButton) {
    EndDialog(dialog, ShowMessageBox(dialog, "Inner?", "Inner Box", MB_YESNO));
    return TRUE;
  }
  return FALSE;
}

TEST_F(ModalSeam, AnswersNestedWindowsInTurn) {
  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } dialogTemplate = {};
  dialogTemplate.dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  dialogTemplate.dialog.cx = 120;
  dialogTemplate.dialog.cy = 60;

  std::vector<std::string> answered;
  SetModalAnswerer([&answered](HWND window) {
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    answered.push_back(title);
    if (answered.size() == 1)
      SendMessageA(GetDlgItem(window, kAskButton), BM_CLICK, 0, 0);
    else
      SendMessageA(GetDlgItem(window, IDYES), BM_CLICK, 0, 0);
  });
  INT_PTR result = ShowModalDialog(GetModuleHandleA(nullptr), &dialogTemplate.dialog,
                                   owner_.Handle(), AskingDialog, 0);
  EXPECT_EQ(IDYES, result);
  ASSERT_EQ(2u, answered.size());
  EXPECT_EQ("", answered[0]);
  EXPECT_EQ("Inner Box", answered[1]);
}

// A plain window whose button ends its modal run with 42.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    EndModal(window, 42);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateForm(HWND owner) {
  static ATOM registered = [] {
    WNDCLASSA form = {};
    form.lpfnWndProc = FormProc;
    form.hInstance = GetModuleHandleA(nullptr);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = "Zel95TestForm";
    return RegisterClassA(&form);
  }();
  (void)registered;
  HWND form = CreateWindowExA(WS_EX_DLGMODALFRAME, "Zel95TestForm", "Modal Form",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 240, 120, owner,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 80, 40, 75, 25, form,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
  return form;
}

TEST_F(ModalSeam, RunsAFormModallyUntilItEnds) {
  HWND form = CreateForm(owner_.Handle());
  bool ownerEnabled = true, formVisible = false;
  SetModalAnswerer([&](HWND window) {
    EXPECT_EQ(form, window);
    ownerEnabled = IsWindowEnabled(owner_.Handle()) != FALSE;
    formVisible = IsWindowVisible(window) != FALSE;
    SaveScreenshot(window, "fontcommon-modal-form");
    PressButton(window, "OK");
  });
  EXPECT_EQ(42, RunModal(form));
  EXPECT_FALSE(ownerEnabled) << "the other windows stay enabled";
  EXPECT_TRUE(formVisible);
  EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
  EXPECT_TRUE(IsWindow(form));
  EXPECT_FALSE(IsWindowVisible(form));
  DestroyWindow(form);
}

TEST_F(ModalSeam, AFormDestroyedWhileModalEndsAsCancelled) {
  HWND form = CreateForm(owner_.Handle());
  SetModalAnswerer([](HWND window) { DestroyWindow(window); });
  EXPECT_EQ(IDCANCEL, RunModal(form));
  EXPECT_FALSE(IsWindow(form));
  EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
}

}  // namespace
