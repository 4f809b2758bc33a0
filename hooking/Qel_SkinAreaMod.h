// The non-client implementation interface's own object: every member does
// nothing; hwnd, AltKeyAccelerator and Method answer 0, CanSize and CanClose False.
#pragma once
#include "base/ComObject.h"
#include "typelib/QelTypeLib.h"

namespace qel {

class Qel_SkinAreaModObject final : public ComObject<Qel_SkinAreaModObject, _Qel_SkinAreaMod> {
public:
    STDMETHODIMP get_hwnd(LONG* ret) override { return Zero(ret); }
    STDMETHODIMP GetTopMarginHeight(LONG*) override { return S_OK; }
    STDMETHODIMP GetLeftMarginWidth(LONG*) override { return S_OK; }
    STDMETHODIMP GetRightMarginWidth(LONG*) override { return S_OK; }
    STDMETHODIMP GetBottomMarginHeight(LONG*) override { return S_OK; }
    STDMETHODIMP NCPaint(LONG, LONG, LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP HitTest(LONG, LONG, ECNCHitTestConstants*) override { return S_OK; }
    STDMETHODIMP NCMouseDown(LONG, LONG, VARIANT_BOOL*, LONG, LONG, LONG, LONG, LONG) override {
        return S_OK;
    }
    STDMETHODIMP NCMouseUp(LONG, LONG, LONG, LONG, LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP InitMenuPopup(LONG, LONG) override { return S_OK; }
    STDMETHODIMP ExitMenuLoop() override { return S_OK; }
    STDMETHODIMP AltKeyAccelerator(LONG, LONG* ret) override { return Zero(ret); }
    STDMETHODIMP get_Method(LONG* ret) override { return Zero(ret); }
    STDMETHODIMP get_CanSize(VARIANT_BOOL* ret) override { return Zero(ret); }
    STDMETHODIMP get_CanClose(VARIANT_BOOL* ret) override { return Zero(ret); }

private:
    template <class T> static HRESULT Zero(T* ret) {
        if (!ret) return E_POINTER;
        *ret = 0;
        return S_OK;
    }
};

} // namespace qel
