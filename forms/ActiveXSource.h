// Where a hosted ActiveX control comes from: a registered class (by programmatic
// identifier or by class identifier in braces), or a DLL's own class factory
// without registration, or the registered class when there is one and the DLL
// otherwise.
#pragma once
#include "base/ComPtr.h"

#include <string>

namespace qel::forms {

class ActiveXSource {
public:
    // "Library.Class" or "{class identifier}".
    static ActiveXSource FromProgId(std::wstring progId);
    // A DLL path relative to the program's folder, or absolute; the class to make.
    static ActiveXSource FromDll(std::string dll, const CLSID& clsid);
    // A registered class, with the DLL to fall back on.
    static ActiveXSource FromProgIdOrDll(std::wstring progId, std::string dll, const CLSID& clsid);

    // A new instance; run-time error 429 (with the reasons) when neither way works.
    ComPtr<IUnknown> CreateInstance() const;

private:
    std::wstring progId_;
    std::string dll_;
    CLSID clsid_{};
};

} // namespace qel::forms
