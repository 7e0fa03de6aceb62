#include "PictureRows.h"

#include "Canvas.h"

void DrawRowName(const DRAWITEMSTRUCT& draw, TCanvas& canvas, int left, const std::string& name) {
  SIZE extent{};
  GetTextExtentPoint32A(draw.hDC, name.c_str(), static_cast<int>(name.size()), &extent);
  RECT area = {left, draw.rcItem.top, left + 4 + extent.cx, draw.rcItem.bottom};
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  SetBkColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  canvas.TextRect(area, area.left + 2, area.top + 1, name);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &area);
}
