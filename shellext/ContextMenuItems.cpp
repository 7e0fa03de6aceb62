// The items a readable picture adds to the shell's context menu.
#include "ContextMenuExtension.h"

#include "DescribeImage.h"
#include "MenuCommands.h"
#include "Thumbnail.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "shellext/commands/CommandCaptions.h"

#include <algorithm>
#include <vector>

namespace {

const char* const kCommandTexts[MenuCommandCount] = {
    nullptr, kPrintCaption, kWallpaperCaptions[0], kWallpaperCaptions[1], kWallpaperCaptions[2],
    "&BMP",  "&JPEG"};

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
  // A popup whose commands all fall past lastId is left out.
  const auto makePopup = [&](const std::vector<UINT>& commands) -> HMENU {
    HMENU popup = CreatePopupMenu();
    for (UINT command : commands) {
      if (!fits(command)) continue;
      AppendMenuA(popup, MF_STRING, firstId + command, kCommandTexts[command]);
      used = std::max(used, command + 1);
    }
    if (commands.empty() || GetMenuItemCount(popup) > 0) return popup;
    DestroyMenu(popup);
    return nullptr;
  };

  wallpaperMenu_ = makePopup({CmdWallpaperTiled, CmdWallpaperCentered, CmdWallpaperRemove});
  // With nothing to convert to, the popup stays, empty.
  std::vector<UINT> conversions;
  if (format != FormatBmp) conversions.push_back(CmdConvertToBmp);
  // A two-colour picture is no JPEG material.
  if (format != FormatJpg && image_->GetSourceBitsPerPixel() > 1)
    conversions.push_back(CmdConvertToJpeg);
  convertMenu_ = makePopup(conversions);

  UINT position = index;
  InsertMenuA(menu, position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  if (thumbnail)
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_BITMAP, firstId + CmdDisplay,
                reinterpret_cast<LPCSTR>(thumbnail));
  InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING | MF_DISABLED, 0, description);
  if (fits(CmdPrint)) {
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING, firstId + CmdPrint,
                kCommandTexts[CmdPrint]);
    used = std::max<UINT>(used, CmdPrint + 1);
  }
  if (wallpaperMenu_)
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(wallpaperMenu_), kWallpaperMenuCaption);
  if (convertMenu_)
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(convertMenu_), "&Convert to...");
  InsertMenuA(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  return used;
}
