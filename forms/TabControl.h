// A tab control: a row of tabs over a page area, one page per part of the
// caption "a|b|c"; each page holds controls (tab controls among them) and only
// the current page shows. Clicking a tab, the arrow keys on the tabs and
// CurrentPage set in code make a page current; OnChange follows every change of
// the current page. BackColor paints the page area and the space behind the tabs,
// TabBackColor the tabs, CurrentTabBackColor the current tab, ForeColor the
// tab captions. A form fills the pages in Design:
//
//   C1Tab1 = Add<TabControl>("C1Tab1", 150, 150, 9000, 6000);
//   C1Tab1->Caption("Active Skin|In-Active Skin|Buttons");
//   List1 = C1Tab1->Page(0).Add<ListBox>("List1", 120, 120, 2000, 2500);
//   C1Tab1->OnChange = [this] { Check1->Visible(C1Tab1->CurrentPage() != 2); };
#pragma once
#include "forms/TabPage.h"
#include "forms/WindowControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace qel::forms {

class TabStrip;

class TabControl final : public WindowControl {
public:
    TabControl(Container& container, std::string name);
    ~TabControl() override;

    // The page captions joined by "|".
    std::string Caption() const;
    // One page per part; pages beyond the new count go, unless they hold controls
    // (run-time error 380: nothing changes then).
    void Caption(const std::string& caption);
    long PageCount() const { return static_cast<long>(pages_.size()); }
    // Page `index` (from 0); run-time error 381 when there is no such page.
    TabPage& Page(long index) const;
    // The current page (from 0), -1 without pages.
    long CurrentPage() const { return current_; }
    // Run-time error 380 when there is no such page.
    void CurrentPage(long page);

    void BackColor(OleColor colour) override;
    void ForeColor(OleColor colour) override;
    using WindowControl::BackColor;
    using WindowControl::ForeColor;
    OleColor TabBackColor() const { return tabs_.Color(); }
    void TabBackColor(OleColor colour);
    OleColor CurrentTabBackColor() const { return currentTab_.Color(); }
    void CurrentTabBackColor(OleColor colour);

    std::function<void()> OnChange;

protected:
    const char* ClassName() const override;
    DWORD Style() const override { return WS_CLIPCHILDREN; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    void Created() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__TabControl; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    friend class TabStrip;

    // The strip across the whole window, the pages over its page area.
    void LayOut();
    // Shows page `page` and hides the others; raises OnChange when it changed.
    void MakeCurrent(long page);

    std::unique_ptr<TabStrip> strip_;
    std::vector<std::string> captions_;
    std::vector<std::unique_ptr<TabPage>> pages_;
    ColorBrush tabs_{kButtonFace}, currentTab_{kButtonFace};
    long current_ = -1;
};

} // namespace qel::forms
