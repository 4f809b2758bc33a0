// The menu bar's interface, with nothing drawn or tracked yet: the renderer
// builds and runs against it while the bar itself is being written.
#include "renderer/cMenuBar.h"

namespace qel {

cMenuBar::cMenuBar() = default;
cMenuBar::~cMenuBar() {
    Detach();
}

void cMenuBar::SetMenuFont(IFont*) {}
void cMenuBar::SetMenuColours(OLE_COLOR, OLE_COLOR, OLE_COLOR, OLE_COLOR) {}
void cMenuBar::SetPopupMenuObject(IDispatch*) {}
void cMenuBar::Attach(HWND lHWnd, bool bUseClient) {
    window_ = lHWnd;
    useClient_ = bUseClient;
}
void cMenuBar::Detach() {}
void cMenuBar::Render(HFONT, HDC, long, long, long, long, long, bool, long&) {}
bool cMenuBar::AltKeyAccelerator(long) {
    return false;
}
void cMenuBar::PreparePopupItems(HMENU) {}
void cMenuBar::RestorePopupItems() {}
long cMenuBar::BarItemCount() const {
    return 0;
}
HMENU cMenuBar::GetSubMenuFor(long) const {
    return nullptr;
}
void cMenuBar::GetItemScreenRect(long, RECT&) const {}
void cMenuBar::SetDownItem(long, bool) {}
void cMenuBar::SetOverItem(long) {}
long cMenuBar::HitTestPoint(POINT&) const {
    return 0;
}

STDMETHODIMP cMenuBar::get_MsgResponse(EMsgResponse* ret) {
    if (!ret) return E_POINTER;
    *ret = emrConsume;
    return S_OK;
}

STDMETHODIMP cMenuBar::WindowProc(LONG, LONG, LONG_PTR, LONG_PTR, LONG_PTR* ret) {
    if (!ret) return E_POINTER;
    *ret = 0;
    return S_OK;
}

} // namespace qel
