// The items a readable picture adds to the shell's context menu.
#include "ContextMenuExtension.h"

#include "DescribeImage.h"
#include "MenuCommands.h"
#include "Thumbnail.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"

#include <algorithm>
#include <vector>

namespace {

const char* ConversionText(UINT command) { return command == CmdConvertToBmp ? "&BMP" : "&JPEG"; }

HRESULT UsedIds(UINT count) { return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, count); }

}  // namespace

HRESULT STDMETHODCALLTYPE ContextMenuExtension::QueryContextMenu(HMENU menu, UINT index,
                                                                 UINT firstId, UINT lastId,
                                                                 UINT flags) {
  if (flags & CMF_DEFAULTONLY) return UsedIds(0);
  // Not even the thumbnail's id is ours.
  if (lastId < firstId) return UsedIds(0);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  UINT used = 1;
  try {
    if (image_ && image_->GetFormat() != FormatUnknown) {
      auto thumbnail = std::make_unique<ImageFile>(image_->GetPath());
      const ThumbnailOutcome outcome = LoadThumbnail(*thumbnail);
      // Too slow to wait for: the menu goes without the thumbnail.
      HBITMAP shown = nullptr;
      if (outcome == ThumbnailOutcome::Loaded) {
        thumbnails_.push_back(std::move(thumbnail));
        shown = thumbnails_.back()->GetDisplayBitmap();
      }
      if (outcome != ThumbnailOutcome::Unreadable)
        used = InsertImageItems(menu, index, firstId, lastId, shown);
    }
  } catch (...) {
    // Nothing may leave through the shell's call; the menu stays as it was.
  }
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return UsedIds(used);
}

UINT ContextMenuExtension::InsertImageItems(HMENU menu, UINT index, UINT firstId, UINT lastId,
                                            HBITMAP thumbnail) {
  const int format = image_->GetFormat();
  char description[kDescriptionSize];
  DescribeImage(description, "", format, image_->GetSourceWidth(), image_->GetSourceHeight(),
                image_->GetSourceBitsPerPixel(), false);

  // The ids past lastId belong to other handlers.
  const auto fits = [&](UINT command) { return command <= lastId - firstId; };
  UINT used = CmdDisplay + 1;

  UINT position = index;
  InsertMenuA(menu, position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  if (thumbnail)
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_BITMAP, firstId + CmdDisplay,
                reinterpret_cast<LPCSTR>(thumbnail));
  InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING | MF_DISABLED, 0, description);
  const PictureItems pictureItems = InsertPictureItems(menu, position, firstId + CmdPrint, lastId);
  position += pictureItems.inserted;
  wallpaperMenu_ = pictureItems.wallpaperMenu;
  if (pictureItems.commands > 0) used = CmdPrint + pictureItems.commands;

  // With nothing to convert to, the popup stays, empty; with none of its
  // commands fitting, it is left out.
  std::vector<UINT> conversions;
  if (format != FormatBmp) conversions.push_back(CmdConvertToBmp);
  // A two-colour picture is no JPEG material.
  if (format != FormatJpg && image_->GetSourceBitsPerPixel() > 1)
    conversions.push_back(CmdConvertToJpeg);
  convertMenu_ = CreatePopupMenu();
  for (UINT command : conversions) {
    if (!fits(command)) continue;
    AppendMenuA(convertMenu_, MF_STRING, firstId + command, ConversionText(command));
    used = std::max(used, command + 1);
  }
  if (!conversions.empty() && GetMenuItemCount(convertMenu_) == 0) {
    DestroyMenu(convertMenu_);
    convertMenu_ = nullptr;
  }
  if (convertMenu_)
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(convertMenu_), "&Convert to...");
  InsertMenuA(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  return used;
}
