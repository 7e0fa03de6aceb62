#include "ExtensionClassFactory.h"

#include "ContextMenuExtension.h"
#include "ServerIds.h"

#include <new>

HRESULT STDMETHODCALLTYPE ExtensionClassFactory::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!SameId(riid, IID_IUnknown) && !SameId(riid, IID_IClassFactory)) return E_NOINTERFACE;
  *ppv = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ExtensionClassFactory::CreateInstance(IUnknown* outer, REFIID riid,
                                                                void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  ContextMenuExtension* extension = new (std::nothrow) ContextMenuExtension;
  if (!extension) return E_OUTOFMEMORY;
  // Held for the time of the question, so that an interface it does not
  // offer frees it instead of leaving it to keep the library loaded.
  extension->AddRef();
  const HRESULT result = extension->QueryInterface(riid, ppv);
  extension->Release();
  return result;
}

HRESULT STDMETHODCALLTYPE ExtensionClassFactory::LockServer(BOOL) { return S_OK; }
