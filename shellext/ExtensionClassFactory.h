#pragma once
#include <windows.h>

#include <unknwn.h>

#include "ServerObject.h"

// The class object of the context-menu handler. A new one is made for every
// DllGetClassObject call; it keeps the library loaded while it lives.
class ExtensionClassFactory : public IClassFactory, private ServerObject {
 public:
  ExtensionClassFactory() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return TakeReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ~ExtensionClassFactory() override = default;
};
