// The class name of an automation object, as a late-bound client tells kinds apart
// ("Form", "Label", "CommandButton", ...).
#pragma once
#include "base/Bstr.h"
#include "base/ComPtr.h"

#include <oaidl.h>
#include <ocidl.h>
#include <oleauto.h>
#include <string>

namespace qel {

// The name a type information gives itself; empty when it has none.
inline std::wstring TypeInfoName(ITypeInfo* info) {
    Bstr name;
    if (!info ||
        FAILED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
        return {};
    return name.get() ? name.get() : L"";
}

// The object's class name from its class information (IProvideClassInfo), else the
// name of its dispatch type information without a leading underscore; empty when
// the object describes itself by neither.
inline std::wstring TypeName(IUnknown* object) {
    if (!object) return {};
    ComPtr<IUnknown> unknown(object);
    ComPtr<ITypeInfo> info;
    if (auto provider = unknown.as<IProvideClassInfo>();
        provider && SUCCEEDED(provider->GetClassInfo(info.put())) && info)
        return TypeInfoName(info.get());
    auto dispatch = unknown.as<IDispatch>();
    if (!dispatch || FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) || !info)
        return {};
    std::wstring name = TypeInfoName(info.get());
    if (!name.empty() && name[0] == L'_') name.erase(0, 1);
    return name;
}

} // namespace qel
