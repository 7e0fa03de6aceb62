#include "ShellDataObject.h"

#include <shlobj.h>

namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length - 1 : 0);
  return wide;
}

ITEMIDLIST* Parse(IShellFolder* folder, const std::string& name) {
  std::wstring wide = Wide(name);
  ITEMIDLIST* item = nullptr;
  if (FAILED(folder->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &item, nullptr)))
    return nullptr;
  return item;
}

}  // namespace

ComRef<IDataObject> ShellDataObjectFor(const std::vector<std::string>& files) {
  ComRef<IDataObject> data;
  if (files.empty()) return data;
  const std::string& first = files.front();
  const std::string folderPath = first.substr(0, first.find_last_of('\\'));

  ComRef<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Out()))) return data;
  ITEMIDLIST* folderItem = Parse(desktop.Get(), folderPath);
  if (!folderItem) return data;
  ComRef<IShellFolder> folder;
  const HRESULT bound =
      desktop->BindToObject(folderItem, nullptr, IID_IShellFolder, folder.OutVoid());
  CoTaskMemFree(folderItem);
  if (FAILED(bound)) return data;

  std::vector<ITEMIDLIST*> items;
  for (const std::string& file : files)
    if (ITEMIDLIST* item = Parse(folder.Get(), file.substr(file.find_last_of('\\') + 1)))
      items.push_back(item);
  if (items.size() == files.size())
    folder->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()),
                          const_cast<LPCITEMIDLIST*>(items.data()), IID_IDataObject, nullptr,
                          data.OutVoid());
  for (ITEMIDLIST* item : items) CoTaskMemFree(item);
  return data;
}
