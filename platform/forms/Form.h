// A form: a top-level window holding named components, with its main menu,
// tooltips, key preview, default and cancel buttons, and modal showing through
// the program's one modal seam.
#pragma once

#include "Control.h"

#include <windows.h>

#include <functional>
#include <string>

class TButton;
class TMainMenu;

// Modal results are the button results of the system (IDOK 1, IDYES 6 ...);
// 0 means the form is still open.
constexpr int mrNone = 0;
constexpr int mrCancel = IDCANCEL;

enum class TBorderStyle {
  Sizeable,        // main window: caption, system menu, border buttons, resizable
  Dialog,          // dialog frame with the system menu only
  DialogNoSysMenu  // dialog frame without system menu or border buttons
};

struct TFormDefinition {
  const char* windowClass;  // system window class name, unique to the form
  const char* caption;
  TBorderStyle border;
  int width, height;  // pixels at 96 dots per inch
  bool clientSize;    // width and height are the client area's
};

class TForm : public TControl {
 public:
  TForm(const char* name, const TFormDefinition& definition);
  ~TForm() override;

  // Creates the (hidden) window, centred on the screen, owned by `owner`.
  // Components are created afterwards, as children of this form.
  void CreateForm(TForm* owner);

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  bool KeyPreview = false;
  // Key events the form sees before its controls when KeyPreview is on;
  // setting the key to 0 keeps it from the control.
  std::function<void(WORD& key)> OnKeyDown;
  std::function<void(WORD& key)> OnKeyUp;
  std::function<void()> OnDestroy;
  std::function<void()> OnClose;

  // The menu is attached when the form shows; its shortcuts work from any control.
  void SetMenu(TMainMenu* menu);
  TMainMenu* Menu() const { return menu_; }

  // Gets the focus when the form is activated for the first time.
  TControl* ActiveControl = nullptr;
  TButton* DefaultButton = nullptr;
  TButton* CancelButton = nullptr;

  // Adds tooltips for every component with ShowHint and a short hint.
  void RegisterTooltips();

  void Show();
  // Shows the window and paints it at once.
  void ShowAndPaint();
  void Hide();
  void Close();
  // Shows the form modally until a button with a modal result is pressed
  // or the form is closed (cancel); returns the modal result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);

  static TForm* FromWindow(HWND window);
  // Handles menu shortcuts and key preview for a key message of this form.
  bool PreviewKey(UINT message, WORD key);

 protected:
  LRESULT ContainerProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Messages of the derived form's own; true when handled.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Derived forms call this first in their destructor, so that OnDestroy
  // runs while their components are still there.
  void DestroyForm();

 private:
  void AddTooltips(TControl* control);

  TFormDefinition definition_;
  TMainMenu* menu_ = nullptr;
  HWND tooltip_ = nullptr;
  bool modal_ = false;
  int modalResult_ = mrNone;
  HWND lastFocus_ = nullptr;
};
