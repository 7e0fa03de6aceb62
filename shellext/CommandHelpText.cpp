// What the shell may ask about the menu's commands: the help texts for its
// status line, and whether an offset is one of the commands.
#include "ContextMenuExtension.h"

#include "MenuCommands.h"
#include "shellext/module/Module.h"

HRESULT STDMETHODCALLTYPE ContextMenuExtension::GetCommandString(UINT_PTR command, UINT type, UINT*,
                                                                 CHAR* name, UINT size) {
  const bool wide = (type & GCS_UNICODE) != 0;
  switch (type & ~GCS_UNICODE) {
    case GCS_VALIDATEA:
      return command < MenuCommandCount ? S_OK : S_FALSE;
    case GCS_HELPTEXTA:
      break;
    default:
      // No verbs: commands are invoked by offset only.
      return E_NOTIMPL;
  }
  if (!name || size == 0) return S_OK;
  if (wide)
    reinterpret_cast<WCHAR*>(name)[0] = 0;
  else
    name[0] = 0;
  if (command >= MenuCommandCount) return S_OK;
  const UINT id = kHelpTextIds[command];
  if (!wide) {
    LoadStringA(ModuleInstance, id, name, static_cast<int>(size));
    return S_OK;
  }
  // Windows 95's LoadStringW is a stub that fails: the text is loaded as it
  // is for the ANSI answer and widened.
  char text[256] = "";
  LoadStringA(ModuleInstance, id, text, sizeof text);
  auto* wideName = reinterpret_cast<WCHAR*>(name);
  if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wideName, static_cast<int>(size)))
    wideName[size - 1] = 0;
  return S_OK;
}
