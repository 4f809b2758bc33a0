// The popup tracker of a drawn menu bar: opens the popup of a bar item directly
// below it and keeps the bar usable while a popup is open. The bar item stays
// pressed; Left and Right, and the mouse moving onto another bar item, close the
// open popup and open the neighbour's. The menu loop's keyboard and mouse
// messages reach it through the thread's menu filter hook (MenuHook.h), the
// selection through the window's WM_MENUSELECT.
#pragma once
#include "base/ComObject.h"
#include "typelib/QelTypeLib.h"

namespace qel {

class cMenuBar;

class Qel_SkinMenu final : public ComObject<Qel_SkinMenu, _ISubclass> {
public:
    Qel_SkinMenu() = default;
    ~Qel_SkinMenu() override;

    // Binds the tracker to the window that owns the popups and to its bar,
    // which is held without a counted reference (the bar owns the tracker).
    void Init(HWND window, cMenuBar* owner);
    // Unbinds it; afterwards TrackMenu shows nothing.
    void Terminate();
    // The window was destroyed: nothing is sent to its handle any more.
    void WindowGone() { window_ = nullptr; }
    // Shows the popup of bar item `item`, then of every item switched to
    // meanwhile, until none is pending; `result` is the last popup's result.
    // Not while IsTracking: the bar asks before it calls.
    void TrackMenu(long item, long& result);
    // A message of the menu loop; true swallows it.
    bool FilterMessage(const MSG& msg);
    // Makes `item` the popup to open when the current one has closed; false
    // (and nothing changes) when it is not another bar item with a popup.
    bool SetPendingItem(long item);
    bool IsTracking() const { return state_ == kTracking; }

    // _ISubclass
    STDMETHODIMP get_MsgResponse(EMsgResponse* ret) override;
    STDMETHODIMP put_MsgResponse(EMsgResponse) override { return S_OK; }
    STDMETHODIMP WindowProc(LONG hwnd, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                            LONG_PTR* ret) override;

private:
    static constexpr int kIdle = 0;
    static constexpr int kTracking = 2;

    ComPtr<cMenuBar> Owner() const;
    void SetState(int state, long item);
    void SelectionStep(HMENU menu, UINT item, UINT flags);
    bool IsSubmenuOfCurrentPopup(HMENU menu) const;
    // Closes the open popup so that `item`'s opens next.
    void SwitchTo(long item);
    long Neighbour(long step) const;

    int state_ = kIdle;
    bool noSubmenu_ = true;        // the selected popup item opens no submenu
    bool barPopup_ = true;         // the selection is in the bar item's own popup
    HMENU currentPopup_ = nullptr; // the bar item's popup on show
    long currentItem_ = 0;         // the bar item whose popup is on show
    long pending_ = -1;            // the bar item whose popup opens next; -1: none
    POINT lastMouse_{};            // where the mouse was at the last move the filter took
    DWORD popupOpened_ = 0;        // when the current popup opened (tick count)
    HMENU selectedMenu_ = nullptr; // the menu of the last selection
    HWND window_ = nullptr;
    cMenuBar* owner_ = nullptr; // not counted
};

} // namespace qel
