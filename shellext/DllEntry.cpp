#include "shellext/module/CallbackGuard.h"
#include "shellext/viewer/Display.h"
#include "shellext/module/Module.h"

#include <cstdlib>

namespace {

HICON LoadModuleIcon(HINSTANCE instance, int id) {
  // Not shared, so that detaching may destroy it.
  return static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

void AttachModule(HINSTANCE instance) {
  ModuleInstance = instance;
  RegisterViewerClasses(instance);
  ProgramIcon = LoadModuleIcon(instance, 2000);
  SecondIcon = LoadModuleIcon(instance, 2001);
  std::srand(GetTickCount());
}

void DetachModule() {
  if (ProgramIcon) DestroyIcon(ProgramIcon);
  if (SecondIcon) DestroyIcon(SecondIcon);
  ProgramIcon = SecondIcon = nullptr;
  ReleaseViewerClasses();
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  return Guarded<BOOL>(TRUE, [&] {
    if (reason == DLL_PROCESS_ATTACH) {
      DisableThreadLibraryCalls(instance);
      AttachModule(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
      DetachModule();
    }
    return TRUE;
  });
}
