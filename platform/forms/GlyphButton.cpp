#include "GlyphButton.h"

void TGlyphButton::Create(TControl *parent, int glyph, int left, int top, int width, int height)
{
    glyph_.Reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(glyph),
                                                 IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
    CreateChild(parent, "BUTTON", BS_PUSHBUTTON | BS_BITMAP, 0, "", left, top, width, height);
    SendMessageA(handle_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_.Get()));
}

void TGlyphButton::Click()
{
    if (OnClick)
        OnClick();
}

bool TGlyphButton::Notify(UINT message, WPARAM wParam, LPARAM, LRESULT &result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return false;
}
