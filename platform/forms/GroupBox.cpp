#include "GroupBox.h"

void TGroupBox::Create(TControl *parent, const char *caption, int left, int top, int width, int height)
{
    CreateChild(parent, "BUTTON", BS_GROUPBOX, 0, caption, left, top, width, height);
}
