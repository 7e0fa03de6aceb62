#include "ListBox.h"

#include <vector>

void TListBox::Create(TControl* parent, int left, int top, int width, int height, int itemHeight) {
  itemHeight_ = itemHeight;
  CreateChild(parent, "LISTBOX",
              WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_SORT | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE, "", left, top, width, height);
}

int TListBox::Count() const { return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0)); }

int TListBox::AddItem(const std::string& text, void* object) {
  const int index = static_cast<int>(
      SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0) SendMessageA(handle_, LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(object));
  return index;
}

std::string TListBox::Text(int index) const {
  const LRESULT length = SendMessageA(handle_, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::string();
  std::vector<char> text(length + 1);
  SendMessageA(handle_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

void* TListBox::Object(int index) const {
  const LRESULT data = SendMessageA(handle_, LB_GETITEMDATA, index, 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

void TListBox::Delete(int index) { SendMessageA(handle_, LB_DELETESTRING, index, 0); }

void TListBox::Clear() { SendMessageA(handle_, LB_RESETCONTENT, 0, 0); }

bool TListBox::Selected(int index) const { return SendMessageA(handle_, LB_GETSEL, index, 0) > 0; }

void TListBox::SetSelected(int index, bool selected) {
  SendMessageA(handle_, LB_SETSEL, selected, index);
}

int TListBox::ItemIndex() const {
  if (Count() == 0) return -1;
  return static_cast<int>(SendMessageA(handle_, LB_GETCARETINDEX, 0, 0));
}

void TListBox::SetItemIndex(int index) { SendMessageA(handle_, LB_SETCARETINDEX, index, FALSE); }

int TListBox::ItemHeight() const {
  return static_cast<int>(SendMessageA(handle_, LB_GETITEMHEIGHT, 0, 0));
}

void TListBox::SetItemHeight(int height) {
  if (height <= 0 || height == ItemHeight()) return;
  struct Row {
    std::string text;
    void* object;
    bool selected;
  };
  std::vector<Row> rows;
  for (int i = 0; i < Count(); ++i) rows.push_back(Row{Text(i), Object(i), Selected(i)});
  const int current = ItemIndex();
  const int top = static_cast<int>(SendMessageA(handle_, LB_GETTOPINDEX, 0, 0));

  // The new window asks for its row height with WM_MEASUREITEM.
  itemHeight_ = height;
  RecreateChild();
  // Drawn once when every row is back, not once a row: each addition to a
  // window that draws updates its scroll bar.
  SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
  for (const Row& row : rows) {
    const int index = AddItem(row.text, row.object);
    if (row.selected) SetSelected(index, true);
  }
  if (current >= 0) SetItemIndex(current);
  SendMessageA(handle_, LB_SETTOPINDEX, top, 0);
  SetRedraw(true);
}

void TListBox::SetRedraw(bool redraw) {
  SendMessageA(handle_, WM_SETREDRAW, redraw, 0);
  if (redraw) InvalidateRect(handle_, nullptr, TRUE);
}

void TListBox::DrawItem(const DRAWITEMSTRUCT& draw) {
  TCanvas canvas(draw.hDC);
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  SetBkColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  if (static_cast<int>(draw.itemID) >= 0 && OnDrawItem) {
    const unsigned state = (selected ? unsigned(odSelected) : 0u) |
                           ((draw.itemState & ODS_FOCUS) ? unsigned(odFocused) : 0u);
    OnDrawItem(canvas, static_cast<int>(draw.itemID), draw.rcItem, state);
  } else {
    canvas.FillRect(draw.rcItem, GetSysColor(COLOR_WINDOW));
  }
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
}

bool TListBox::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = itemHeight_;
    result = TRUE;
    return true;
  }
  if (message == WM_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  }
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) == LBN_SELCHANGE && OnClick)
      OnClick();
    else if (HIWORD(wParam) == LBN_DBLCLK && OnDblClick)
      OnDblClick();
    result = 0;
    return true;
  }
  return false;
}
