#include "Commands.h"

#include "DesktopWallpaper.h"
#include "ProgressDialog.h"
#include "ReplacementFile.h"
#include "WallpaperBitmap.h"
#include "platform/forms/Modal.h"

#include <memory>
#include <string>

namespace {

const char kDesktopKey[] = "Control Panel\\desktop";
const char kTilingName[] = "TileWallpaper";

BOOL SetDesktopWallpaperNow(const char* name) {
  return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(name),
                               SPIF_UPDATEINIFILE);
}

// The desktop's "TileWallpaper" value as it stands: its type and bytes, or
// none at all.
struct TilingValue {
  bool present = false;
  DWORD type = REG_SZ;
  std::string data;
};

TilingValue ReadTiling() {
  TilingValue value;
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kDesktopKey, &key) != ERROR_SUCCESS) return value;
  char data[64];
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, kTilingName, nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    value.present = true;
    value.data.assign(data, size);
  }
  RegCloseKey(key);
  return value;
}

// A failure to open the key is ignored.
void WriteTiling(const TilingValue& value) {
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kDesktopKey, &key) != ERROR_SUCCESS) return;
  if (value.present)
    RegSetValueExA(key, kTilingName, 0, value.type,
                   reinterpret_cast<const BYTE*>(value.data.data()),
                   static_cast<DWORD>(value.data.size()));
  else
    RegDeleteValueA(key, kTilingName);
  RegCloseKey(key);
}

// Tiled or centred, for the wallpaper Windows is about to load; removal
// leaves it centred. The digit and its terminator.
TilingValue Tiling(bool tiled) {
  return TilingValue{true, REG_SZ, std::string(tiled ? "1" : "0", 2)};
}

}  // namespace

DesktopWallpaperSetter setDesktopWallpaper = SetDesktopWallpaperNow;

BOOL SetWallpaper(HINSTANCE instance, HWND owner, const char* caption, const char* path,
                  BOOL tiled) {
  std::string wallpaper = "(none)";
  ProgressDialog progress(instance, owner, nullptr);
  // The wallpaper file as it was, kept beside it until Windows has taken the
  // new one: the file may be the wallpaper shown now.
  std::unique_ptr<ReplacementFile> kept;
  if (path) {
    wallpaper = WallpaperPath(caption);
    kept = std::make_unique<ReplacementFile>(wallpaper, ReplacementFile::CopyOfTarget{});
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
  const TilingValue before = ReadTiling();
  WriteTiling(Tiling(path && tiled));
  const bool set = setDesktopWallpaper(wallpaper.c_str()) != FALSE;
  // Refused: the tiling and the file would otherwise change the wallpaper
  // still shown.
  if (!set) {
    WriteTiling(before);
    if (kept) kept->Commit();
  }
  progress.SetProgress(set ? 10000 : 0);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  progress.EnableCancel(true);
  if (!set) ShowMessageBox(owner, "Could not set wallpaper.", caption, MB_OK);
  return set ? TRUE : FALSE;
}
