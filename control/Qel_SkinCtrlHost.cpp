// The renderer's reports passed on to the host, the host's stacking order, and
// the colours of the host form and its controls.
#include "base/LateBound.h"
#include "base/TypeName.h"
#include "control/Qel_SkinCtrl.h"
#include "renderer/Qel_SkinClass.h"

#include <algorithm>
#include <cwctype>

namespace qel {
namespace {

std::wstring LowerName(IDispatch* control) {
    std::optional<Variant> v = GetProperty(control, L"Name", VT_BSTR);
    std::wstring name;
    if (v && V_BSTR(&v->get())) name = V_BSTR(&v->get());
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return name;
}

} // namespace

void Qel_SkinCtrl::OnRendererEvent(DISPID id, DISPPARAMS& params) {
    if (id == kSkinResize) {
        events_.Fire(DISPID_SKINCTRL_RESIZE);
    } else if (id == kSkinRepaint) {
        // A menu bar that appeared on a form skinned without one: the skin goes
        // on again with the caption band for a menu, which the form keeps.
        if (!m_HasMenu && m_cN && m_cN->ShowsMenuItems()) {
            m_HasMenu = true;
            Activate(0);
        }
        events_.Fire(DISPID_SKINCTRL_REPAINTING);
    } else if (id == kSkinActiveStatus) {
        VARIANT_BOOL* isActive = ByRefBoolArg(params, 0);
        if (!isActive) return;
        if (IsWindowVisible(m_hWndHost)) {
            ApplyStacking();
            ComPtr<IDispatch> host = HostForm();
            const bool active = *isActive != VARIANT_FALSE;
            PutColourProperty(host.get(), L"BackColor",
                              active ? m_ActiveBackColor : m_InactiveBackColor);
            ColorHostControls(true, active);
        }
        // The host's handler may change the flag; the change reaches the renderer.
        VARIANTARG arg;
        V_VT(&arg) = VT_BOOL | VT_BYREF;
        V_BOOLREF(&arg) = isActive;
        events_.Fire(DISPID_SKINCTRL_FOCUSCHANGE, {arg});
    }
}

// At run time, with the skin on, the host is kept topmost or not as AlwaysOnTop says.
void Qel_SkinCtrl::ApplyStacking() {
    if (!UserMode() || !m_Activated || !HostAlive()) return;
    SetWindowPos(m_hWndHost, m_AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE);
}

STDMETHODIMP Qel_SkinCtrl::put_AlwaysOnTop(VARIANT_BOOL value) {
    return Guard([&] {
        m_AlwaysOnTop = value != VARIANT_FALSE;
        PropertyChanged(DISPID_SKINCTRL_ALWAYSONTOP);
        ApplyStacking();
        return S_OK;
    });
}

void Qel_SkinCtrl::ApplyFormColors() {
    ComPtr<IDispatch> host = HostForm();
    if (!m_Config) {
        PutColourProperty(host.get(), L"BackColor", m_OriginalBackColor);
        ColorHostControls(false, false);
    } else {
        PutColourProperty(host.get(), L"BackColor", m_ActiveBackColor);
        ColorHostControls(true, true);
    }
}

// Recolours the host's frames, check boxes, picture boxes, option buttons,
// labels and controls named like buttons or panels. While the skin is on, each
// control's own colours are kept the first time it is recoloured; when the
// skin goes, every control gets back exactly the colours it had.
void Qel_SkinCtrl::ColorHostControls(bool SkinOn, bool IsActive) {
    if (!SkinOn) { // what was recoloured is given back even if recolouring was switched off since
        for (auto& [identity, own] : ownColours_) {
            ComPtr<IDispatch> control = identity.as<IDispatch>();
            if (own.back) PutColourProperty(control.get(), L"BackColor", *own.back);
            if (own.fore) PutColourProperty(control.get(), L"ForeColor", *own.fore);
        }
        ownColours_.clear();
        return;
    }
    if (!m_ChangeControlColor) return;
    ComPtr<IDispatch> host = HostForm();
    const std::vector<ComPtr<IDispatch>> items =
        CollectionItems(GetObjectProperty(host.get(), L"Controls").get());
    for (const ComPtr<IDispatch>& control : items) {
        const std::wstring name = LowerName(control.get());
        const std::wstring kind = TypeName(control.get());
        const bool buttonNamed = name.find(L"command") != std::wstring::npos ||
                                 name.find(L"button") != std::wstring::npos;
        const bool isLabel = kind == L"Label";
        const bool candidate = buttonNamed || name.find(L"panel") != std::wstring::npos ||
                               isLabel || kind == L"Frame" || kind == L"CheckBox" ||
                               kind == L"PictureBox" || kind == L"OptionButton";
        if (!candidate) continue;
        const std::optional<OLE_COLOR> back = GetColourProperty(control.get(), L"BackColor");
        auto is = [&](OLE_COLOR c) { return back && *back == c; };
        const bool recolour = buttonNamed || isLabel || is(m_ActivationBackColor) ||
                              is(m_ActiveBackColor) || (IsActive && is(m_InactiveBackColor));
        if (!recolour) continue;
        ComPtr<IUnknown> identity = control.identity();
        if (!ownColours_.count(identity))
            ownColours_[identity] = {back, GetColourProperty(control.get(), L"ForeColor")};
        PutColourProperty(control.get(), L"BackColor",
                          IsActive ? m_ActiveBackColor : m_InactiveBackColor);
        PutColourProperty(control.get(), L"ForeColor", m_ControlForeColor);
    }
}

} // namespace qel
