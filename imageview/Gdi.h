// Device contexts, selections and regions that undo themselves.
#pragma once
#include <windows.h>

class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  operator HDC() const { return dc_; }
  const RECT& UpdateRect() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

class MemoryDC {
 public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A palette selected as the foreground palette and realised.
class RealizedPalette {
 public:
  RealizedPalette(HDC dc, HPALETTE palette) : dc_(dc), old_(nullptr) {
    if (!palette) return;
    old_ = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
  }
  ~RealizedPalette() {
    if (old_) SelectPalette(dc_, old_, TRUE);
  }
  RealizedPalette(const RealizedPalette&) = delete;
  RealizedPalette& operator=(const RealizedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};

class Region {
 public:
  explicit Region(const RECT& rect) : region_(CreateRectRgnIndirect(&rect)) {}
  ~Region() {
    if (region_) DeleteObject(region_);
  }
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;
  operator HRGN() const { return region_; }

 private:
  HRGN region_;
};
