// The child window that shows one picture at one screen pixel per picture
// pixel: it decodes the picture a band at a time when asked (WM_USER), paints
// what is decoded, and lets a larger picture be dragged with the mouse.
#pragma once
#include <windows.h>

#include "codecs/CodecError.h"
#include "codecs/ImageRect.h"

class ImageFile;

// Posted to the parent when the picture cannot be shown at all (its decoding
// could not begin, or failed before any row), so that the user is told.
constexpr UINT kViewCannotShow = WM_APP + 1;

class ImageView {
 public:
  explicit ImageView(HWND parent);
  virtual ~ImageView();
  ImageView(const ImageView&) = delete;
  ImageView& operator=(const ImageView&) = delete;

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Paint();

  // Shows `file` (null: nothing) from its top left corner; the old file's
  // bitmaps are released when `releaseOld`.
  void Attach(ImageFile* file, bool releaseOld);
  // Centres the view in its parent, as large as the picture and the parent allow.
  void Layout();
  void SetReductionMode(int mode) { reductionMode = mode; }

  int maxScrollX = 0;
  int maxScrollY = 0;
  int scrollX = 0;
  int scrollY = 0;
  ImageFile* imageFile = nullptr;
  HPALETTE realizedPalette = nullptr;
  bool dragging = false;
  POINT lastMouse = {0, 0};
  HWND parent = nullptr;
  HWND window = nullptr;
  HBRUSH backgroundBrush = nullptr;
  int maxWidth = 0;  // decode limits; 0: none
  int maxHeight = 0;
  int reductionMode = 1;
  bool fixedPalette = false;
  ImageRect changedRect;

 private:
  LRESULT DecodeStep(int rowCount);
  CodecError DecodeBatches(int rowCount, bool* changed);
  void PaintPictureRect(const ImageRect& picture);
  // The scroll limits for a view of the given client size; `margin` is 1
  // after a layout and 2 when a picture is attached or begins decoding.
  void SetScrollLimits(int viewWidth, int viewHeight, int margin);
  void SetScrollLimitsFromClient(int margin);
  void ScrollBy(int dx, int dy);
  bool Decoding() const;
  bool CanScroll() const { return maxScrollX != 0 || maxScrollY != 0; }
  bool MouseOverView() const;
  void ShowCursorOverView(HCURSOR cursor) const;
  void ShowRestingCursor() const;
  void NotifyParent(UINT code) const;
  void OnMouseMove(POINT at);
  void OnLeftButtonDown(POINT at);
};
