#include "RemoteListView.h"

#include <commctrl.h>

namespace {

// A block of memory inside the process that owns a window.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) : size_(size) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process_)
      address_ =
          static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* Address() const { return address_; }
  void Write(SIZE_T offset, const void* data, SIZE_T size) {
    WriteProcessMemory(process_, address_ + offset, data, size, nullptr);
  }
  void Read(SIZE_T offset, void* data, SIZE_T size) const {
    ReadProcessMemory(process_, address_ + offset, data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  char* address_ = nullptr;
  SIZE_T size_;
};

struct TChildSearch {
  const char* ClassName;
  HWND Found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TChildSearch*>(param);
  char className[128] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, search->ClassName) != 0) return TRUE;
  search->Found = window;
  return FALSE;
}

}  // namespace

HWND FindChildOfClass(HWND parent, const char* className) {
  TChildSearch search{className, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::vector<std::string> ListViewTexts(HWND listView, int subItem) {
  std::vector<std::string> texts;
  constexpr SIZE_T kTextSize = 512;
  RemoteBlock block(listView, sizeof(LVITEMA) + kTextSize);
  if (!block.Valid()) return texts;
  const int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = block.Address() + sizeof(LVITEMA);
    item.cchTextMax = kTextSize;
    block.Write(0, &item, sizeof item);
    SendMessageA(listView, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(block.Address()));
    char text[kTextSize] = "";
    block.Read(sizeof(LVITEMA), text, sizeof text - 1);
    texts.push_back(text);
  }
  return texts;
}

RECT ListViewItemOnScreen(HWND listView, int index) {
  RECT rect{LVIR_BOUNDS, 0, 0, 0};
  RemoteBlock block(listView, sizeof rect);
  if (!block.Valid()) return RECT{};
  block.Write(0, &rect, sizeof rect);
  SendMessageA(listView, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.Address()));
  block.Read(0, &rect, sizeof rect);
  MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
