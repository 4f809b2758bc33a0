// The library as an in-process COM server: its creatable classes, their class
// factory, and their registration (class ids, programmatic identifiers
// "Qel_SkinControl.<class>" and the type library).
#pragma once
#include <windows.h>

namespace qel {

// The class factory of `clsid`, or CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** factory);
// S_OK when no object of the library and no factory lock is alive.
HRESULT CanUnloadNow();

// Registers or removes the classes and the type library of `module`, in this
// build's (32- or 64-bit) side of the registry; the first failure is returned.
HRESULT RegisterServer(HMODULE module);
HRESULT UnregisterServer(HMODULE module);

} // namespace qel
