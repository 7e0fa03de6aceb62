// An owner-drawn, sorted list box with fixed row height and multiple
// selection (Shift and Ctrl). Each row has a text and an object pointer that
// the list does not own.
#pragma once

#include "Canvas.h"
#include "Control.h"

#include <functional>
#include <string>

enum TOwnerDrawState : unsigned { odSelected = 1, odFocused = 2 };

class TListBox : public TControl {
 public:
  using TControl::TControl;

  void Create(TControl* parent, int left, int top, int width, int height, int itemHeight);

  int Count() const;
  // Adds a row at its sorted place; returns its index.
  int AddItem(const std::string& text, void* object);
  std::string Text(int index) const;
  void* Object(int index) const;
  void Delete(int index);
  void Clear();

  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  // The current row (the one with the focus rectangle), -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);

  int ItemHeight() const;
  // Ignores a height of 0 or less and the current height; any other height
  // creates the list's window again (the only way to rows taller than 255
  // pixels), keeping rows, selection, current and top row.
  void SetItemHeight(int height);
  // Switches the drawing of the list off and on (WM_SETREDRAW).
  void SetRedraw(bool redraw);

  // Draws row `index` in `rect`; the canvas colours are already those of a
  // selected or normal row.
  std::function<void(TCanvas& canvas, int index, const RECT& rect, unsigned state)> OnDrawItem;
  // The selection changed by mouse or keyboard.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& draw);

  int itemHeight_ = 16;
};
