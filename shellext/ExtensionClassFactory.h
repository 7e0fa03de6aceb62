#pragma once
#include <windows.h>

#include <unknwn.h>

// The class object of the context-menu handler. A new one is made for every
// DllGetClassObject call; it keeps the library loaded while it lives.
class ExtensionClassFactory : public IClassFactory {
 public:
  ExtensionClassFactory();
  ExtensionClassFactory(const ExtensionClassFactory&) = delete;
  ExtensionClassFactory& operator=(const ExtensionClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  virtual ~ExtensionClassFactory();

  ULONG references_ = 0;
};
