#pragma once
#include <windows.h>

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID interfaceId,
                                                    void** object);
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow();
