// The drives of the system, each with the picture of its kind, linked to a
// folder list: choosing a drive opens its current folder there.
#pragma once

#include "Control.h"

#include <functional>
#include <string>

class TDirectoryListBox;

class TDriveComboBox : public TControl {
 public:
  using TControl::TControl;

  // Lists the drives.
  void Create(TControl* parent, int left, int top, int width);
  // Links the folder list; the drive shown is the one of its folder.
  void SetDirList(TDirectoryListBox* dirList);

  // The drive letter shown, lower case.
  char Drive() const;
  // Chooses drive `letter` as the user would: the folder list opens the
  // drive's current folder. A drive that cannot be read beeps and the
  // previous drive stays.
  void SetDrive(char letter);
  // Shows `letter` without opening anything (the folder list's own change).
  void ShowDrive(char letter);
  int Count() const;
  std::string Text(int index) const;

  TDirectoryListBox* DirList = nullptr;
  std::function<void()> OnChange;

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& draw);
  int IndexOf(char letter) const;

  char drive_ = 0;
};
