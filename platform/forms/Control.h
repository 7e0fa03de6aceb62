// The base of every component: a named window with bounds, alignment in its
// container, visibility, enabling and a hint. Components live as members of
// their form, which creates them at the positions the form gives.
#pragma once

#include "platform/forms/PointFont.h"

#include <windows.h>

#include <string>
#include <vector>

enum class TAlign { None, Top, Bottom, Client };

class TForm;

class TControl {
 public:
  explicit TControl(const char* name) : Name(name) {}
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string Name;
  std::string Hint;
  // Shows the short part of the hint as a tooltip.
  bool ShowHint = false;

  HWND Handle() const { return handle_; }
  TControl* Parent() const { return parent_; }
  TForm* ParentForm();

  // The component's own visibility, whatever its container shows.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  RECT BoundsRect() const;
  void SetBounds(int left, int top, int width, int height);
  // The hint, or the nearest container's when the component has none.
  std::string EffectiveHint() const;

  // Own font; without one a component takes its container's.
  void SetFont(const std::string& face, int points, unsigned style = fsNone);
  HFONT Font() const;

  // A message the container received about this component (WM_COMMAND,
  // WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR...); true when handled.
  virtual bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Window procedure of the toolkit's container windows (forms, panels).
  virtual LRESULT ContainerProc(UINT message, WPARAM wParam, LPARAM lParam);

  static TControl* FromWindow(HWND window);
  static TControl* FromWindowOrAncestor(HWND window);

  // Lays out the aligned children inside the client area (containers).
  void AlignChildren();
  const std::vector<TControl*>& Children() const { return children_; }
  // The windows that make up the component (a spin edit has two).
  const std::vector<HWND>& Windows() const { return attached_; }

 protected:
  // Creates the component's window as a child of `parent`.
  void CreateChild(TControl* parent, const char* className, DWORD style, DWORD exStyle,
                   const char* text, int left, int top, int width, int height);
  // Creates the window again with the same class, styles, bounds and
  // identifier (a list box changes its row height only so).
  void RecreateChild();
  // Makes `window` (the component's own or a part of it) find this component.
  void Attach(HWND window);
  void DestroyHandle();
  // The height an aligned component takes (the status bar decides its own).
  virtual int AlignedHeight() const;

  HWND handle_ = nullptr;
  TControl* parent_ = nullptr;
  bool visible_ = true;

 private:
  TAlign align_ = TAlign::None;
  FontHandle font_;
  int id_ = 0;
  std::string className_;
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  std::vector<TControl*> children_;
  std::vector<HWND> attached_;

  friend LRESULT CALLBACK ContainerWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend bool DispatchToChild(TControl*, UINT, WPARAM, LPARAM, LRESULT&);
};

// Dispatch shared by the toolkit's container windows (forms, panels):
// notifications go to the component of `container` they concern, every
// handler runs guarded. Returns true with `result` set when handled.
bool DispatchToChild(TControl* container, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& result);
// Window procedure for the toolkit's own container classes.
LRESULT CALLBACK ContainerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers a container class once, with the given name.
void RegisterContainerClass(const char* className, UINT style, HBRUSH background);
