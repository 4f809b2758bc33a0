// The exported entry points of the control library.
#include "control/ComServer.h"

#include <ole2.h>

namespace {
HMODULE g_module = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** factory) {
    return qel::GetClassObject(clsid, iid, factory);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return qel::CanUnloadNow();
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    return qel::RegisterServer(g_module);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    return qel::UnregisterServer(g_module);
}
