#include "DriveComboBox.h"

#include "Canvas.h"
#include "DirectoryListBox.h"
#include "DrivePictures.h"
#include "ErrorBeep.h"
#include "PictureRows.h"

#include <cctype>
#include <vector>

namespace {

const int kRowHeight = 16;

char Lower(char letter) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

// "c:" with the volume label in brackets where the drive has one; removable
// drives are not asked, so that an empty one does not hold things up.
std::string DriveText(char letter) {
  const char root[] = {letter, ':', '\\', '\0'};
  std::string text = {Lower(letter), ':'};
  const UINT type = GetDriveTypeA(root);
  if (type == DRIVE_REMOVABLE || type == DRIVE_CDROM) return text;
  char label[MAX_PATH] = "";
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) &&
      label[0])
    text += std::string(" [") + label + "]";
  SetErrorMode(oldMode);
  return text;
}

}  // namespace

void TDriveComboBox::Create(TControl* parent, int left, int top, int width) {
  CreateChild(parent, "COMBOBOX",
              WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0,
              "", left, top, width, 200);
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (drives & (1u << i)) {
      const std::string text = DriveText(static_cast<char>('A' + i));
      SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
  DirList = dirList;
  if (DirList) {
    DirList->DriveCombo = this;
    if (!DirList->Directory().empty()) ShowDrive(DirList->Directory()[0]);
  }
}

int TDriveComboBox::Count() const {
  return static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0));
}

std::string TDriveComboBox::Text(int index) const {
  const LRESULT length = SendMessageA(handle_, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1);
  SendMessageA(handle_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

int TDriveComboBox::IndexOf(char letter) const {
  for (int i = 0; i < Count(); ++i)
    if (Text(i)[0] == Lower(letter)) return i;
  return -1;
}

char TDriveComboBox::Drive() const { return drive_; }

void TDriveComboBox::ShowDrive(char letter) {
  drive_ = Lower(letter);
  SendMessageA(handle_, CB_SETCURSEL, IndexOf(letter), 0);
}

void TDriveComboBox::SetDrive(char letter) {
  const char previous = drive_;
  // The drive's own current folder, as the system keeps one per drive.
  const char drive[] = {letter, ':', '\0'};
  char folder[MAX_PATH] = "";
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  GetFullPathNameA(drive, sizeof folder, folder, nullptr);
  const bool opened = DirList ? DirList->SetDirectory(folder) : true;
  SetErrorMode(oldMode);
  if (!opened) {
    SoundErrorBeep();
    ShowDrive(previous);
    return;
  }
  ShowDrive(letter);
  if (OnChange) OnChange();
}

void TDriveComboBox::DrawItem(const DRAWITEMSTRUCT& draw) {
  TCanvas canvas(draw.hDC);
  canvas.FillRect(draw.rcItem, GetSysColor(COLOR_WINDOW));
  if (static_cast<int>(draw.itemID) < 0) return;
  const std::string text = Text(static_cast<int>(draw.itemID));
  const char root[] = {text[0], ':', '\\', '\0'};
  DrawDrivePicture(draw.hDC, draw.rcItem.left + 2, draw.rcItem.top, GetDriveTypeA(root));
  DrawRowName(draw, canvas, draw.rcItem.left + kDrivePictureSize + 4, text);
}

bool TDriveComboBox::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (AnswerPictureRows(
          message, lParam, kRowHeight, [this](const DRAWITEMSTRUCT& draw) { DrawItem(draw); },
          result))
    return true;
  if (message != WM_COMMAND) return false;
  if (HIWORD(wParam) == CBN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
    if (index >= 0) SetDrive(Text(index)[0]);
  }
  result = 0;
  return true;
}
