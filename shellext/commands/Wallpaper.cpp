#include "Commands.h"

#include "DesktopWallpaper.h"
#include "ProgressDialog.h"
#include "WallpaperBitmap.h"
#include "platform/forms/Modal.h"
#include "platform/system/ReplaceFile.h"

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

// The wallpaper file as it was before this command, kept beside it until
// Windows has taken the new one: the file may be the wallpaper shown now.
class KeptWallpaper {
 public:
  explicit KeptWallpaper(const std::string& path) : path_(path) {
    char name[MAX_PATH] = "";
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
        !GetTempFileNameA(FolderOfFile(path).c_str(), "GLW", 0, name))
      return;
    kept_ = name;
    if (!CopyFileA(path.c_str(), kept_.c_str(), FALSE)) {
      DeleteFileA(kept_.c_str());
      kept_.clear();
    }
  }
  ~KeptWallpaper() {
    if (!kept_.empty()) DeleteFileA(kept_.c_str());
  }
  KeptWallpaper(const KeptWallpaper&) = delete;
  KeptWallpaper& operator=(const KeptWallpaper&) = delete;

  void PutBack() {
    if (!kept_.empty() && MoveFileReplacing(kept_, path_)) kept_.clear();
  }

 private:
  std::string path_;
  std::string kept_;
};

}  // namespace

DesktopWallpaperSetter setDesktopWallpaper = SetDesktopWallpaperNow;

BOOL SetWallpaper(HINSTANCE instance, HWND owner, const char* caption, const char* path,
                  BOOL tiled) {
  std::string wallpaper = "(none)";
  ProgressDialog progress(instance, owner, nullptr);
  std::unique_ptr<KeptWallpaper> kept;
  if (path) {
    wallpaper = WallpaperPath(caption);
    kept = std::make_unique<KeptWallpaper>(wallpaper);
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
    if (kept) kept->PutBack();
  }
  progress.SetProgress(set ? 10000 : 0);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  progress.EnableCancel(true);
  if (!set) ShowMessageBox(owner, "Could not set wallpaper.", caption, MB_OK);
  return set ? TRUE : FALSE;
}
