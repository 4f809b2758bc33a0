// A plain window as an automation object with one property, hWnd: what the
// library's members that take a form read of it, for hosts that have a window
// but no form object.
#pragma once
#include "base/ComObject.h"

namespace qel {

class WindowObject final : public ComObject<WindowObject, IDispatch> {
public:
    explicit WindowObject(HWND hwnd) : hwnd_(hwnd) {}

    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    HWND hwnd_;
};

} // namespace qel
