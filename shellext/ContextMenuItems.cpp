// The items a readable picture adds to the shell's context menu.
#include "ContextMenuExtension.h"

#include "DescribeImage.h"
#include "MenuCommands.h"
#include "Thumbnail.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"

HRESULT STDMETHODCALLTYPE ContextMenuExtension::QueryContextMenu(HMENU menu, UINT index,
                                                                 UINT firstId, UINT, UINT flags) {
  if (flags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  UINT used = 1;
  try {
    if (image_ && image_->GetFormat() != FormatUnknown && LoadThumbnail(*image_))
      used = InsertImageItems(menu, index, firstId);
  } catch (...) {
    // Nothing may leave through the shell's call; the menu stays as it was.
  }
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, used);
}

UINT ContextMenuExtension::InsertImageItems(HMENU menu, UINT index, UINT firstId) {
  const int format = image_->GetFormat();
  char description[kDescriptionSize];
  DescribeImage(description, "", format, image_->GetSourceWidth(), image_->GetSourceHeight(),
                image_->GetSourceBitsPerPixel(), false);

  wallpaperMenu_ = CreatePopupMenu();
  AppendMenuA(wallpaperMenu_, MF_STRING, firstId + CmdWallpaperTiled, "&Tiled");
  AppendMenuA(wallpaperMenu_, MF_STRING, firstId + CmdWallpaperCentered, "&Centered");
  AppendMenuA(wallpaperMenu_, MF_STRING, firstId + CmdWallpaperRemove, "&Remove");

  UINT used = CmdWallpaperRemove + 1;
  convertMenu_ = CreatePopupMenu();
  if (format != FormatBmp) {
    AppendMenuA(convertMenu_, MF_STRING, firstId + CmdConvertToBmp, "&BMP");
    used = CmdConvertToBmp + 1;
  }
  // A two-colour picture is no JPEG material.
  if (format != FormatJpg && image_->GetSourceBitsPerPixel() > 1) {
    AppendMenuA(convertMenu_, MF_STRING, firstId + CmdConvertToJpeg, "&JPEG");
    used = CmdConvertToJpeg + 1;
  }

  const auto thumbnail = reinterpret_cast<LPCSTR>(image_->GetDisplayBitmap());
  InsertMenuA(menu, index, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  InsertMenuA(menu, index + 1, MF_BYPOSITION | MF_BITMAP, firstId + CmdDisplay, thumbnail);
  InsertMenuA(menu, index + 2, MF_BYPOSITION | MF_STRING | MF_DISABLED, 0, description);
  InsertMenuA(menu, index + 3, MF_BYPOSITION | MF_STRING, firstId + CmdPrint, "&Print...");
  InsertMenuA(menu, index + 4, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(wallpaperMenu_),
              "&Wallpaper");
  InsertMenuA(menu, index + 5, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(convertMenu_),
              "&Convert to...");
  InsertMenuA(menu, index + 6, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  return used;
}
