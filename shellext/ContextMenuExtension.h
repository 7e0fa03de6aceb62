#pragma once
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "ServerObject.h"

class ImageFile;

// What the shell creates for a right click on a file: it takes the selected
// file, adds a thumbnail, a description and the image commands to the
// shell's menu when the file is a readable image, and starts the command
// chosen. It keeps the library loaded while it lives.
class ContextMenuExtension : public IContextMenu, public IShellExtInit, private ServerObject {
 public:
  ContextMenuExtension();

  // IUnknown, shared by both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return TakeReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

  // IContextMenu
  HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId,
                                             UINT flags) override;
  HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR command, UINT type, UINT* reserved,
                                             CHAR* name, UINT size) override;

  // IShellExtInit
  HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data,
                                       HKEY progId) override;

 private:
  ~ContextMenuExtension() override;

  // Inserts the image items at `index`, those commands only whose ids are
  // at most `lastId`, and the thumbnail unless it is null; the highest
  // offset used plus one.
  UINT InsertImageItems(HMENU menu, UINT index, UINT firstId, UINT lastId, HBITMAP thumbnail);
  // The commands report their own failures.
  static void StartCommand(UINT command, const char* path);
  static void DestroySubmenu(HMENU& submenu);

  IDataObject* dataObject_ = nullptr;
  std::unique_ptr<ImageFile> image_;
  // The thumbnail of every menu built, kept until the object goes: the shell
  // may still show an earlier menu, whatever picture is chosen since.
  std::vector<std::unique_ptr<ImageFile>> thumbnails_;
  HMENU wallpaperMenu_ = nullptr;
  HMENU convertMenu_ = nullptr;
};
