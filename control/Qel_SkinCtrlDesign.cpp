// While a form is being designed the control keeps its 630 x 540 twip face
// and offers a menu that copies the form's size into the size limits.
#include "base/Handle.h"
#include "base/LateBound.h"
#include "control/Qel_SkinCtrl.h"

#include <cmath>

namespace qel {
namespace {

enum SizeMenuItem : UINT {
    mnuSetMinMaxToZero = 1,
    mnuSetMinWid,
    mnuSetMinHgt,
    mnuSetMaxWid,
    mnuSetMaxHgt,
};

LONG Twips(LONG himetric) {
    return static_cast<LONG>(std::lround(himetric * 1440.0 / 2540.0));
}

} // namespace

STDMETHODIMP Qel_SkinCtrl::SetExtent(DWORD aspect, SIZEL* size) {
    return Guard([&] {
        if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!size) return E_POINTER;
        if (UserMode()) {
            extent_ = *size;
            return S_OK;
        }
        if (Twips(size->cx) == 630 && Twips(size->cy) == 540) return S_OK;
        // The face keeps its size; a resize of a control loaded with its form shows the menu.
        if (site_) site_->RequestNewObjectLayout();
        if (!m_Loading) ShowSizeMenu();
        return E_FAIL;
    });
}

void Qel_SkinCtrl::ShowSizeMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    AppendMenuA(menu.get(), MF_STRING, mnuSetMinMaxToZero, "Reset Min\\Max to Zero");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, "-");
    AppendMenuA(menu.get(), MF_STRING, mnuSetMinWid,
                "Set Form Minimum Width to Current Form Width");
    AppendMenuA(menu.get(), MF_STRING, mnuSetMinHgt,
                "Set Form Minimum Height to Current Form Height");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, "-");
    AppendMenuA(menu.get(), MF_STRING, mnuSetMaxWid, "Set Form Max Width to Current Form Width");
    AppendMenuA(menu.get(), MF_STRING, mnuSetMaxHgt, "Set Form Max Height to Current Form Height");

    HWND owner = nullptr;
    if (ComPtr<IOleWindow> window = site_.as<IOleWindow>()) window->GetWindow(&owner);
    if (!owner) owner = WindowOfForm(HostForm().get());
    POINT at;
    GetCursorPos(&at);
    const UINT chosen = TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                       at.x, at.y, 0, owner, nullptr);

    // The form's outer size in twips, whatever its ScaleMode.
    ComPtr<IDispatch> host = HostForm();
    auto formSize = [&](const wchar_t* name) -> std::optional<LONG> {
        VARIANT v;
        if (!GetProperty(host.get(), name, &v) || FAILED(VariantChangeType(&v, &v, 0, VT_I4)))
            return std::nullopt;
        return V_I4(&v);
    };
    switch (chosen) {
    case mnuSetMinMaxToZero:
        put_FormMaxHeight(0);
        put_FormMaxWidth(0);
        put_FormMinHeight(0);
        put_FormMinWidth(0);
        break;
    case mnuSetMinWid:
        if (auto w = formSize(L"Width")) put_FormMinWidth(*w);
        break;
    case mnuSetMinHgt:
        if (auto h = formSize(L"Height")) put_FormMinHeight(*h);
        break;
    case mnuSetMaxWid:
        if (auto w = formSize(L"Width")) put_FormMaxWidth(*w);
        break;
    case mnuSetMaxHgt:
        if (auto h = formSize(L"Height")) put_FormMaxHeight(*h);
        break;
    default:
        break;
    }
}

} // namespace qel
