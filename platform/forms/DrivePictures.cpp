#include "DrivePictures.h"

#include "platform/forms/PointFont.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kSilver = RGB(192, 192, 192);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kOlive = RGB(128, 128, 0);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kNavy = RGB(0, 0, 128);

// A rectangle filled with `fill` and outlined with `line`, corners inclusive.
void Box(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF line) {
  BrushHandle brush(CreateSolidBrush(fill));
  PenHandle pen(CreatePen(PS_SOLID, 1, line));
  SelectGuard selectBrush(dc, brush.Get());
  SelectGuard selectPen(dc, pen.Get());
  Rectangle(dc, left, top, right + 1, bottom + 1);
}

void FilledPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF line) {
  BrushHandle brush(CreateSolidBrush(fill));
  PenHandle pen(CreatePen(PS_SOLID, 1, line));
  SelectGuard selectBrush(dc, brush.Get());
  SelectGuard selectPen(dc, pen.Get());
  ::Polygon(dc, points, count);
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  PenHandle pen(CreatePen(PS_SOLID, 1, colour));
  SelectGuard selectPen(dc, pen.Get());
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

}  // namespace

void DrawDrivePicture(HDC dc, int x, int y, UINT driveType) {
  switch (driveType) {
    case DRIVE_REMOVABLE:
      // A diskette with its shutter and label.
      Box(dc, x + 1, y + 1, x + 14, y + 14, kNavy, kBlack);
      Box(dc, x + 4, y + 1, x + 11, y + 5, kSilver, kBlack);
      Box(dc, x + 3, y + 8, x + 12, y + 14, kWhite, kBlack);
      break;
    case DRIVE_CDROM: {
      // A disc with its hole.
      BrushHandle brush(CreateSolidBrush(kSilver));
      PenHandle pen(CreatePen(PS_SOLID, 1, kGrey));
      SelectGuard selectBrush(dc, brush.Get());
      SelectGuard selectPen(dc, pen.Get());
      Ellipse(dc, x + 1, y + 1, x + 15, y + 15);
      Box(dc, x + 6, y + 6, x + 9, y + 9, kWhite, kGrey);
      break;
    }
    case DRIVE_REMOTE:
      // A drive under a cable.
      Box(dc, x + 1, y + 3, x + 14, y + 9, kSilver, kBlack);
      Line(dc, x + 11, y + 6, x + 13, y + 6, kGreen);
      Line(dc, x + 7, y + 10, x + 7, y + 13, kBlack);
      Line(dc, x + 1, y + 14, x + 14, y + 14, kBlack);
      break;
    default:
      // A hard disk: a box with its light.
      Box(dc, x + 1, y + 4, x + 14, y + 11, kSilver, kBlack);
      Line(dc, x + 2, y + 10, x + 13, y + 10, kGrey);
      Line(dc, x + 11, y + 8, x + 13, y + 8, kGreen);
      break;
  }
}

void DrawFolderPicture(HDC dc, int x, int y, bool open) {
  // The tab, then the body; an open folder shows its front flap tilted.
  Box(dc, x + 1, y + 3, x + 6, y + 5, kYellow, kOlive);
  Box(dc, x + 1, y + 5, x + 13, y + 13, kYellow, kOlive);
  if (open) {
    const POINT flap[] = {{x + 1, y + 13}, {x + 4, y + 8}, {x + 15, y + 8}, {x + 13, y + 13}};
    FilledPolygon(dc, flap, 4, kWhite, kOlive);
  }
}
