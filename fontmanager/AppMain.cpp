#include "AppMain.h"

#include "MainForm.h"
#include "SingleInstance.h"
#include "Uninstall.h"

#include "platform/forms/Application.h"

#include <commctrl.h>

std::string FirstArgument(const char* commandLine) {
  std::string argument;
  const char* p = commandLine ? commandLine : "";
  while (*p == ' ' || *p == '\t') ++p;
  bool quoted = false;
  for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
    if (*p == '"')
      quoted = !quoted;
    else
      argument += *p;
  }
  return argument;
}

int RunZel95App(HINSTANCE, const char* commandLine) {
  char exePath[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exePath, sizeof exePath);
  const DWORD otherId = FindOtherInstance(exePath);

  if (FirstArgument(commandLine) == "/UNINSTALL") {
    UninstallProgram(otherId);
    return 0;
  }
  if (otherId != 0) {
    ActivateWindow("TfrmZel95");
    return 0;
  }

  InitCommonControls();
  Application.Title = "Zel 95";
  TfrmZel95 form;
  Application.MainForm = &form;
  form.Create();
  // Shown even when its creation stopped early on an exception.
  if (!form.Visible()) form.Show();
  Application.Run();
  Application.MainForm = nullptr;
  return 0;
}
