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

// The face is 42 x 36 pixels in colours of the 16-colour palette.
constexpr int kFaceW = 42, kFaceH = 36;
constexpr COLORREF kBlack = RGB(0, 0, 0), kNavy = RGB(0, 0, 128), kGrey = RGB(128, 128, 128),
                   kSilver = RGB(192, 192, 192), kWhite = RGB(255, 255, 255),
                   kTeal = RGB(0, 128, 128);

void Fill(HDC dc, RECT r, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.get());
}

// A raised button holding a small skinned window: a teal frame, a navy caption
// with three caption buttons, and a white client area.
void DrawFace(HDC dc) {
    Fill(dc, {0, 0, kFaceW, kFaceH}, kSilver);
    Fill(dc, {0, 0, kFaceW - 1, 1}, kWhite);
    Fill(dc, {0, 0, 1, kFaceH - 1}, kWhite);
    Fill(dc, {1, kFaceH - 2, kFaceW - 1, kFaceH - 1}, kGrey);
    Fill(dc, {kFaceW - 2, 1, kFaceW - 1, kFaceH - 1}, kGrey);
    Fill(dc, {0, kFaceH - 1, kFaceW, kFaceH}, kBlack);
    Fill(dc, {kFaceW - 1, 0, kFaceW, kFaceH}, kBlack);
    Fill(dc, {6, 5, 36, 31}, kTeal);
    Fill(dc, {8, 7, 34, 13}, kNavy);
    for (int i = 0; i < 3; ++i)
        Fill(dc, {24 + 3 * i, 8, 26 + 3 * i, 12}, kSilver);
    Fill(dc, {8, 14, 34, 29}, kWhite);
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

// A host in design mode shows the control by its face; at run time the
// control has nothing to show.
STDMETHODIMP Qel_SkinCtrl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    return Guard([&] {
        if (UserMode()) return S_OK;
        MemorySurface face(dc, kFaceW, kFaceH);
        if (!face) return E_OUTOFMEMORY;
        DrawFace(face.dc());
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, bounds->left, bounds->top, bounds->right - bounds->left,
                   bounds->bottom - bounds->top, face.dc(), 0, 0, kFaceW, kFaceH, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    return sink ? CopyTo(viewSink_, sink) : S_OK;
}

STDMETHODIMP Qel_SkinCtrl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

} // namespace qel
