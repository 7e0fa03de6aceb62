// The folders of one path and the subfolders of its last one, each with its
// picture and indented by its depth. A double click opens a folder.
#pragma once

#include "Control.h"

#include <functional>
#include <string>
#include <vector>

class TDriveComboBox;

class TDirectoryListBox : public TControl {
 public:
  using TControl::TControl;

  // Starts at the process's current folder.
  void Create(TControl* parent, int left, int top, int width, int height);

  // The current folder, without a trailing backslash except at a root ("C:\").
  const std::string& Directory() const { return directory_; }
  // Opens `path`; runs OnChange when the folder changes. False, with
  // nothing changed, when the folder cannot be listed.
  bool SetDirectory(const std::string& path);
  // The folder of row `index` (a row of the path or a subfolder).
  std::string FolderOfRow(int index) const;
  // Opens the folder of row `index`, as a double click does.
  void OpenRow(int index);
  int Count() const;
  std::string Text(int index) const;

  // Shows the drive of the current folder; set by the drive list.
  TDriveComboBox* DriveCombo = nullptr;
  std::function<void()> OnChange;

  bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  struct Row {
    std::string name;
    int depth;
    bool open;  // a folder of the path, not a subfolder
  };
  void Fill();
  void DrawItem(const DRAWITEMSTRUCT& draw);

  std::string directory_;
  std::vector<Row> rows_;
};
