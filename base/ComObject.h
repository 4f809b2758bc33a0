// Reference counting, QueryInterface and type-library IDispatch for the
// library's COM classes. A class derives from ComObject<Self, Primary, Others...>:
// Primary is its default interface (answered also for IUnknown and, when dual,
// IDispatch); Others are further interfaces it implements.
#pragma once
#include "base/ComPtr.h"
#include "base/TypeLib.h"

#include <oaidl.h>
#include <oleauto.h>
#include <atomic>
#include <type_traits>
#include <utility>

namespace qel {

// Objects of the module's classes now alive (a server may unload at none).
inline std::atomic<long> g_liveObjects{0};

template <class Derived, class Primary, class... Others>
class ComObject : public Primary, public Others..., public ISupportErrorInfo {
public:
    template <class... Args> static ComPtr<Derived> Create(Args&&... args) {
        return ComPtr<Derived>::Adopt(new Derived(std::forward<Args>(args)...));
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = Find(iid);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) {
            // References taken and dropped by the destructor must not free it again.
            refs_ = kDestroying;
            delete static_cast<Derived*>(this);
        }
        return static_cast<ULONG>(n);
    }

    // IDispatch, described by the type library's entry for Primary.
    STDMETHODIMP GetTypeInfoCount(UINT* n) {
        if (!n) return E_POINTER;
        *n = LibraryTypeInfo(__uuidof(Primary)) ? 1 : 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
        if (!info) return E_POINTER;
        *info = nullptr;
        ITypeInfo* ti = LibraryTypeInfo(__uuidof(Primary));
        if (index != 0 || !ti) return DISP_E_BADINDEX;
        ti->AddRef();
        *info = ti;
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
        ITypeInfo* ti = LibraryTypeInfo(__uuidof(Primary));
        return ti ? DispGetIDsOfNames(ti, names, count, ids) : E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) {
        ITypeInfo* ti = LibraryTypeInfo(__uuidof(Primary));
        if (!ti) return E_NOTIMPL;
        return DispInvoke(static_cast<Primary*>(this), ti, id, flags, params, result, excep,
                          argErr);
    }

    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }

    // The object's identity as a plain IUnknown.
    IUnknown* Unknown() { return static_cast<Primary*>(this); }

protected:
    ComObject() { ++g_liveObjects; }
    virtual ~ComObject() { --g_liveObjects; }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // Further interfaces a class answers beyond its bases (null when none).
    virtual void* FindOther(REFIID) { return nullptr; }

private:
    static constexpr LONG kDestroying = 0x3FFFFFFF;

    void* Find(REFIID iid) {
        if (iid == IID_IUnknown || iid == __uuidof(Primary)) return static_cast<Primary*>(this);
        if constexpr (std::is_base_of_v<IDispatch, Primary>) {
            if (iid == IID_IDispatch) return static_cast<Primary*>(this);
        }
        if (iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        void* found = nullptr;
        (void)((iid == __uuidof(Others) ? (found = static_cast<Others*>(this), true) : false) ||
               ...);
        return found ? found : FindOther(iid);
    }

    LONG refs_ = 1;
};

} // namespace qel
