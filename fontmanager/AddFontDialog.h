// The Install New Fonts dialog: browse drives and folders, see the fonts of
// the current folder with a live sample, move the ones to install into the
// second list and install them with OK.
#pragma once

#include "FontFileRec.h"

#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/DirectoryListBox.h"
#include "platform/forms/DriveComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/Memo.h"
#include "platform/forms/RadioButton.h"
#include "platform/forms/SpinEdit.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TdlgAddFont : public TForm {
 public:
  TdlgAddFont();
  ~TdlgAddFont() override;

  // Creates the dialog owned by `owner` and runs FormCreate.
  void Create(TForm* owner);
  // Shows the dialog modally; FormClose runs however it ends.
  int ShowModal();

  // Components, as the dialog names them. They stay public: they are the
  // dialog's declared parts, which tests drive as a person would.
  TGroupBox gbAvailable{"gbAvailable"};
  TListBox lbAvailableFonts{"lbAvailableFonts"};
  TGroupBox gbSelected{"gbSelected"};
  TListBox lbSelectedFonts{"lbSelectedFonts"};
  TButton pbSelect{"pbSelect"};
  TButton pbSelectAll{"pbSelectAll"};
  TButton pbDeselect{"pbDeselect"};
  TButton pbDeselectAll{"pbDeselectAll"};
  TCheckBox cbTT{"cbTT"};
  TRadioButton rbFamily{"rbFamily"};
  TRadioButton rbFullName{"rbFullName"};
  TGroupBox gbSample{"gbSample"};
  TMemo memSample{"memSample"};
  TLabel lblSize{"lblSize"};
  TSpinEdit speSize{"speSize"};
  TButton pbFullSample{"pbFullSample"};
  TLabel lblDrives{"lblDrives"};
  TDriveComboBox cmbDrives{"cmbDrives"};
  TLabel lblFolders{"lblFolders"};
  TDirectoryListBox lbFolders{"lbFolders"};
  TCheckBox cbCopy{"cbCopy"};
  TButton pbOK{"pbOK"};
  TButton pbCancel{"pbCancel"};
  TImage imgTTF{"imgTTF"};
  TImage imgTTFSel{"imgTTFSel"};

  // The help context of the component whose window is `window`; 0 for none.
  int HelpContextOf(HWND window) const;

  // What the last scan counted and read, the sample font added to the
  // system, the Windows folder and whether the first paint is still to come.
  uint16_t FontCount() const { return FFontCount; }
  size_t FontFileCount() const { return FFontFiles.size(); }
  const std::string& TempFont() const { return FTempFont; }
  const std::string& WinDir() const { return FWinDir; }
  bool FirstPaint() const { return FFirstPaint; }

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void CreateComponents();

  void FormCreate();
  void FormClose();
  void lbFoldersChange();
  void cbTTClick();
  void rgShowClick();
  void lbAvailableFontsClick();
  void lbSelectedFontsClick();
  void lbAvailableFontsDrawItem(TListBox& list, TCanvas& canvas, int index, const RECT& rect,
                                unsigned state);
  void pbSelectClick();
  void pbSelectAllClick();
  void pbDeselectClick();
  void pbDeselectAllClick();
  // The move buttons: `all` moves every entry, else the selected ones.
  void MoveToSelected(bool all);
  void MoveToAvailable(bool all);
  void pbFullSampleClick();
  void speSizeChange();
  void pbOKClick();

  bool ScanFolder(const std::string& folder);
  void FillAvailableList();
  void Rescan();
  void ReleaseTempFont();
  void MoveItems(TListBox& source, TListBox& dest, bool all);
  static int SelectedCount(const TListBox& listBox);
  void InstallSelected();

  void ShowControlHelp(HWND window, bool asContextMenu);

  // The drive of cmbDrives as a root ("c:\").
  std::string DriveRoot() const;

  // Frees the records no entry of either list stands for any more.
  void FreeUnusedRecords();
  // Withdraws the sample font from the system.
  void WithdrawTempFont();
  // The record of the one selected entry of the available list, whose
  // sample is shown; null unless exactly one is selected.
  const TFontFileRec* SampledRecord() const;

  // One entry per font file read from the current folder: its full name
  // and its record.
  std::vector<std::pair<std::string, TFontFileRec*>> FFontFiles;
  bool FFirstPaint = true;
  std::string FWinDir;
  std::string FTempFont;
  uint16_t FFontCount = 0;

  std::vector<std::unique_ptr<TFontFileRec>> records_;
  unsigned scans_ = 0;
};

// The part of Name before its first "(", without surrounding blanks; Name
// itself when it has none.
std::string NameBeforeParen(const std::string& name);
// Text without its NUL characters.
std::string RemoveNulls(const std::string& text);
