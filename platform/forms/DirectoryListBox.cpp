#include "DirectoryListBox.h"

#include "Canvas.h"
#include "DriveComboBox.h"
#include "DrivePictures.h"
#include "ErrorBeep.h"
#include "PictureRows.h"
#include "KernelHandle.h"

#include <algorithm>
#include <cctype>

namespace {

const int kRowHeight = 17;
const int kIndent = 10;

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = "";
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return std::string();
  std::string result = full;
  if (result.size() > 3 && result.back() == '\\') result.pop_back();
  return result;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The subfolders of `folder`, sorted, hidden ones left out.
bool ListSubfolders(const std::string& folder, std::vector<std::string>& names) {
  std::string pattern = folder;
  if (pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA entry;
  const FileSearchHandle find(FindFirstFileA(pattern.c_str(), &entry));
  if (!find.Valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(find.Get(), &entry));
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return true;
}

}  // namespace

void TDirectoryListBox::Create(TControl* parent, int left, int top, int width, int height) {
  CreateChild(parent, "LISTBOX",
              WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE, "", left, top, width, height);
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof current, current);
  // Where the list starts is no change of folder.
  auto onChange = std::move(OnChange);
  OnChange = nullptr;
  SetDirectory(current);
  OnChange = std::move(onChange);
}

int TDirectoryListBox::Count() const { return static_cast<int>(rows_.size()); }

std::string TDirectoryListBox::Text(int index) const {
  return index >= 0 && index < Count() ? rows_[static_cast<size_t>(index)].name : std::string();
}

bool TDirectoryListBox::SetDirectory(const std::string& path) {
  const std::string full = FullPath(path);
  std::vector<std::string> subfolders;
  if (full.empty() || !ListSubfolders(full, subfolders)) return false;
  const bool changed = full != directory_;
  directory_ = full;

  // The path's folders, the root first ("c:\"), then its subfolders.
  rows_.clear();
  std::string root = full.substr(0, 3);
  root[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(root[0])));
  rows_.push_back(Row{root, 0, true});
  size_t start = 3;
  while (start < full.size()) {
    size_t end = full.find('\\', start);
    if (end == std::string::npos) end = full.size();
    rows_.push_back(Row{full.substr(start, end - start), static_cast<int>(rows_.size()), true});
    start = end + 1;
  }
  const int depth = static_cast<int>(rows_.size());
  for (const std::string& name : subfolders) rows_.push_back(Row{name, depth, false});
  Fill();

  if (DriveCombo) DriveCombo->ShowDrive(full[0]);
  if (changed && OnChange) OnChange();
  return true;
}

std::string TDirectoryListBox::FolderOfRow(int index) const {
  if (index < 0 || index >= Count()) return std::string();
  const Row& row = rows_[static_cast<size_t>(index)];
  if (!row.open) return directory_ + (directory_.back() == '\\' ? "" : "\\") + row.name;
  std::string folder = rows_[0].name;
  for (int i = 1; i <= index; ++i)
    folder += (i > 1 ? "\\" : "") + rows_[static_cast<size_t>(i)].name;
  return folder;
}

void TDirectoryListBox::OpenRow(int index) {
  if (!SetDirectory(FolderOfRow(index))) SoundErrorBeep();
}

void TDirectoryListBox::Fill() {
  SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(handle_, LB_RESETCONTENT, 0, 0);
  int current = 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows_[i].name.c_str()));
    if (rows_[i].open) current = static_cast<int>(i);
  }
  SendMessageA(handle_, LB_SETCURSEL, current, 0);
  SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& draw) {
  TCanvas canvas(draw.hDC);
  canvas.FillRect(draw.rcItem, GetSysColor(COLOR_WINDOW));
  if (static_cast<int>(draw.itemID) < 0 || draw.itemID >= rows_.size()) return;
  const Row& row = rows_[draw.itemID];
  const int x = draw.rcItem.left + 2 + row.depth * kIndent;
  DrawFolderPicture(draw.hDC, x, draw.rcItem.top, row.open);
  DrawRowName(draw, canvas, x + kDrivePictureSize + 2, row.name);
}

bool TDirectoryListBox::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (AnswerPictureRows(
          message, lParam, kRowHeight, [this](const DRAWITEMSTRUCT& draw) { DrawItem(draw); },
          result))
    return true;
  if (message != WM_COMMAND) return false;
  if (HIWORD(wParam) == LBN_DBLCLK)
    OpenRow(static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0)));
  result = 0;
  return true;
}
