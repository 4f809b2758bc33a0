#include "forms/ActiveXSource.h"
#include "base/Handle.h"
#include "forms/App.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

#include <map>

namespace qel::forms {
namespace {

using UniqueModule = UniqueHandle<HMODULE, FreeLibrary>;
using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

// DLLs loaded for their class factories stay loaded while the program runs: their
// objects may be held anywhere until then.
HMODULE LoadServer(const std::string& path) {
    static std::map<std::string, UniqueModule> modules;
    auto found = modules.find(path);
    if (found != modules.end()) return found->second.get();
    UniqueModule module(LoadLibraryA(path.c_str()));
    HMODULE raw = module.get();
    if (raw) modules.emplace(path, std::move(module));
    return raw;
}

std::string Hex(HRESULT hr) {
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

} // namespace

ActiveXSource ActiveXSource::FromProgId(std::wstring progId) {
    ActiveXSource source;
    source.progId_ = std::move(progId);
    return source;
}

ActiveXSource ActiveXSource::FromDll(std::string dll, const CLSID& clsid) {
    ActiveXSource source;
    source.dll_ = std::move(dll);
    source.clsid_ = clsid;
    return source;
}

ActiveXSource ActiveXSource::FromProgIdOrDll(std::wstring progId, std::string dll,
                                             const CLSID& clsid) {
    ActiveXSource source = FromDll(std::move(dll), clsid);
    source.progId_ = std::move(progId);
    return source;
}

ComPtr<IUnknown> ActiveXSource::CreateInstance() const {
    std::string reasons;
    ComPtr<IUnknown> object;
    if (!progId_.empty()) {
        CLSID clsid{};
        HRESULT hr = progId_[0] == L'{' ? CLSIDFromString(progId_.c_str(), &clsid)
                                        : CLSIDFromProgID(progId_.c_str(), &clsid);
        if (SUCCEEDED(hr))
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  object.put_void());
        if (object) return object;
        reasons += "class " + Narrow(progId_) + ": " + Hex(hr);
    }
    if (!dll_.empty()) {
        std::string path = dll_;
        if (path.find(':') == std::string::npos && path.rfind("\\\\", 0) != 0)
            path = App::Path() + "\\" + path;
        HRESULT hr = E_FAIL;
        if (HMODULE module = LoadServer(path)) {
            auto get = reinterpret_cast<GetClassObject>(
                reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject")));
            ComPtr<IClassFactory> factory;
            hr = get ? get(clsid_, IID_IClassFactory, factory.put_void()) : E_NOINTERFACE;
            if (factory) hr = factory->CreateInstance(nullptr, IID_IUnknown, object.put_void());
        } else {
            hr = HRESULT_FROM_WIN32(GetLastError());
        }
        if (object) return object;
        reasons += std::string(reasons.empty() ? "" : "; ") + path + ": " + Hex(hr);
    }
    throw RuntimeError(kCannotCreateObject,
                       "ActiveX component can't create object (" + reasons + ")");
}

} // namespace qel::forms
