#include "renderer/Qel_SkinMenu.h"
#include "hooking/MSubclass.h"
#include "renderer/MenuHook.h"
#include "renderer/cMenuBar.h"

namespace qel {
namespace {

// How long after a popup opens mouse messages are taken as its appearing.
constexpr LONG kPopupSettleMs = 50;

} // namespace

Qel_SkinMenu::~Qel_SkinMenu() {
    Terminate();
}

ComPtr<cMenuBar> Qel_SkinMenu::Owner() const {
    return ComPtr<cMenuBar>(owner_);
}

void Qel_SkinMenu::Init(HWND window, cMenuBar* owner) {
    Terminate();
    window_ = window;
    SendMessageA(window_, WM_ENTERMENULOOP, 0, 0);
    AttachMessageImpl(this, window_, WM_MENUSELECT);
    owner_ = owner;
}

void Qel_SkinMenu::Terminate() {
    if (window_) {
        SendMessageA(window_, WM_EXITMENULOOP, 0, 0);
        DetachMessageImpl(this, window_, WM_MENUSELECT);
    }
    window_ = nullptr;
    owner_ = nullptr;
    // A tracker unbound in the middle of a popup leaves no hook that reaches it.
    ReleaseMenuHook(this);
}

void Qel_SkinMenu::TrackMenu(long item, long& result) {
    result = 0;
    ComPtr<Qel_SkinMenu> self(this); // the bar may let its tracker go during the popup
    pending_ = item;
    while (pending_ > -1) {
        ComPtr<cMenuBar> owner = Owner();
        // A window destroyed meanwhile (a command of the last popup closed it) gets no popup.
        if (!owner || !IsWindow(window_)) break;
        result = 0;
        item = pending_;
        pending_ = -1;
        const bool onBar = item >= 1 && item <= owner->BarItemCount();
        if (onBar) owner->SetDownItem(item, true);
        SetState(kTracking, item);
        InstallMenuHook(this);

        RECT r{};
        if (onBar) owner->GetItemScreenRect(item, r);
        TPMPARAMS params{sizeof(TPMPARAMS), r};
        if (HMENU popup = owner->GetSubMenuFor(item)) {
            currentPopup_ = popup;
            GetCursorPos(&lastMouse_);
            popupOpened_ = GetTickCount();
            result = TrackPopupMenuEx(popup, TPM_VERTICAL, r.left, r.bottom, window_, &params);
        }

        RemoveMenuHook();
        if (ComPtr<cMenuBar> still = Owner(); still && onBar) still->SetDownItem(item, false);
        SetState(kIdle, item);
    }
}

void Qel_SkinMenu::SetState(int state, long item) {
    if (state == state_) return;
    if (state == kIdle) item = -1;
    if (ComPtr<cMenuBar> owner = Owner()) owner->SetOverItem(item);
    if (state == kTracking) {
        noSubmenu_ = true;
        barPopup_ = true;
        currentItem_ = item;
    }
    state_ = state;
}

void Qel_SkinMenu::SelectionStep(HMENU menu, UINT item, UINT flags) {
    if (state_ <= kIdle) return;
    // The item is a position only for items that open a submenu; a command
    // item's number is its identifier.
    noSubmenu_ = !(flags & MF_POPUP) || GetSubMenu(menu, static_cast<int>(item)) == nullptr;
    barPopup_ = menu == currentPopup_;
    selectedMenu_ = menu;
}

bool Qel_SkinMenu::IsSubmenuOfCurrentPopup(HMENU menu) const {
    const int n = menu && currentPopup_ ? GetMenuItemCount(currentPopup_) : 0;
    for (int i = 0; i < n; ++i)
        if (GetSubMenu(currentPopup_, i) == menu) return true;
    return false;
}

long Qel_SkinMenu::Neighbour(long step) const {
    ComPtr<cMenuBar> owner = Owner();
    const long count = owner ? owner->BarItemCount() : 0;
    long next = currentItem_ + step;
    if (next < 1) next = count;
    if (next > count) next = 1;
    return next;
}

bool Qel_SkinMenu::SetPendingItem(long item) {
    ComPtr<cMenuBar> owner = Owner();
    if (!owner || item < 1 || item == currentItem_ || !owner->GetSubMenuFor(item)) return false;
    pending_ = item;
    return true;
}

void Qel_SkinMenu::SwitchTo(long item) {
    if (SetPendingItem(item)) PostMessageA(window_, WM_CANCELMODE, 0, 0);
}

bool Qel_SkinMenu::FilterMessage(const MSG& msg) {
    ComPtr<cMenuBar> owner = Owner();
    if (!owner) return false;
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_LEFT) {
            if (barPopup_) {
                SwitchTo(Neighbour(-1));
                return true;
            }
            // Left closes the submenu the selection is in. When that is a submenu
            // of the bar item's popup, the selection is back on the item that
            // opened it; the platform need not report that selection.
            if (IsSubmenuOfCurrentPopup(selectedMenu_)) {
                barPopup_ = true;
                noSubmenu_ = false;
                selectedMenu_ = currentPopup_;
            }
        } else if (msg.wParam == VK_RIGHT && noSubmenu_) {
            SwitchTo(Neighbour(1));
            return true;
        }
        return false;
    case WM_MOUSEMOVE: {
        // Mouse messages also come while the popup appears and when windows
        // appear under a still mouse, and some carry where the mouse was before:
        // only a move of the mouse itself, once the popup is up, may switch
        // popups, to the item the mouse is over now.
        if (static_cast<LONG>(msg.time - popupOpened_) < kPopupSettleMs) return false;
        POINT pt{};
        GetCursorPos(&pt);
        if (pt.x == lastMouse_.x && pt.y == lastMouse_.y) return false;
        lastMouse_ = pt;
        const long item = owner->HitTestPoint(pt);
        if (item >= 1 && item != currentItem_) SwitchTo(item);
        return false;
    }
    case WM_LBUTTONDOWN: {
        POINT pt = msg.pt;
        return owner->HitTestPoint(pt) == currentItem_;
    }
    default:
        return false;
    }
}

STDMETHODIMP Qel_SkinMenu::get_MsgResponse(EMsgResponse* ret) {
    if (!ret) return E_POINTER;
    *ret = CurrentMessage() == WM_MENUSELECT ? emrPreprocess : emrConsume;
    return S_OK;
}

STDMETHODIMP Qel_SkinMenu::WindowProc(LONG, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                                      LONG_PTR* ret) {
    if (!ret) return E_POINTER;
    *ret = 0;
    try {
        if (static_cast<UINT>(iMsg) == WM_MENUSELECT)
            SelectionStep(reinterpret_cast<HMENU>(lParam), LOWORD(wParam), HIWORD(wParam));
    } catch (...) {
    }
    return S_OK;
}

} // namespace qel
