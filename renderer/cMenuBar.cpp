#include "renderer/cMenuBar.h"
#include "base/Variant.h"
#include "base/WideText.h"
#include "hooking/CTimer.h"
#include "hooking/MSubclass.h"
#include "renderer/MenuShades.h"
#include "renderer/MenuText.h"
#include "renderer/Qel_SkinMenu.h"

#include <olectl.h>
#include <windowsx.h>
#include <algorithm>
#include <initializer_list>
#include <vector>

namespace qel {
namespace {

// The messages the bar handles: the first three always, the owner-drawing of
// popup items in the non-client mode only.
constexpr UINT kBarMessages[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MENUCHAR};
constexpr UINT kPopupItemMessages[] = {WM_DRAWITEM, WM_MEASUREITEM};

// Hover tracking polls the cursor this often while an item is hot or pressed.
constexpr LONG kHoverInterval = 50;

ComPtr<IFont> NewFont(const wchar_t* name, LONGLONG size, SHORT charset) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(name);
    desc.cySize.int64 = size;
    desc.sWeight = FW_NORMAL;
    desc.sCharset = charset;
    ComPtr<IFont> font;
    OleCreateFontIndirect(&desc, IID_IFont, font.put_void());
    return font;
}

HFONT FontHandle(IFont* font) {
    HFONT h = nullptr;
    if (font) font->get_hFont(&h);
    return h;
}

std::string Upper(std::string s) {
    if (!s.empty()) CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

bool IsStringItem(UINT type) {
    return !(type & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW));
}

// A popup item's type, identifier and item data, with its whole text when it is
// a string item (read at its full length, however long).
MENUITEMINFOA ReadDefinition(HMENU menu, UINT position, std::string& text) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    text.clear();
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return info;
    if (IsStringItem(info.fType) && info.cch > 0) {
        text.assign(info.cch, '\0');
        MENUITEMINFOA withText = info;
        withText.dwTypeData = text.data();
        withText.cch = info.cch + 1;
        if (GetMenuItemInfoA(menu, position, TRUE, &withText))
            text.resize(std::min<size_t>(withText.cch, text.size()));
        else
            text.clear();
    }
    info.dwTypeData = IsStringItem(info.fType) ? nullptr : info.dwTypeData;
    return info;
}

std::string ItemText(HMENU menu, UINT position) {
    std::string text;
    ReadDefinition(menu, position, text);
    return text;
}

// Type, state, item data and identifier of a popup item, by position or by command.
MENUITEMINFOA ReadState(HMENU menu, UINT item, BOOL byPosition) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_TYPE | MIIM_DATA | MIIM_ID;
    if (!GetMenuItemInfoA(menu, item, byPosition, &info)) info.fType = info.fState = 0;
    return info;
}

// Calls a member of a late-bound object, as a method or a property read, with
// 32-bit integer arguments; false when the object does not support it.
bool CallMember(IDispatch* object, const wchar_t* name, std::initializer_list<LONG> args,
                Variant& result) {
    DISPID id = 0;
    auto* member = const_cast<LPOLESTR>(name);
    if (FAILED(object->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id))) return false;
    std::vector<VARIANTARG> values(args.size());
    size_t i = values.size();
    for (LONG a : args) { // the arguments go in reverse order
        VARIANTARG& v = values[--i];
        VariantInit(&v);
        V_VT(&v) = VT_I4;
        V_I4(&v) = a;
    }
    DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, result.put(),
                                    nullptr, nullptr));
}

LONG CallLong(IDispatch* object, const wchar_t* name, std::initializer_list<LONG> args) {
    Variant result;
    if (!CallMember(object, name, args, result) ||
        FAILED(VariantChangeType(result.ptr(), result.ptr(), 0, VT_I4)))
        return 0;
    return V_I4(result.ptr());
}

std::string CallText(IDispatch* object, const wchar_t* name, std::initializer_list<LONG> args) {
    Variant result;
    if (!CallMember(object, name, args, result) ||
        FAILED(VariantChangeType(result.ptr(), result.ptr(), 0, VT_BSTR)) || !V_BSTR(result.ptr()))
        return {};
    return Narrow(V_BSTR(result.ptr()), SysStringLen(V_BSTR(result.ptr())));
}

} // namespace

cMenuBar::cMenuBar() : menuFont_(NewFont(L"MS Sans Serif", 82500, ANSI_CHARSET)) { // 8.25 points
    CY size{};
    if (menuFont_) menuFont_->get_Size(&size);
    glyphFont_ = NewFont(L"Marlett", size.int64 * 12 / 10, SYMBOL_CHARSET);
}

cMenuBar::~cMenuBar() {
    Detach();
    timerTicks_.reset();
}

// ---- Properties, attachment ----------------------------------------------

void cMenuBar::SetMenuFont(IFont* font) {
    menuFont_ = font;
}

void cMenuBar::SetMenuColours(OLE_COLOR active, OLE_COLOR over, OLE_COLOR inactive,
                              OLE_COLOR background) {
    activeColour_ = active;
    overColour_ = over;
    inactiveColour_ = inactive;
    backgroundColour_ = background;
}

void cMenuBar::SetPopupMenuObject(IDispatch* menu) {
    popupMenuObject_ = menu;
}

void cMenuBar::Attach(HWND lHWnd, bool bUseClient) {
    Detach();
    useClient_ = bUseClient;
    window_ = lHWnd;
    tracker_ = Qel_SkinMenu::Create();
    tracker_->Init(window_, this);
    // A message that cannot be registered is skipped; the rest still are.
    for (UINT msg : kBarMessages)
        AttachMessageImpl(this, window_, msg);
    if (!useClient_)
        for (UINT msg : kPopupItemMessages)
            AttachMessageImpl(this, window_, msg);
}

void cMenuBar::Detach() {
    if (window_) {
        for (UINT msg : kBarMessages)
            DetachMessageImpl(this, window_, msg);
        if (!useClient_)
            for (UINT msg : kPopupItemMessages)
                DetachMessageImpl(this, window_, msg);
    }
    window_ = nullptr;
    if (tracker_) {
        tracker_->Terminate();
        tracker_.reset();
    }
    // An unbound bar has nothing to poll.
    StopTimer();
}

void cMenuBar::WindowGone() {
    window_ = nullptr;
    if (tracker_) tracker_->WindowGone();
}

// ---- Drawing helpers -------------------------------------------------------

HDC cMenuBar::Surface(long w, long h) {
    w = std::max(w, 1L);
    h = std::max(h, 1L);
    if (!surface_ || !*surface_ || w > surface_->width() || h > surface_->height()) {
        if (surface_ && *surface_) {
            w = std::max<long>(w, surface_->width());
            h = std::max<long>(h, surface_->height());
        }
        surface_.reset();
        surface_.emplace(nullptr, w, h);
    }
    return surface_->dc();
}

HFONT cMenuBar::GetMenuFontHandle() const {
    return FontHandle(menuFont_.get());
}

HFONT cMenuBar::GetGlyphFontHandle() const {
    return FontHandle(glyphFont_.get());
}

COLORREF cMenuBar::TranslateColor(OLE_COLOR colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, nullptr, &rgb)) ? rgb : CLR_INVALID;
}

bool cMenuBar::IsHighColour() {
    if (!depthChecked_) {
        UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
        if (display) {
            const int bits = GetDeviceCaps(display.get(), BITSPIXEL);
            depthChecked_ = bits != 0;
            highColour_ = bits >= 9;
        }
    }
    return highColour_;
}

void cMenuBar::DrawItemEdge(HDC hdc, const RECT& rect, UINT edge, UINT flags) {
    if (!IsHighColour()) {
        RECT r = rect;
        DrawEdge(hdc, &r, edge, flags);
        return;
    }
    uint32_t light = 0, dark = 0;
    BlendMenuColour(TranslateColor(backgroundColour_), light, dark);
    UniquePen lightPen(CreatePen(PS_SOLID, 1, light));
    UniquePen darkPen(CreatePen(PS_SOLID, 1, dark));
    const RECT& r = rect;
    Selection pen(hdc, darkPen.get());                 // the caller's pen comes back at the end
    if (flags != BF_RECT && edge == BDR_SUNKENOUTER) { // a separator: one dark line
        MoveToEx(hdc, r.left, r.top, nullptr);
        LineTo(hdc, r.right - 1, r.top);
        return;
    }
    // Raised: light top and left, dark right and bottom; sunken the other way round.
    const bool raised = edge != BDR_SUNKENOUTER;
    SelectObject(hdc, raised ? lightPen.get() : darkPen.get());
    MoveToEx(hdc, r.left, r.bottom - 1, nullptr);
    LineTo(hdc, r.left, r.top);
    LineTo(hdc, r.right - 1, r.top);
    SelectObject(hdc, raised ? darkPen.get() : lightPen.get());
    LineTo(hdc, r.right - 1, r.bottom - 1);
    LineTo(hdc, r.left, r.bottom - 1);
}

void cMenuBar::RequestRepaint() {
    if (!useClient_) {
        SendMessageA(window_, WM_NCPAINT, 0, 0);
    } else if (onRepaint) {
        auto repaint = onRepaint; // the handler may replace itself
        repaint();
    }
}

void cMenuBar::StopTimer() {
    if (m_cTmr) m_cTmr->put_Interval(0);
}

// ---- The bar ----------------------------------------------------------------

bool cMenuBar::ReadBarEntries(std::vector<BarEntry>& entries) const {
    if (!hMenu_) return ReadObjectEntries(entries);
    const int n = GetMenuItemCount(hMenu_);
    if (n <= 0) return false;
    // Only items that open a popup are shown; items with a command of their own are not.
    for (int i = 0; i < n; ++i)
        if (GetMenuItemID(hMenu_, i) == static_cast<UINT>(-1))
            entries.push_back({ItemText(hMenu_, static_cast<UINT>(i)), GetSubMenu(hMenu_, i)});
    return true;
}

// The menu object answers Count, hMenu(1), ItemForID(identifier) and Caption(index).
bool cMenuBar::ReadObjectEntries(std::vector<BarEntry>& entries) const {
    IDispatch* menu = popupMenuObject_.get();
    if (!menu || CallLong(menu, L"Count", {}) <= 0) return false;
    const auto handle = static_cast<HMENU>(LongToHandle(CallLong(menu, L"hMenu", {1})));
    const int n = handle ? GetMenuItemCount(handle) : 0;
    if (n <= 0) return false;
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!GetMenuItemInfoA(handle, static_cast<UINT>(i), TRUE, &info)) continue;
        const LONG index = CallLong(menu, L"ItemForID", {static_cast<LONG>(info.wID)});
        if (index <= 0) continue;
        // The item's popup; an item without one is named by its identifier.
        HMENU popup = info.hSubMenu ? info.hSubMenu : reinterpret_cast<HMENU>(UINT_PTR{info.wID});
        entries.push_back({CallText(menu, L"Caption", {index}), popup});
    }
    return true;
}

void cMenuBar::Render(HFONT hFnt, HDC lHDC, long lLeft, long lTop, long lWidth, long lHeight,
                      long lYoffset, bool bActiveWin, long& lActualRight) {
    try {
        if (hMenu_ || popupMenuObject_) {
            HDC dc = Surface(lWidth, lHeight);
            Selection font(dc, hFnt);
            barCount_ = 0;
            barRects_.clear();
            barPopups_.clear();
            barMnemonics_.clear();
            std::vector<BarEntry> entries;
            if (ReadBarEntries(entries)) {
                lTop += 2;
                BitBlt(dc, 0, 0, lWidth, lHeight, lHDC, lLeft, lTop, SRCCOPY);
                SetBkMode(dc, TRANSPARENT);
                long x = 8;
                for (const BarEntry& entry : entries) {
                    const int length = static_cast<int>(entry.caption.size());
                    RECT text{0, 0, 0, lHeight};
                    DrawTextA(dc, entry.caption.c_str(), length, &text, DT_CALCRECT);
                    OffsetRect(&text, x, 2);
                    RECT item = text;
                    InflateRect(&item, 2, 2);
                    item.left -= 5;
                    item.right += 6;

                    const long index = ++barCount_;
                    const bool down = index == downItem_, over = index == overItem_;
                    const OLE_COLOR colour = down || over ? overColour_
                                             : bActiveWin ? activeColour_
                                                          : inactiveColour_;
                    SetTextColor(dc, TranslateColor(colour));
                    const bool sunken = down && over;
                    if (down || over)
                        DrawItemEdge(dc, item, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
                    RECT drawn = text;
                    if (sunken) OffsetRect(&drawn, 1, 1);
                    DrawTextA(dc, entry.caption.c_str(), length, &drawn, DT_SINGLELINE);

                    RECT stored = item;
                    if (useClient_)
                        stored = {lLeft + item.left, lTop, lLeft + item.right,
                                  lTop + (item.bottom - item.top)};
                    else
                        OffsetRect(&stored, lLeft, lYoffset);
                    barRects_.push_back(stored);
                    barPopups_.push_back(entry.popup);
                    barMnemonics_.push_back(Upper(MnemonicOf(entry.caption)));
                    x += (text.right - text.left) + 11;
                }
                lActualRight = x;
                BitBlt(lHDC, lLeft, lTop, lWidth, lHeight, dc, 0, 0, SRCCOPY);
            }
        }
    } catch (...) {
    }
    popupMenuObject_.reset();
}

long cMenuBar::BarItemCount() const {
    return barCount_;
}

HMENU cMenuBar::GetSubMenuFor(long index) const {
    if (index < 1 || index > barCount_ || index > static_cast<long>(barPopups_.size()))
        return nullptr;
    return barPopups_[index - 1];
}

void cMenuBar::GetItemScreenRect(long index, RECT& rect) const {
    if (index < 1 || index > barCount_ || index > static_cast<long>(barRects_.size())) return;
    RECT window{};
    GetWindowRect(window_, &window);
    rect = barRects_[index - 1];
    OffsetRect(&rect, window.left, window.top + (useClient_ ? 0 : captionHeight_));
}

void cMenuBar::SetDownItem(long index, bool down) {
    if (down)
        downItem_ = index;
    else if (downItem_ == index)
        downItem_ = -1;
    RequestRepaint();
}

void cMenuBar::SetOverItem(long index) {
    overItem_ = index;
    RequestRepaint();
}

long cMenuBar::HitTestPoint(POINT& point) const {
    if (useClient_) {
        RECT window{};
        GetWindowRect(window_, &window);
        point.x -= window.left;
        point.y -= window.top;
    } else {
        ScreenToClient(window_, &point);
    }
    // Neighbouring items overlap; the overlap belongs to the lower index.
    const POINT inWindow{point.x + borderWidths_, point.y};
    const long count = std::min<long>(barCount_, static_cast<long>(barRects_.size()));
    for (long i = 0; i < count; ++i)
        if (PtInRect(&barRects_[i], inWindow)) return i + 1;
    return 0;
}

bool cMenuBar::PopupTracked() const {
    return tracker_ && tracker_->IsTracking();
}

long cMenuBar::HitTestCursor() const {
    if (barCount_ == 0) return 0;
    POINT pt{};
    GetCursorPos(&pt);
    return HitTestPoint(pt);
}

long cMenuBar::HitTestMessagePoint(LPARAM lParam) const {
    if (barCount_ == 0) return 0;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window_, &pt);
    return HitTestPoint(pt);
}

// ---- Mouse and keyboard -----------------------------------------------------

void cMenuBar::PressStep() {
    // A press sent to the form from inside a popup's menu loop (a real one ends
    // the loop first) leaves the popup, its items and its tracking alone.
    if (PopupTracked()) return;
    const long previous = downItem_;
    downItem_ = HitTestCursor();
    if (downItem_ != previous) RequestRepaint();
    if (downItem_ < 1) return;
    StopTimer();
    if (ComPtr<Qel_SkinMenu> tracker = tracker_) {
        long result = 0;
        tracker->TrackMenu(downItem_, result);
    }
    RestorePopupItems();
}

void cMenuBar::HoverStep(long over) {
    if (over != overItem_) {
        overItem_ = over;
        RequestRepaint();
    }
    if (!m_cTmr) {
        m_cTmr = CTimer::Create();
        timerTicks_ =
            EventConnection(m_cTmr->Unknown(), DIID___CTimer, [this](DISPID id, DISPPARAMS&) {
                if (id == kThatTime) HoverStep(HitTestCursor());
            });
    }
    if (overItem_ < 1 && downItem_ < 1) {
        m_cTmr->put_Interval(0);
        return;
    }
    // A button released outside the window leaves no pressed look behind.
    if (downItem_ >= 1 && GetAsyncKeyState(VK_LBUTTON) == 0) {
        downItem_ = 0;
        RequestRepaint();
    }
    m_cTmr->put_Interval(kHoverInterval);
}

bool cMenuBar::AltKeyAccelerator(long vKey) {
    bool answer = false;
    if (vKey < 1 || vKey > 255) return answer;
    ComPtr<cMenuBar> self(this); // the popups may outlive the owner's reference
    try {
        const std::string key = Upper(std::string(1, static_cast<char>(vKey)));
        // Every matching item opens in turn, each when the previous popup has closed.
        for (long i = 1; i <= barCount_ && i <= static_cast<long>(barMnemonics_.size()); ++i) {
            if (barMnemonics_[i - 1] != key) continue;
            answer = true;
            // The keystroke that opened a popup can reach the bar again from
            // inside that popup's loop; it opens nothing more.
            if (PopupTracked()) break;
            SetDownItem(i, true);
            StopTimer();
            if (ComPtr<Qel_SkinMenu> tracker = tracker_) {
                long result = 0;
                tracker->TrackMenu(downItem_, result);
            }
        }
    } catch (...) {
    }
    return answer;
}

LRESULT cMenuBar::MenuCharAnswer(UINT character, HMENU popup) {
    const std::string key = Upper(std::string(1, static_cast<char>(character)));
    // An item of the open popup whose caption has that mnemonic is chosen.
    const int n = GetMenuItemCount(popup);
    for (int i = 0; i < n; ++i) {
        const MENUITEMINFOA info = ReadState(popup, static_cast<UINT>(i), TRUE);
        const PopupItem* item = OwnItem(popup, info);
        if (item && Upper(MnemonicOf(item->caption)) == key) return MAKELRESULT(i, MNC_EXECUTE);
    }
    // Another bar item's mnemonic closes this popup and opens that item's. (The
    // open item's own mnemonic arrives here too, right after Alt+key opened it.)
    for (long i = 1; i <= barCount_ && i <= static_cast<long>(barMnemonics_.size()); ++i) {
        if (barMnemonics_[i - 1] != key) continue;
        if (PopupTracked() && tracker_->SetPendingItem(i)) return MAKELRESULT(0, MNC_CLOSE);
        break;
    }
    return 0;
}

// ---- Owner-drawn popup items ------------------------------------------------

cMenuBar::PopupItem* cMenuBar::ItemForData(ULONG_PTR data) {
    if (data < 1 || data > popupItems_.size()) return nullptr;
    return &popupItems_[data - 1];
}

// An item is one this bar made owner-drawn when its item data names an entry
// recorded for its popup (any popup when `popup` is null) and its command; a
// host's own owner-drawn items never are, whatever their item data.
cMenuBar::PopupItem* cMenuBar::OwnItem(HMENU popup, ULONG_PTR data, UINT id) {
    PopupItem* item = ItemForData(data);
    if (!item || !item->switched || item->definition.wID != id) return nullptr;
    return !popup || item->popup == popup ? item : nullptr;
}

cMenuBar::PopupItem* cMenuBar::OwnItem(HMENU popup, const MENUITEMINFOA& info) {
    return (info.fType & MFT_OWNERDRAW) ? OwnItem(popup, info.dwItemData, info.wID) : nullptr;
}

void cMenuBar::AddPopupItem(HMENU popup, UINT position) {
    PopupItem item;
    item.popup = popup;
    item.position = position;
    item.definition = ReadDefinition(popup, position, item.text);
    SplitAtTab(item.text, item.caption, item.shortcut);
    popupItems_.push_back(std::move(item));
    if (popupItems_.back().definition.fType & MFT_OWNERDRAW) return; // drawn by its form already

    MENUITEMINFOA ownerDrawn{};
    ownerDrawn.cbSize = sizeof ownerDrawn;
    ownerDrawn.fMask = MIIM_TYPE | MIIM_DATA;
    ownerDrawn.fType = popupItems_.back().definition.fType | MFT_OWNERDRAW;
    ownerDrawn.dwItemData = popupItems_.size();
    popupItems_.back().switched = SetMenuItemInfoA(popup, position, TRUE, &ownerDrawn) != FALSE;
}

void cMenuBar::PreparePopupItems(HMENU popup) {
    try {
        const bool known = std::find(preparedPopups_.begin(), preparedPopups_.end(), popup) !=
                           preparedPopups_.end();
        if (!known) preparedPopups_.push_back(popup);
        HDC dc = Surface(1, 1);
        Selection font(dc, GetMenuFontHandle());
        auto measure = [&](const std::string& text) {
            RECT rc{};
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc,
                      DT_CALCRECT | DT_SINGLELINE);
            popupTextHeight_ = rc.bottom - rc.top + 1;
            return static_cast<int>(rc.right - rc.left + 1);
        };

        int widestCaption = 0, widestShortcut = 0;
        const int n = GetMenuItemCount(popup);
        for (int i = 0; i < n; ++i) {
            const auto position = static_cast<UINT>(i);
            ULONG_PTR index = 0;
            const MENUITEMINFOA info = ReadState(popup, position, TRUE);
            if (PopupItem* item = known ? OwnItem(popup, info) : nullptr) {
                index = info.dwItemData;
                item->position = position; // items may have moved since
            } else {
                // A new popup's item, or one added to a known popup since it was
                // prepared: a new entry with the item's own definition.
                AddPopupItem(popup, position);
                index = popupItems_.size();
            }
            if (const PopupItem* item = ItemForData(index)) {
                widestCaption = std::max(widestCaption, measure(item->caption));
                if (!item->shortcut.empty())
                    widestShortcut = std::max(widestShortcut, measure(item->shortcut));
            }
        }
        for (PopupItem& item : popupItems_) {
            if (item.popup != popup) continue;
            item.captionWidth = widestCaption;
            item.shortcutWidth = widestShortcut;
        }
    } catch (...) {
    }
}

void cMenuBar::RestorePopupItems() {
    try {
        // Each item made owner-drawn here is found by what was recorded of it wherever it
        // now stands, and gets its own definition back.
        for (HMENU popup : preparedPopups_) {
            const int n = GetMenuItemCount(popup);
            for (int i = 0; i < n; ++i) {
                const MENUITEMINFOA info = ReadState(popup, static_cast<UINT>(i), TRUE);
                PopupItem* item = OwnItem(popup, info);
                if (!item) continue;
                MENUITEMINFOA definition = item->definition;
                if (IsStringItem(definition.fType)) {
                    definition.dwTypeData = item->text.data();
                    definition.cch = static_cast<UINT>(item->text.size());
                }
                SetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &definition);
            }
        }
    } catch (...) {
    }
    popupItems_.clear();
    preparedPopups_.clear();
}

LRESULT cMenuBar::MeasureItem(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!measure || measure->CtlType != ODT_MENU)
        return CallOldWindowProcImpl(hwnd, WM_MEASUREITEM, wParam, lParam);
    // Items the bar did not make owner-drawn are the form's to measure.
    const PopupItem* item = OwnItem(nullptr, measure->itemData, measure->itemID);
    if (!item) return CallOldWindowProcImpl(hwnd, WM_MEASUREITEM, wParam, lParam);
    UINT width = static_cast<UINT>(item->captionWidth) + 30;
    if (item->shortcutWidth > 0) width += static_cast<UINT>(item->shortcutWidth) + 8;
    measure->itemWidth = width;
    measure->itemHeight =
        (item->definition.fType & MFT_SEPARATOR) ? 6 : static_cast<UINT>(popupTextHeight_ + 8);
    return 0;
}

LRESULT cMenuBar::DrawItem(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!draw || draw->CtlType != ODT_MENU)
        return CallOldWindowProcImpl(hwnd, WM_DRAWITEM, wParam, lParam);
    // Items the bar did not make owner-drawn are the form's to draw.
    const PopupItem* item =
        OwnItem(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemData, draw->itemID);
    if (!item) return CallOldWindowProcImpl(hwnd, WM_DRAWITEM, wParam, lParam);
    const RECT& at = draw->rcItem;
    const long w = at.right - at.left, h = at.bottom - at.top;
    HDC dc = Surface(w + 1, h + 1);
    Selection font(dc, GetMenuFontHandle());
    const RECT R{0, 0, w, h};
    {
        UniqueBrush background(CreateSolidBrush(TranslateColor(backgroundColour_)));
        const RECT all{0, 0, surface_->width(), surface_->height()};
        FillRect(dc, &all, background.get());
    }
    SetBkMode(dc, TRANSPARENT);

    // The item's state where the tables place it; by its command when it has moved.
    MENUITEMINFOA info = ReadState(item->popup, item->position, TRUE);
    if (info.dwItemData != draw->itemData)
        info = ReadState(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID, FALSE);

    if (info.fType & MFT_SEPARATOR) {
        RECT line = R;
        line.top += (R.bottom - R.top - 2) / 2;
        line.bottom = line.top + 2;
        InflateRect(&line, -8, 0);
        DrawItemEdge(dc, line, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
    } else {
        const bool radio = info.fType & MFT_RADIOCHECK;
        const bool disabled = info.fState & MFS_GRAYED;
        const bool checked = info.fState & MFS_CHECKED;
        const bool highlighted = info.fState & MFS_HILITE;
        SetTextColor(dc, TranslateColor(highlighted ? overColour_ : activeColour_));
        if (checked) {
            RECT box = R;
            InflateRect(&box, -4, -4);
            box.left += 2;
            box.right = box.left + (box.bottom - box.top) + 1;
            DrawItemEdge(dc, box, BDR_SUNKENOUTER, BF_RECT);
            Selection glyph(dc, GetGlyphFontHandle());
            DrawItemText(dc, radio ? "h" : "b", box, disabled,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        RECT text = R;
        text.left = 24;
        DrawItemText(dc, item->caption, text, disabled, DT_VCENTER | DT_SINGLELINE);
        if (!item->shortcut.empty()) {
            text.left += item->captionWidth + 8;
            DrawItemText(dc, item->shortcut, text, disabled, DT_VCENTER | DT_SINGLELINE);
        }
        if (highlighted && !disabled) {
            RECT frame = R;
            InflateRect(&frame, -2, 0);
            DrawItemEdge(dc, frame, BDR_RAISEDINNER, BF_RECT);
        }
    }
    BitBlt(draw->hDC, at.left, at.top, w, h, dc, 0, 0, SRCCOPY);
    return 0;
}

void cMenuBar::DrawItemText(HDC hdc, const std::string& text, RECT rect, bool disabled,
                            UINT format) {
    const int length = static_cast<int>(text.size());
    if (!disabled) {
        DrawTextA(hdc, text.c_str(), length, &rect, format);
        return;
    }
    // Embossed: the light shade one pixel down and right, the dark shade over it.
    uint32_t light = 0, dark = 0;
    BlendMenuColour(TranslateColor(backgroundColour_), light, dark);
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(hdc, light);
    DrawTextA(hdc, text.c_str(), length, &shifted, format);
    SetTextColor(hdc, dark);
    DrawTextA(hdc, text.c_str(), length, &rect, format);
}

// ---- Message handling -------------------------------------------------------

STDMETHODIMP cMenuBar::get_MsgResponse(EMsgResponse* ret) {
    if (!ret) return E_POINTER;
    *ret = emrConsume;
    return S_OK;
}

STDMETHODIMP cMenuBar::WindowProc(LONG hwnd, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                                  LONG_PTR* ret) {
    if (!ret) return E_POINTER;
    *ret = 0;
    ComPtr<cMenuBar> self(this); // a popup opened here may outlive the owner's reference
    try {
        const auto h = static_cast<HWND>(LongToHandle(hwnd));
        const auto msg = static_cast<UINT>(iMsg);
        const auto wp = static_cast<WPARAM>(wParam);
        switch (msg) {
        case WM_MOUSEMOVE:
            *ret = CallOldWindowProcImpl(h, msg, wp, lParam);
            HoverStep(HitTestMessagePoint(lParam));
            break;
        case WM_LBUTTONDOWN:
            *ret = CallOldWindowProcImpl(h, msg, wp, lParam);
            PressStep();
            break;
        case WM_MENUCHAR:
            if (!(HIWORD(wp) & MF_SYSMENU)) {
                if (LRESULT answer = MenuCharAnswer(LOWORD(wp), reinterpret_cast<HMENU>(lParam));
                    answer > 0) {
                    *ret = answer;
                    break;
                }
            }
            *ret = CallOldWindowProcImpl(h, msg, wp, lParam);
            break;
        case WM_MEASUREITEM:
            *ret = MeasureItem(h, wp, lParam);
            break;
        case WM_DRAWITEM:
            *ret = DrawItem(h, wp, lParam);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return S_OK;
}

} // namespace qel
