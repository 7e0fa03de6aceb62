// The Install New Fonts dialog of a real main window, opened on a folder of
// the test prefix and worked through its own controls.
#pragma once

#include "fontmanager/AddFontDialog.h"
#include "InstallFixture.h"
#include "tests/win32/support/UserInput.h"

#include <memory>

class InstallDialogTest : public InstallTest {
 protected:
  void TearDown() override {
    dialog.reset();
    InstallTest::TearDown();
  }

  // The dialog shown over the main window, its folder `folder`.
  void OpenDialog(const std::string& folder) {
    if (!form) CreateMainWindow();
    dialog = std::make_unique<TdlgAddFont>();
    dialog->Create(form.get());
    dialog->Show();
    UpdateWindow(dialog->Handle());
    Pump();
    ASSERT_TRUE(dialog->lbFolders.SetDirectory(folder)) << folder;
    Pump();
  }

  // Switches to full names, answering the question to read the folder again.
  void ShowFullNames() {
    boxes.Answer({IDYES});
    SendMessageA(dialog->rbFullName.Handle(), BM_CLICK, 0, 0);
    Pump();
    boxes.Forget();
  }

  static void Press(const TButton& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }

  std::vector<std::string> Texts(const TListBox& list) const {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Text(i));
    return texts;
  }

  int RowIn(const TListBox& list, const std::string& text) const {
    for (int i = 0; i < list.Count(); ++i)
      if (list.Text(i) == text) return i;
    return -1;
  }

  const TFontFileRec& RecordOf(const TListBox& list, const std::string& text) const {
    return *static_cast<const TFontFileRec*>(list.Object(RowIn(list, text)));
  }

  // Clicks the rows with these texts in the available list, Ctrl held
  // from the second on.
  void SelectAvailable(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
      const int row = RowIn(dialog->lbAvailableFonts, texts[i]);
      ASSERT_GE(row, 0) << texts[i];
      ClickListRow(dialog->lbAvailableFonts.Handle(), row, i > 0);
    }
    Pump();
  }

  // Moves these entries to the selected list and presses OK.
  void Install(const std::vector<std::string>& texts) {
    SelectAvailable(texts);
    Press(dialog->pbSelect);
    Press(dialog->pbOK);
    Pump();
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const TShownBox& box : boxes.Shown()) texts.push_back(box.Text);
    return texts;
  }

  // The Fonts key, the fonts folder and the loaded fonts agree that the
  // style `fullName` of `family` is installed from `data`.
  void ExpectInstalled(const std::string& valueName, const std::string& data,
                       const std::string& family, const std::string& fullName) {
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kFontsKeyPath, valueName).value_or("<none>"), data)
        << valueName;
    const std::string path = data.find('\\') == std::string::npos ? fonts + data : data;
    EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_TRUE(LoadedStyles(family).count(fullName)) << fullName << " is not loaded";
  }

  std::unique_ptr<TdlgAddFont> dialog;
};

inline std::string AlreadyInstalled(const std::string& name) {
  return "The font " + name +
         " is already installed. To install a new version of the font, first remove the old "
         "version.";
}

inline std::string OverwriteQuestion(const std::string& target) {
  return "File " + target + " already exists. Overwrite the existing  file ?";
}
