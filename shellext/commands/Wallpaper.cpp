#include "Commands.h"

#include "ProgressDialog.h"
#include "WallpaperBitmap.h"
#include "platform/forms/Modal.h"

#include <string>

namespace {

// Tiled or centred, for the wallpaper Windows is about to load; removal
// leaves it centred.
void StoreTiling(BOOL tiled) {
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\desktop", &key) != ERROR_SUCCESS) return;
  RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(tiled ? "1" : "0"),
                 2);
  RegCloseKey(key);
}

}  // namespace

BOOL SetWallpaper(HINSTANCE instance, HWND owner, const char* caption, const char* path,
                  BOOL tiled) {
  std::string wallpaper = "(none)";
  ProgressDialog progress(instance, owner, nullptr);
  if (path) {
    wallpaper = WallpaperPath(caption);
    switch (WriteWallpaperBitmap(progress, path, wallpaper)) {
      case WallpaperOutcome::Written:
        break;
      case WallpaperOutcome::Cancelled:
        return FALSE;
      case WallpaperOutcome::Unreadable:
        ShowMessageBox(owner, "Could not read image.", caption, MB_OK);
        return FALSE;
      case WallpaperOutcome::Unwritable:
        ShowMessageBox(owner, "Could not write bitmap.", caption, MB_OK);
        return FALSE;
    }
  }

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  progress.EnableCancel(false);
  progress.SetText("Setting Wallpaper");
  progress.SetProgress(0);
  StoreTiling(path && tiled);
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaper.c_str()),
                        SPIF_UPDATEINIFILE);
  progress.SetProgress(10000);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  progress.EnableCancel(true);
  return TRUE;
}
