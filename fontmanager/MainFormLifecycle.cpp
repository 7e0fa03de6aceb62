// Creation and destruction of the main window, and the application-wide
// handlers it installs.
#include "MainForm.h"

#include "ExceptionReport.h"
#include "HelpFile.h"

#include "fontcommon/Messages.h"
#include "fontcommon/Settings.h"
#include "platform/forms/Application.h"
#include "platform/forms/ScreenCursor.h"

void TfrmZel95::FormCreate() {
  TWaitCursor wait;

  Application.OnException = [this](const std::exception& e) { AppException(e); };
  Application.HelpFile.clear();
  Application.OnHint = [this] { ShowHint(); };
  StatusBar.SetSimpleText(Application.Hint());

  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = 148;
  GetVersionExA(&version);
  if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) {
    ShowErrorMessage(Msg::Error::NotWindows95, "");
    ExitProcess(1);
  }

  mnuViewFullSample.SetEnabled(false);
  mnuFontRemove.SetEnabled(false);

  char windowsDir[255] = "";
  GetWindowsDirectoryA(windowsDir, 254);
  FWindowsDir = windowsDir;
  FFontsDir = FWindowsDir + "\\FONTS";

  FCatalogue.FNonTTFFonts.Clear();

  Toolbar.SetVisible(false);
  StatusBar.SetVisible(false);
  if (ReadAppTools() & 1) {
    Toolbar.SetVisible(true);
    mnuViewToolbar.SetChecked(true);
  }
  if (ReadAppTools() & 2) {
    StatusBar.SetVisible(true);
    mnuViewStatusbar.SetChecked(true);
  }

  spSize.SetValue(ReadSampleSize());

  FLoaded = false;
  cbTT.SetChecked(ReadTTFOnly() == 1);
  FLoaded = true;

  ShowAndPaint();
  RefreshFontList();
}

void TfrmZel95::SaveWindowSettings() {
  const int appTools = (Toolbar.Visible() ? 1 : 0) + (StatusBar.Visible() ? 2 : 0);
  SaveSettings(static_cast<uint8_t>(appTools), spSize.Value(), cbTT.Checked() ? 1 : 0);
}

void TfrmZel95::FormDestroy() {
  SaveWindowSettings();
  ReleaseFontList();
  WinHelpA(Handle(), HelpFilePath().c_str(), HELP_QUIT, 0);
}

void TfrmZel95::AppException(const std::exception& e) { ReportException(e); }

void TfrmZel95::ShowHint() { StatusBar.SetSimpleText(Application.Hint()); }
