#include "Bevel.h"

void TBevel::Create(TControl* parent, TBevelShape shape, int left, int top, int width, int height) {
  const DWORD style = shape == TBevelShape::VerticalLine ? SS_ETCHEDVERT : SS_ETCHEDHORZ;
  CreateChild(parent, "STATIC", style, 0, "", left, top, width, height);
}
