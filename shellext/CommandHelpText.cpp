// The help texts the shell shows in its status line for the menu's commands.
#include "ContextMenuExtension.h"

#include "MenuCommands.h"
#include "Module.h"

HRESULT STDMETHODCALLTYPE ContextMenuExtension::GetCommandString(UINT_PTR command, UINT type, UINT*,
                                                                 CHAR* name, UINT size) {
  // A zero size would let LoadStringW hand out a pointer instead of text.
  if (!name || size == 0) return S_OK;
  const bool wide = (type & GCS_UNICODE) != 0;
  if (wide)
    reinterpret_cast<WCHAR*>(name)[0] = 0;
  else
    name[0] = 0;
  if (command >= MenuCommandCount) return S_OK;
  const UINT id = kHelpTextIds[command];
  if (wide)
    LoadStringW(ModuleInstance, id, reinterpret_cast<WCHAR*>(name), static_cast<int>(size));
  else
    LoadStringA(ModuleInstance, id, name, static_cast<int>(size));
  return S_OK;
}
