// The main window of the font manager: the installed font families, each
// written in its own typeface, with the toolbar, menu and status bar that
// command it.
#pragma once

#include "FontCatalogue.h"
#include "FontItems.h"

#include "platform/forms/Bevel.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/GlyphButton.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/Menu.h"
#include "platform/forms/Panel.h"
#include "platform/forms/SpinEdit.h"
#include "platform/forms/StatusBar.h"

#include <windows.h>

#include <exception>
#include <string>

class TfrmZel95 : public TForm {
 public:
  TfrmZel95();
  ~TfrmZel95() override;

  // Creates the window and its components, then runs FormCreate.
  void Create();

  // Components, as the form names them. They stay public: they are the
  // window's declared parts, which tests drive as a person would.
  TPanel Toolbar{"Toolbar"};
  TLabel Label3{"Label3"};
  TSpinEdit spSize{"spSize"};
  TCheckBox cbTT{"cbTT"};
  TBevel Bevel1{"Bevel1"};
  TGlyphButton sbRefresh{"sbRefresh"};
  TGlyphButton sbFullSample{"sbFullSample"};
  TGlyphButton sbAdd{"sbAdd"};
  TGlyphButton sbRemove{"sbRemove"};
  TListBox lbFonts{"lbFonts"};
  TStatusBar StatusBar{"StatusBar"};
  TImage imgTTF{"imgTTF"};
  TImage imgTTFSel{"imgTTFSel"};

  TMainMenu MainMenu1;
  TMenuItem mnuFile{"mnuFile", "&File", "Contains commands for the application."};
  TMenuItem mnuFileExit{"mnuFileExit", "&Exit", "Terminates Zel95."};
  TMenuItem mnuFont{"mnuFont", "F&ont", "Contains command for adding and deleting fonts."};
  TMenuItem mnuFontAdd{"mnuFontAdd", "&Install...", "Add one or more new fonts."};
  TMenuItem mnuFontRemove{"mnuFontRemove", "&Delete", "Removes the selected font(s).", VK_DELETE};
  TMenuItem mnuView{"mnuView", "&View", "Contains commands for customizing this window."};
  TMenuItem mnuViewToolbar{"mnuViewToolbar", "&Toolbar", "Shows or hides the toolbar."};
  TMenuItem mnuViewStatusbar{"mnuViewStatusbar", "Status &Bar", "Shows or hides the status bar."};
  TMenuItem N2{"N2", "-", ""};
  TMenuItem mnuViewRefresh{"mnuViewRefresh", "&Refresh", "Refreshes the list of available fonts."};
  TMenuItem mnuViewFullSample{"mnuViewFullSample", "&Full Sample",
                              "Shows a full sample of the selected font."};
  TMenuItem mnuHelp{"mnuHelp", "&Help", "Contains command for displaying help."};
  TMenuItem mnuHelpTopics{"mnuHelpTopics", "&Help Topics", "Displays the contents of the help."};
  TMenuItem mnuSep1{"mnuSep1", "-", ""};
  TMenuItem mnuHelpAbout{"mnuHelpAbout", "&About Zel 95", "Displays information about Zel95."};

  // The rows selected in lbFonts.
  int CountSelected() const;
  // The row that a command for one family works on: the selected row when
  // exactly one is selected (the current row may be another one after a
  // Ctrl-click took its selection away), else the current row.
  int CurrentFamilyRow() const;
  // The family behind row `index` of lbFonts.
  const TToShowItem* ShowItem(int index) const;
  // The catalogue behind the rows, as the last rebuild left it. The
  // writable one lets a test reach states that its fonts cannot give.
  const TFontCatalogue& Catalogue() const { return FCatalogue; }
  TFontCatalogue& Catalogue() { return FCatalogue; }
  // False until the stored settings have been read into the toolbar.
  bool Loaded() const { return FLoaded; }

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void CreateComponents();
  void CreateMenu();

  // Lifecycle and application handlers.
  void FormCreate();
  void FormDestroy();
  // Stores the bars' visibility, the sample size and "True Type only".
  void SaveWindowSettings();
  void AppException(const std::exception& e);
  void ShowHint();

  // The one way to rebuild the catalogue and the list.
  void RefreshFontList();
  void HandleFontChange();
  // While a removal walks the catalogue's records, rebuilds wait. One asked
  // for meanwhile comes as a font change once they are released, unless the
  // caller rebuilds itself next.
  void HoldRebuilds();
  void ReleaseRebuilds(bool rebuildFollows = false);

  // The font list and its commands. Menu items and keys run the handler of
  // the matching button.
  void UpdateSelectionState();
  void lbFontsDrawItem(TCanvas& canvas, int index, const RECT& rect, unsigned state);
  void lbFontsClick();
  void lbFontsDblClick();
  void spSizeChange();
  void cbTTClick();
  void FormKeyUp(WORD& key);
  void sbRefreshClick();
  void sbFullSampleClick();
  void sbAddClick();
  void sbRemoveClick();
  // Fills the catalogue's FToDelete with the fonts of the selected families.
  void CollectFontsToDelete();
  // Ends a removal whatever way it went: the records go, the list has no
  // current row, Delete waits for the next click into the list, and a
  // rebuild asked for meanwhile follows.
  void EndRemoval();
  void mnuFileExitClick();
  void mnuFontAddClick();
  void mnuFontRemoveClick();
  void mnuFontRefreshClick();
  void mnuFontFullSampleClick();
  void mnuViewToolbarClick();
  void mnuViewStatusbarClick();
  void mnuHelpTopicsClick();
  void mnuHelpAboutClick();

  // Starts the font viewer on the font file `path`.
  void ShowFullSample(const std::string& path);

  // A rebuild runs; another one was asked for meanwhile.
  bool rebuilding_ = false;
  bool rebuildAgain_ = false;
  bool rebuildsHeld_ = false;
  void RebuildCatalogue();
  // Fills lbFonts with the catalogue's rows, drawing off; a `complete`
  // rebuild also gives its rows their height and shows them at once.
  void FillFontList(bool complete);
  // Empties lbFonts, then releases the records its rows pointed to.
  void ReleaseFontList();

  std::string FWindowsDir;
  std::string FFontsDir;
  bool FLoaded = false;
  // The installed-font catalogue behind the rows of lbFonts.
  TFontCatalogue FCatalogue;
};
