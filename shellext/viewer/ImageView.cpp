#include "ImageView.h"

#include <commctrl.h>

#include <algorithm>

#include "ViewClass.h"
#include "codecs/ImageFile.h"
#include "platform/gdi/Gdi.h"

namespace {

// A mouse message's client position; coordinates may be negative.
POINT MousePosition(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

ImageView::ImageView(HWND parentWindow) : parent(parentWindow) {
  backgroundBrush = CreateSolidBrush(RGB(0, 0, 0));
  RECT client = {};
  GetClientRect(parent, &client);
  CreateWindowExA(0, kViewClassName, "ImageView", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                  client.bottom, parent, nullptr,
                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), this);
}

ImageView::~ImageView() {
  if (window) {
    SetWindowLongPtrA(window, 0, 0);
    DestroyWindow(window);
  }
  if (imageFile) imageFile->Release();
  if (backgroundBrush) DeleteObject(backgroundBrush);
}

LRESULT ImageView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_USER:
      return DecodeStep(static_cast<int>(wParam));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        SetScrollLimits(LOWORD(lParam), HIWORD(lParam), 1);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_SETCURSOR:
      // The cursor is chosen on every mouse move.
      if (LOWORD(lParam) == HTCLIENT) return TRUE;
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(MousePosition(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(MousePosition(lParam));
      return 0;
    case WM_LBUTTONUP:
      dragging = false;
      ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      // A drag whose button-up went elsewhere is over.
      dragging = false;
      return 0;
    case WM_LBUTTONDBLCLK:
      NotifyParent(NM_DBLCLK);
      break;
    case WM_RBUTTONDOWN:
      NotifyParent(NM_RCLICK);
      break;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void ImageView::NotifyParent(UINT code) const {
  NMHDR header = {};
  header.hwndFrom = window;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  header.code = code;
  SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void ImageView::Attach(ImageFile* file, bool releaseOld) {
  if (file == imageFile) return;
  ImageFile* old = imageFile;
  imageFile = file;
  InvalidateRect(window, nullptr, TRUE);
  maxScrollX = maxScrollY = scrollX = scrollY = 0;
  if (file && (file->IsLoading() || file->IsComplete())) {
    ShowCursorOverView(viewCursors.arrowWait);
    SetScrollLimitsFromClient(2);
  }
  if (old) {
    if (old->GetPalette()) {
      WindowDC dc(window);
      SelectPalette(dc.Get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
      RealizePalette(dc.Get());
      realizedPalette = nullptr;
    }
    if (releaseOld) old->Release();
  }
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
  UpdateWindow(window);
}

void ImageView::Layout() {
  if (!imageFile || imageFile->GetWidth() < 0) {
    MoveWindow(window, 0, 0, 0, 0, TRUE);
    return;
  }
  RECT client = {};
  GetClientRect(parent, &client);
  const int frameWidth = client.right + 1;
  const int frameHeight = client.bottom + 1;
  const int w = imageFile->GetWidth();
  const int h = imageFile->GetHeight();
  const int viewWidth = std::min(w, frameWidth);
  const int viewHeight = std::min(h, frameHeight);
  MoveWindow(window, std::max(0, (frameWidth - w) / 2), std::max(0, (frameHeight - h) / 2),
             viewWidth, viewHeight, TRUE);
  SetScrollLimits(viewWidth, viewHeight, 1);
}

void ImageView::SetScrollLimits(int viewWidth, int viewHeight, int margin) {
  const int w = imageFile ? imageFile->GetWidth() : 0;
  const int h = imageFile ? imageFile->GetHeight() : 0;
  maxScrollX = std::max(0, w - viewWidth - margin);
  maxScrollY = std::max(0, h - viewHeight - margin);
  scrollX = std::clamp(scrollX, 0, maxScrollX);
  scrollY = std::clamp(scrollY, 0, maxScrollY);
}

void ImageView::SetScrollLimitsFromClient(int margin) {
  RECT client = {};
  GetClientRect(window, &client);
  SetScrollLimits(client.right, client.bottom, margin);
}

void ImageView::ScrollBy(int dx, int dy) {
  const int x = std::clamp(scrollX + dx, 0, maxScrollX);
  const int y = std::clamp(scrollY + dy, 0, maxScrollY);
  if (x == scrollX && y == scrollY) return;
  ScrollWindow(window, scrollX - x, scrollY - y, nullptr, nullptr);
  scrollX = x;
  scrollY = y;
  UpdateWindow(window);
}

bool ImageView::Decoding() const { return imageFile && !imageFile->IsComplete(); }

bool ImageView::MouseOverView() const {
  POINT cursor = {};
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor) == window;
}

void ImageView::ShowCursorOverView(HCURSOR cursor) const {
  if (MouseOverView()) SetCursor(cursor);
}

void ImageView::ShowRestingCursor() const {
  ShowCursorOverView(CanScroll() ? viewCursors.hand : viewCursors.arrow);
}

void ImageView::OnMouseMove(POINT at) {
  HCURSOR cursor = Decoding() ? viewCursors.arrowWait : viewCursors.arrow;
  if (CanScroll()) {
    if (dragging) {
      ScrollBy(lastMouse.x - at.x, lastMouse.y - at.y);
      lastMouse = at;
      cursor = viewCursors.handClosed;
    } else if (!Decoding()) {
      cursor = viewCursors.hand;
    }
  }
  ShowCursorOverView(cursor);
}

void ImageView::OnLeftButtonDown(POINT at) {
  if (!CanScroll()) return;
  dragging = true;
  lastMouse = at;
  SetCapture(window);
  SetCursor(viewCursors.handClosed);
}
