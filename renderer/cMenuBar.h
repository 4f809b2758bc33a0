// The drawn menu bar inside a skinned caption: lays the form's menu out as a
// row of items, draws them with hover and pressed looks, tracks the mouse and
// Alt+mnemonic keys, opens the popups below their items (through its
// Qel_SkinMenu tracker) and, in the non-client mode, owner-draws the popup items
// in the skin's font and colours. It never changes the window's own menu.
#pragma once
#include "base/Events.h"
#include "base/Handle.h"
#include "typelib/QelTypeLib.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qel {

class cMemDC;
class CTimer;
class Qel_SkinMenu;

class cMenuBar final : public ComObject<cMenuBar, _ISubclass> {
public:
    cMenuBar();
    ~cMenuBar() override;

    // Set by the renderer.
    void SetMenuFont(IFont* font);
    void SetMenuColours(OLE_COLOR active, OLE_COLOR over, OLE_COLOR inactive, OLE_COLOR background);
    HMENU hMenu() const { return hMenu_; }
    void SethMenu(HMENU hTheMenu) { hMenu_ = hTheMenu; }
    // A late-bound menu object shown instead of hMenu, held until the end of the next Render.
    void SetPopupMenuObject(IDispatch* menu);
    void Attach(HWND lHWnd, bool bUseClient);
    void Detach();
    // The window was destroyed: Detach leaves its handle alone.
    void WindowGone();
    void SetCaptionHeight(long lHeight) { captionHeight_ = lHeight; }
    void SetBorderWidths(long lWidth) { borderWidths_ = lWidth; }

    // Lays the bar out and draws it into the renderer's caption strip surface;
    // lActualRight receives how far right of lLeft the items reach.
    void Render(HFONT hFnt, HDC lHDC, long lLeft, long lTop, long lWidth, long lHeight,
                long lYoffset, bool bActiveWin, long& lActualRight);

    // Alt+vKey from the keyboard hook: opens the popups of the items whose
    // mnemonic matches; true when one did.
    bool AltKeyAccelerator(long vKey);

    // Owner-drawn popup items between WM_INITMENUPOPUP and the end of the menu loop.
    void PreparePopupItems(HMENU popup);
    void RestorePopupItems();

    // Raised in client mode when the bar needs repainting (the Repaint event).
    std::function<void()> onRepaint;

    // For the popup tracker. Item indices are 1-based; 0 and -1 mean none.
    long BarItemCount() const;
    HMENU GetSubMenuFor(long index) const;
    void GetItemScreenRect(long index, RECT& rect) const;
    void SetDownItem(long index, bool down);
    long DownItem() const { return downItem_; }
    void SetOverItem(long index);
    // Converts `point` (screen pixels) in place and answers the item under it.
    long HitTestPoint(POINT& point) const;

    // _ISubclass
    STDMETHODIMP get_MsgResponse(EMsgResponse* ret) override;
    STDMETHODIMP put_MsgResponse(EMsgResponse) override { return S_OK; }
    STDMETHODIMP WindowProc(LONG hwnd, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                            LONG_PTR* ret) override;

private:
    // A top-level item shown on the bar.
    struct BarEntry {
        std::string caption;
        HMENU popup;
    };
    // A popup item as it was before it was made owner-drawn.
    struct PopupItem {
        HMENU popup = nullptr;
        UINT position = 0;             // in its popup, as of the last preparation
        MENUITEMINFOA definition{};    // type, identifier and item data as read
        std::string text;              // the full text of a string item
        std::string caption, shortcut; // the text split at its first tab
        int captionWidth = 0;          // the widest caption of the item's popup, pixels
        int shortcutWidth = 0;         // the widest shortcut of the item's popup, or 0
        bool switched = false;         // made owner-drawn here, and so restored here
    };

    // The drawing surface, grown to at least w x h pixels (it never shrinks).
    HDC Surface(long w, long h);
    HFONT GetMenuFontHandle() const;
    HFONT GetGlyphFontHandle() const;
    static COLORREF TranslateColor(OLE_COLOR colour);
    void DrawItemEdge(HDC hdc, const RECT& rect, UINT edge, UINT flags);
    bool IsHighColour();
    void RequestRepaint();
    void StopTimer();

    // The top-level items to show; false when the menu has no items at all.
    bool ReadBarEntries(std::vector<BarEntry>& entries) const;
    bool ReadObjectEntries(std::vector<BarEntry>& entries) const;

    // The item under the cursor, and under a mouse message's point (client pixels).
    long HitTestCursor() const;
    long HitTestMessagePoint(LPARAM lParam) const;
    // Whether a popup of the bar is open; the tracker takes no second one meanwhile.
    bool PopupTracked() const;
    void PressStep();
    // Shows `over` (the item under the pointer) hovered and polls while any is.
    void HoverStep(long over);
    LRESULT MenuCharAnswer(UINT character, HMENU popup);

    // The table entry (1-based) that item data names, or null.
    PopupItem* ItemForData(ULONG_PTR data);
    PopupItem* OwnItem(HMENU popup, ULONG_PTR data, UINT id);
    PopupItem* OwnItem(HMENU popup, const MENUITEMINFOA& info);
    void AddPopupItem(HMENU popup, UINT position);
    LRESULT MeasureItem(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT DrawItem(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void DrawItemText(HDC hdc, const std::string& text, RECT rect, bool disabled, UINT format);

    std::optional<MemorySurface> surface_;
    ComPtr<Qel_SkinMenu> tracker_;
    HMENU hMenu_ = nullptr;
    HWND window_ = nullptr;
    std::vector<RECT> barRects_;
    std::vector<HMENU> barPopups_;
    std::vector<std::string> barMnemonics_; // upper-cased
    long barCount_ = 0;
    long downItem_ = 0;
    long overItem_ = 0;
    OLE_COLOR activeColour_ = 0;
    OLE_COLOR overColour_ = 0;
    OLE_COLOR inactiveColour_ = 0;
    OLE_COLOR backgroundColour_ = 0;
    long captionHeight_ = 0;
    long borderWidths_ = 0;
    std::vector<PopupItem> popupItems_;
    std::vector<HMENU> preparedPopups_;
    ComPtr<IFont> menuFont_;
    ComPtr<IFont> glyphFont_;
    int popupTextHeight_ = 0;
    bool useClient_ = false;
    ComPtr<IDispatch> popupMenuObject_;
    bool depthChecked_ = false;
    bool highColour_ = false;
    ComPtr<CTimer> m_cTmr;
    EventConnection timerTicks_;
};

} // namespace qel
