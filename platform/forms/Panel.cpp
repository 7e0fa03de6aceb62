#include "Panel.h"

#include "platform/forms/PointFont.h"

void TPanel::Create(TControl* parent, int left, int top, int width, int height) {
  RegisterContainerClass("TPanel", 0, GetSysColorBrush(COLOR_BTNFACE));
  CreateChild(parent, "TPanel", WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, "", left, top, width, height);
}

LRESULT TPanel::ContainerProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintDC dc(handle_);
    RECT client;
    GetClientRect(handle_, &client);
    DrawEdge(dc.Get(), &client, BDR_RAISEDINNER, BF_RECT);
    return 0;
  }
  return TControl::ContainerProc(message, wParam, lParam);
}
