// OK of the Install New Fonts dialog: the chosen entries installed with the
// dialog's settings, the questions and messages shown over it.
#include "AddFontDialog.h"
#include "FontInstall.h"

#include "fontcommon/Messages.h"
#include "platform/forms/ScreenCursor.h"

namespace {

// The message catalogue's boxes.
class TCataloguePrompts : public TInstallPrompts {
 public:
  uint16_t AskOverwrite(const std::string& target) override {
    return AskVerifyMessage(Msg::Verify::OverwriteFile, target, "", {mbYes, mbNo, mbAll});
  }
  void ShowError(Msg::Error number, const std::string& text) override {
    ShowErrorMessage(number, text);
  }
};

}  // namespace

void TdlgAddFont::pbOKClick() {
  // Enter reaches the default button even while it is disabled.
  if (!pbOK.Enabled()) return;
  TWaitCursor wait;
  InstallSelected();
}

void TdlgAddFont::InstallSelected() {
  const bool network = GetDriveTypeA(DriveRoot().c_str()) == DRIVE_REMOTE;
  ReleaseTempFont();
  std::vector<TInstallEntry> entries;
  for (int index = 0; index < lbSelectedFonts.Count(); ++index)
    entries.push_back(
        TInstallEntry{lbSelectedFonts.Text(index),
                      static_cast<const TFontFileRec*>(lbSelectedFonts.Object(index))});
  TCataloguePrompts prompts;
  TFontInstallation installation(records_, rbFamily.Checked(), cbCopy.Checked(), network,
                                 FWinDir + "\\FONTS\\", prompts);
  const bool finished = installation.Install(entries);
  // Last first, so that the indexes still hold.
  for (const int index : installation.DoneEntries()) lbSelectedFonts.Delete(index);
  SetModalResult(finished ? IDOK : mrNone);
}
