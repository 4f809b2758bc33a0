#include "hooking/GSubclass.h"
#include "base/ComGuard.h"

namespace qel {

STDMETHODIMP GSubclass::AttachMessage(_ISubclass* iwp, LONG hwnd, LONG iMsg) {
    return ComGuard([&] {
        return AttachMessageImpl(iwp, static_cast<HWND>(LongToHandle(hwnd)),
                                 static_cast<UINT>(iMsg));
    });
}

STDMETHODIMP GSubclass::DetachMessage(_ISubclass* iwp, LONG hwnd, LONG iMsg) {
    return ComGuard([&] {
        DetachMessageImpl(iwp, static_cast<HWND>(LongToHandle(hwnd)), static_cast<UINT>(iMsg));
        return S_OK;
    });
}

STDMETHODIMP GSubclass::get_CurrentMessage(LONG* ret) {
    if (!ret) return E_POINTER;
    *ret = static_cast<LONG>(CurrentMessage());
    return S_OK;
}

STDMETHODIMP GSubclass::CallOldWindowProc(LONG hwnd, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                                          LONG_PTR* ret) {
    if (!ret) return E_POINTER;
    *ret = CallOldWindowProcImpl(static_cast<HWND>(LongToHandle(hwnd)), static_cast<UINT>(iMsg),
                                 static_cast<WPARAM>(wParam), lParam);
    return S_OK;
}

STDMETHODIMP ISubclassObject::get_MsgResponse(EMsgResponse* ret) {
    if (!ret) return E_POINTER;
    *ret = emrConsume;
    return S_OK;
}

STDMETHODIMP ISubclassObject::WindowProc(LONG, LONG, LONG_PTR, LONG_PTR, LONG_PTR* ret) {
    if (!ret) return E_POINTER;
    *ret = 0;
    return S_OK;
}

} // namespace qel
