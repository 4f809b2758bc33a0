#include "forms/TabStrip.h"
#include "forms/OffScreenPaint.h"
#include "forms/TabControl.h"

#include <commctrl.h>

namespace qel::forms {
namespace {

// The common controls' tab class, registered on first use.
const char* TabClass() {
    [[maybe_unused]] static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    return WC_TABCONTROLA;
}

} // namespace

TabStrip::TabStrip(TabControl& owner) : owner_(owner) {
    RECT client{};
    GetClientRect(owner.hWnd(), &client);
    CreateWindowOf(TabClass(), "",
                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_FOCUSONBUTTONDOWN, 0,
                   owner.hWnd(), client);
    SendMessageA(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(owner.FontHandle()), FALSE);
}

void TabStrip::SetTabs(const std::vector<std::string>& captions) {
    long current = Current();
    SendMessageA(hWnd(), TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < captions.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[i].c_str());
        SendMessageA(hWnd(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    if (!captions.empty())
        Current(current < 0 ? 0 : std::min<long>(current, static_cast<long>(captions.size()) - 1));
}

long TabStrip::Current() const {
    return static_cast<long>(SendMessageA(hWnd(), TCM_GETCURSEL, 0, 0));
}

void TabStrip::Current(long tab) {
    SendMessageA(hWnd(), TCM_SETCURSEL, tab, 0);
}

RECT TabStrip::PageArea() const {
    RECT area{};
    GetClientRect(hWnd(), &area);
    SendMessageA(hWnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

// Behind the tabs the back colour, then the raised border of the page area, the
// other tabs, and last the current tab, a little larger and open towards its page.
void TabStrip::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, owner_.back_.Brush());
    const long count = static_cast<long>(SendMessageA(hWnd(), TCM_GETITEMCOUNT, 0, 0));
    const long current = Current();
    RECT body = client;
    if (count > 0) {
        RECT first{};
        SendMessageA(hWnd(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        body.top = first.bottom;
    }
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT);
    Selection font(dc, owner_.FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToRgb(owner_.fore_));
    auto drawTab = [&](long i) {
        RECT r{};
        SendMessageA(hWnd(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        const bool isCurrent = i == current;
        if (isCurrent) {
            InflateRect(&r, 2, 2);
            r.bottom += 1;
        }
        FillRect(dc, &r, (isCurrent ? owner_.currentTab_ : owner_.tabs_).Brush());
        DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        const std::string& caption = owner_.captions_[i];
        RECT text = r;
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (isCurrent && GetFocus() == hWnd()) {
            InflateRect(&r, -3, -3);
            DrawFocusRect(dc, &r);
        }
    };
    for (long i = 0; i < count && i < static_cast<long>(owner_.captions_.size()); ++i)
        if (i != current) drawTab(i);
    if (current >= 0 && current < static_cast<long>(owner_.captions_.size())) drawTab(current);
}

LRESULT TabStrip::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (PaintOffScreen(hWnd(), msg, result, [&](HDC dc, const RECT& r) { Paint(dc, r); }))
        return result;
    result = Default(msg, wParam, lParam);
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS)
        InvalidateRect(hWnd(), nullptr, FALSE); // the focus mark
    return result;
}

} // namespace qel::forms
