#include "control/ComServer.h"
#include "base/ComObject.h"
#include "base/ComPtr.h"
#include "base/Handle.h"
#include "base/Module.h"
#include "typelib/QelTypeLib.h"
#include "hooking/CTimer.h"
#include "hooking/GSubclass.h"
#include "hooking/Qel_SkinAreaMod.h"
#include "hooking/cNCCalcSize.h"
#include "control/Qel_SkinCtrl.h"
#include "renderer/Qel_SkinClass.h"
#include "renderer/Qel_SkinConfig.h"

#include <oleauto.h>
#include <olectl.h>
#include <atomic>
#include <string>

namespace qel {
namespace {

std::atomic<long> g_serverLocks{0};

template <class T> HRESULT CreateObject(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    try {
        return T::Create()->QueryInterface(iid, object);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

struct ServerClass {
    const CLSID* clsid;
    const wchar_t* name;
    HRESULT (*create)(REFIID iid, void** object);
};

// Every class a client can create, in the order of the type library.
const ServerClass kClasses[] = {
    {&CLSID_ISubclass, L"ISubclass", CreateObject<ISubclassObject>},
    {&CLSID_GSubclass, L"GSubclass", CreateObject<GSubclass>},
    {&CLSID_CTimer, L"CTimer", CreateObject<CTimer>},
    {&CLSID_Qel_SkinAreaMod, L"Qel_SkinAreaMod", CreateObject<Qel_SkinAreaModObject>},
    {&CLSID_cNCCalcSize, L"cNCCalcSize", CreateObject<cNCCalcSize>},
    {&CLSID_Qel_SkinConfig, L"Qel_SkinConfig", CreateObject<Qel_SkinConfig>},
    {&CLSID_Qel_SkinClass, L"Qel_SkinClass", CreateObject<Qel_SkinClass>},
    {&CLSID_Qel_SkinCtrl, L"Qel_SkinCtrl", CreateObject<Qel_SkinCtrl>},
};

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
public:
    explicit ClassFactory(const ServerClass& cls) : cls_(cls) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object) *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return cls_.create(iid, object);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        lock ? ++g_serverLocks : --g_serverLocks;
        return S_OK;
    }

private:
    const ServerClass& cls_;
};

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Writes `value` (a string) under HKEY_CLASSES_ROOT\key, as `name` or the default.
bool SetKey(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey owner(raw);
    return RegSetValueExW(raw, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

std::wstring ProgId(const ServerClass& cls) {
    return std::wstring(L"Qel_SkinControl.") + cls.name;
}

// This build's and the other build's side of the registry: class keys are kept
// apart for 32 and 64 bits, programmatic identifiers and type libraries shared.
#ifdef _WIN64
constexpr SYSKIND kOwnKind = SYS_WIN64;
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
constexpr const wchar_t* kOwnKindKey = L"win64";
#else
constexpr SYSKIND kOwnKind = SYS_WIN32;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
constexpr const wchar_t* kOwnKindKey = L"win32";
#endif

bool KeyExists(const std::wstring& key, REGSAM view = 0) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ | view, &raw) != ERROR_SUCCESS)
        return false;
    UniqueKey owner(raw);
    return true;
}

// Deletes a key and everything under it; a key already gone is no failure.
HRESULT DeleteKey(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK
                                                                     : HRESULT_FROM_WIN32(status);
}

} // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** factory) {
    if (!factory) return E_POINTER;
    *factory = nullptr;
    for (const ServerClass& cls : kClasses)
        if (*cls.clsid == clsid) return ClassFactory::Create(cls)->QueryInterface(iid, factory);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadNow() {
    return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}

HRESULT RegisterServer(HMODULE module) {
    const std::wstring path = ModuleFileName(module);
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, lib.put());
    if (FAILED(hr)) return hr;
    const std::wstring libid = GuidText(LIBID_Qel_SkinControl);
    for (const ServerClass& cls : kClasses) {
        const std::wstring key = L"CLSID\\" + GuidText(*cls.clsid);
        const std::wstring progId = ProgId(cls);
        bool ok =
            SetKey(key, nullptr, cls.name) && SetKey(key + L"\\InprocServer32", nullptr, path) &&
            SetKey(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
            SetKey(key + L"\\ProgID", nullptr, progId) &&
            SetKey(key + L"\\VersionIndependentProgID", nullptr, progId) &&
            SetKey(key + L"\\TypeLib", nullptr, libid) &&
            SetKey(key + L"\\Version", nullptr, L"1.0") && SetKey(progId, nullptr, cls.name) &&
            SetKey(progId + L"\\CLSID", nullptr, GuidText(*cls.clsid));
        if (!ok) return SELFREG_E_CLASS;
    }
    return S_OK;
}

// Removes this build's registration only: a programmatic identifier stays while
// the other build's class is registered. The first failure is the answer.
HRESULT UnregisterServer(HMODULE) {
    HRESULT result = S_OK;
    auto step = [&](HRESULT hr) {
        if (SUCCEEDED(result)) result = hr;
    };
    for (const ServerClass& cls : kClasses) {
        const std::wstring key = L"CLSID\\" + GuidText(*cls.clsid);
        step(DeleteKey(key));
        if (!KeyExists(key, kOtherView)) step(DeleteKey(ProgId(cls)));
    }
    if (KeyExists(L"TypeLib\\" + GuidText(LIBID_Qel_SkinControl) + L"\\1.0\\0\\" + kOwnKindKey))
        step(UnRegisterTypeLib(LIBID_Qel_SkinControl, 1, 0, LOCALE_NEUTRAL, kOwnKind));
    return result;
}

} // namespace qel
