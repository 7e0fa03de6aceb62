#include "ContextMenuExtension.h"

#include "shellext/commands/Commands.h"
#include "shellext/viewer/Display.h"
#include "MenuCommands.h"
#include "shellext/module/Module.h"
#include "ServerIds.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"

ContextMenuExtension::ContextMenuExtension() = default;

ContextMenuExtension::~ContextMenuExtension() {
  if (dataObject_) dataObject_->Release();
  image_.reset();
  thumbnails_.clear();
  DestroySubmenu(wallpaperMenu_);
  DestroySubmenu(convertMenu_);
}

void ContextMenuExtension::DestroySubmenu(HMENU& submenu) {
  // The shell's menu may have taken it down with itself already.
  if (submenu && IsMenu(submenu)) DestroyMenu(submenu);
  submenu = nullptr;
}

HRESULT STDMETHODCALLTYPE ContextMenuExtension::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (SameId(riid, IID_IShellExtInit) || SameId(riid, IID_IUnknown))
    *ppv = static_cast<IShellExtInit*>(this);
  else if (SameId(riid, IID_IContextMenu))
    *ppv = static_cast<IContextMenu*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ContextMenuExtension::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data,
                                                           HKEY) {
  // Taken before the old one goes, in case both are the same object.
  if (data) data->AddRef();
  if (dataObject_) dataObject_->Release();
  dataObject_ = data;
  image_.reset();

  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (!dataObject_ || FAILED(dataObject_->GetData(&format, &medium))) return S_OK;
  HDROP drop = static_cast<HDROP>(medium.hGlobal);
  if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
    char path[MAX_PATH + 1];
    try {
      if (DragQueryFileA(drop, 0, path, sizeof path)) image_ = std::make_unique<ImageFile>(path);
    } catch (...) {
      // Out of memory: no picture, so the menu stays as it was.
    }
  }
  ReleaseStgMedium(&medium);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ContextMenuExtension::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  if (!info || HIWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)) != 0) return E_INVALIDARG;
  const UINT command = LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb));
  const char* path = image_ ? image_->GetPath() : nullptr;
  // Only Remove needs no picture; without one the others do nothing.
  if (!path && PictureCommandOf(command, CmdPrint) != PictureWallpaperRemove) return S_OK;
  try {
    StartCommand(command, path);
  } catch (...) {
    // Nothing may leave through the shell's call.
  }
  return S_OK;
}

void ContextMenuExtension::StartCommand(UINT command, const char* path) {
  const PictureCommand picture = PictureCommandOf(command, CmdPrint);
  if (picture != PictureCommandCount) {
    RunPictureCommand(picture, nullptr, path);
    return;
  }
  switch (command) {
    case CmdDisplay:
      Display(path);
      break;
    case CmdConvertToBmp:
    case CmdConvertToJpeg: {
      ModuleCountHold hold;
      ConvertImage(nullptr, path, command == CmdConvertToBmp ? FormatBmp : FormatJpg);
      break;
    }
    default:
      break;
  }
}
