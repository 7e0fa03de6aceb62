#include "Image.h"

void TImage::Create(TControl* parent, int bitmap, int left, int top, bool visible) {
  bitmap_.Reset(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0, 0)));
  const SIZE size = PictureSize();
  visible_ = visible;
  CreateChild(parent, "STATIC", SS_BITMAP, 0, "", left, top, size.cx, size.cy);
  SendMessageA(handle_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_.Get()));
}

SIZE TImage::PictureSize() const {
  BITMAP info{};
  if (bitmap_) GetObjectA(bitmap_.Get(), sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

void TImage::ShowPicture(const TImage& source) {
  SendMessageA(handle_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(source.Picture()));
}
