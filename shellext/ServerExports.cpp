#include "ServerExports.h"

#include "ExtensionClassFactory.h"
#include "shellext/module/Module.h"
#include "ServerIds.h"

#include <new>

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID interfaceId,
                                                    void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!SameId(classId, CLSID_ContextMenuExtension)) return CLASS_E_CLASSNOTAVAILABLE;
  ExtensionClassFactory* factory = new (std::nothrow) ExtensionClassFactory;
  if (!factory) return E_OUTOFMEMORY;
  // Held for the time of the question, so that an interface it does not
  // offer frees it instead of leaving it to keep the library loaded.
  factory->AddRef();
  const HRESULT result = factory->QueryInterface(interfaceId, object);
  factory->Release();
  return result;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  // Read as the other threads left it.
  return InterlockedCompareExchange(&ModuleCount, 0, 0) == 0 ? S_OK : S_FALSE;
}
