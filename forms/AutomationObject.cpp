#include "forms/AutomationObject.h"
#include "base/ComError.h"
#include "base/TypeLib.h"
#include "forms/App.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

#include <map>
#include <set>

namespace qel::forms {
namespace {

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof a) < 0; }
};

// The dispatch identifiers that a dispatch interface lists.
const std::set<DISPID>& MembersOf(const IID& iid) {
    static std::map<IID, std::set<DISPID>, GuidLess> members;
    auto found = members.find(iid);
    if (found != members.end()) return found->second;
    std::set<DISPID>& ids = members[iid];
    ITypeInfo* info = LibraryTypeInfo(iid);
    TYPEATTR* attr = nullptr;
    if (info && SUCCEEDED(info->GetTypeAttr(&attr))) {
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            FUNCDESC* f = nullptr;
            if (FAILED(info->GetFuncDesc(i, &f))) continue;
            ids.insert(f->memid);
            info->ReleaseFuncDesc(f);
        }
        info->ReleaseTypeAttr(attr);
    }
    return ids;
}

// The class of the type library whose default interface is `iid`.
ITypeInfo* ClassOf(const IID& iid) {
    static std::map<IID, ComPtr<ITypeInfo>, GuidLess> classes;
    auto found = classes.find(iid);
    if (found != classes.end()) return found->second.get();
    ComPtr<ITypeInfo>& result = classes[iid];
    ComPtr<ITypeLib> lib;
    UINT index = 0;
    ITypeInfo* dispatch = LibraryTypeInfo(iid);
    if (!dispatch || FAILED(dispatch->GetContainingTypeLib(lib.put(), &index))) return nullptr;
    for (UINT i = 0, n = lib->GetTypeInfoCount(); i < n && !result; ++i) {
        TYPEKIND kind;
        ComPtr<ITypeInfo> candidate;
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS ||
            FAILED(lib->GetTypeInfo(i, candidate.put())))
            continue;
        HREFTYPE ref;
        ComPtr<ITypeInfo> first;
        TYPEATTR* attr = nullptr;
        if (FAILED(candidate->GetRefTypeOfImplType(0, &ref)) ||
            FAILED(candidate->GetRefTypeInfo(ref, first.put())) ||
            FAILED(first->GetTypeAttr(&attr)))
            continue;
        if (attr->guid == iid) result = candidate;
        first->ReleaseTypeAttr(attr);
    }
    return result.get();
}

HRESULT Fail(long number, const std::string& description, EXCEPINFO* excep) {
    std::wstring source = Widen(App::Title()), text = Widen(description);
    HRESULT hr = RaiseError(number, source.c_str(), text.c_str());
    if (!excep) return hr;
    *excep = {};
    excep->bstrSource = SysAllocString(source.c_str());
    excep->bstrDescription = SysAllocString(text.c_str());
    excep->scode = hr;
    return DISP_E_EXCEPTION;
}

} // namespace

Automated::Automated() = default;

IDispatch* Automated::Object() {
    if (!object_) object_ = AutomationObject::Create(this);
    return object_.get();
}

Automated::~Automated() {
    CutOffObject();
}

void Automated::CutOffObject() {
    if (object_) object_->CutOff();
}

STDMETHODIMP AutomationObject::GetTypeInfoCount(UINT* n) {
    if (!n) return E_POINTER;
    *n = LibraryTypeInfo(iid_) ? 1 : 0;
    return S_OK;
}

STDMETHODIMP AutomationObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeInfo* ti = LibraryTypeInfo(iid_);
    if (index != 0 || !ti) return DISP_E_BADINDEX;
    return CopyTo(ComPtr<ITypeInfo>(ti), info);
}

STDMETHODIMP AutomationObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                             DISPID* ids) {
    ITypeInfo* ti = LibraryTypeInfo(iid_);
    return ti ? DispGetIDsOfNames(ti, names, count, ids) : E_NOTIMPL;
}

STDMETHODIMP AutomationObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                      VARIANT* result, EXCEPINFO* excep, UINT*) {
    if (!MembersOf(iid_).count(id)) return DISP_E_MEMBERNOTFOUND;
    if (!target_) return Fail(kObjectUnloaded, "Object was unloaded", excep);
    ComPtr<AutomationObject> keep(this); // the call may unload the target
    try {
        DispatchCall call(id, flags, params, result);
        return target_->Invoke(call);
    } catch (const RuntimeError& e) {
        return Fail(e.Number(), e.what(), excep);
    } catch (const std::bad_alloc&) {
        return RaiseFailure(E_OUTOFMEMORY, L"", L"Out of memory");
    } catch (const std::exception& e) {
        return Fail(kInvalidCall, e.what(), excep);
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP AutomationObject::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeInfo* ti = ClassOf(iid_);
    return ti ? CopyTo(ComPtr<ITypeInfo>(ti), info) : E_NOTIMPL;
}

} // namespace qel::forms
