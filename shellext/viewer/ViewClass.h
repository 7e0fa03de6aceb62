// The view window class "ImageViewWClass" and the cursors every view shares.
#pragma once
#include <windows.h>

struct ViewCursors {
  HCURSOR hand = nullptr;        // "HandCursor": the picture can be dragged
  HCURSOR handClosed = nullptr;  // "HandClosedCursor": it is being dragged
  HCURSOR arrow = nullptr;
  HCURSOR arrowWait = nullptr;  // decoding is under way
};
extern ViewCursors viewCursors;

extern const char kViewClassName[];

// The first use registers the class and loads the cursors; later uses only
// count. The last release unregisters the class and destroys the hand cursors.
void UseViewClass(HINSTANCE instance);
void ReleaseViewClass();
