// The control library as a COM server: its exports register it, clients create
// its classes by programmatic identifier and use them late-bound.
#include "base/ComPtr.h"
#include "base/LateBound.h"
#include "base/Module.h"
#include "typelib/QelTypeLib.h"
#include "tests/support/Paths.h"
#include "tests/support/Screen.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <string>

namespace qel {
namespace {

namespace fs = std::filesystem;

class ComServer : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA(test::WindowsPath(QEL_CONTROL_DLL).c_str());
        ASSERT_TRUE(module) << QEL_CONTROL_DLL;
        ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        Call("DllUnregisterServer");
        FreeLibrary(module);
    }
    // Calls one of the library's exports that take no argument.
    HRESULT Call(const char* name) {
        auto* proc = reinterpret_cast<void*>(GetProcAddress(module, name));
        return proc ? reinterpret_cast<HRESULT(WINAPI*)()>(proc)() : E_NOTIMPL;
    }

    HMODULE module = nullptr;
};

ComPtr<IDispatch> CreateByProgId(const wchar_t* progId) {
    CLSID clsid;
    ComPtr<IDispatch> object;
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)))
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
    return object;
}

TEST_F(ComServer, RegisteredClassesAreCreatedByProgIdAndUsedLateBound) {
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"Qel_SkinControl.CTimer", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_CTimer));

    ComPtr<IDispatch> timer = CreateByProgId(L"Qel_SkinControl.CTimer");
    ASSERT_TRUE(timer);
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = 250;
    ASSERT_TRUE(PutProperty(timer.get(), L"Interval", v));
    ASSERT_TRUE(GetProperty(timer.get(), L"Interval", &v));
    EXPECT_EQ(V_I4(&v), 250);
    V_I4(&v) = 0;
    PutProperty(timer.get(), L"Interval", v);

    for (const wchar_t* name : {L"Qel_SkinControl.cNCCalcSize", L"Qel_SkinControl.GSubclass",
                                L"Qel_SkinControl.ISubclass", L"Qel_SkinControl.Qel_SkinAreaMod"})
        EXPECT_TRUE(CreateByProgId(name)) << name;
}

TEST_F(ComServer, TheTypeLibraryIsRegisteredAndDescribesTheClasses) {
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(LIBID_Qel_SkinControl, 1, 0, LOCALE_NEUTRAL, lib.put()), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_cNCCalcSize, info.put()), S_OK);
    BSTR name = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    EXPECT_EQ(std::wstring(name), L"cNCCalcSize");
    SysFreeString(name);
}

TEST_F(ComServer, TheLibraryCanUnloadOnlyWhenNothingIsAlive) {
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
    {
        ComPtr<IDispatch> object = CreateByProgId(L"Qel_SkinControl.GSubclass");
        ASSERT_TRUE(object);
        EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    }
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

// The 32-bit build's type library, registered beside this build's, outlives
// this build's unregistration.
TEST_F(ComServer, UnregisteringRemovesThisBuildsRegistrationOnly) {
    wchar_t guid[40];
    StringFromGUID2(LIBID_Qel_SkinControl, guid, 40);
    const std::wstring lib = L"TypeLib\\" + std::wstring(guid),
                       path = fs::path(test::WindowsPath(QEL_CONTROL_DLL));
    RegSetKeyValueW(HKEY_CLASSES_ROOT, (lib + L"\\1.0\\0\\win32").c_str(), nullptr, REG_SZ,
                    path.c_str(), DWORD(path.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    auto has = [](const std::wstring& key) {
        return RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    };
    EXPECT_FALSE(has(L"Qel_SkinControl.CTimer"));
    EXPECT_TRUE(has(lib + L"\\1.0\\0\\win32"));
    EXPECT_FALSE(has(lib + L"\\1.0\\0\\win64"));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, lib.c_str());
}

// Installed deeper than the short path limit, the library knows its whole path.
TEST(ComServerModule, ALibraryInstalledDeepKnowsItsWholePath) {
    const fs::path dll = fs::absolute(test::OutputPath("com")) / std::string(150, 'd') /
                         std::string(150, 'd') / "Qel_SkinControl.dll";
    fs::create_directories(dll.parent_path());
    CopyFileW(fs::path(test::WindowsPath(QEL_CONTROL_DLL)).c_str(), dll.c_str(), FALSE);
    HMODULE module = LoadLibraryW(dll.c_str());
    ASSERT_TRUE(module);
    EXPECT_EQ(ModuleFileName(module), dll.wstring());
    FreeLibrary(module);
}

} // namespace
} // namespace qel
