#include "forms/TabControl.h"
#include "forms/RuntimeError.h"
#include "forms/TabStrip.h"

#include <commctrl.h>

namespace qel::forms {

TabControl::TabControl(Container& container, std::string name)
    : WindowControl(container, std::move(name), kButtonFace, kButtonText) {}

TabControl::~TabControl() = default;

const char* TabControl::ClassName() const {
    return OwnClass("QelTabControl", CS_DBLCLKS);
}

void TabControl::Created() {
    strip_ = std::make_unique<TabStrip>(*this);
}

std::string TabControl::Caption() const {
    std::string joined;
    for (size_t i = 0; i < captions_.size(); ++i)
        joined += (i ? "|" : "") + captions_[i];
    return joined;
}

void TabControl::Caption(const std::string& caption) {
    std::vector<std::string> captions;
    for (size_t start = 0; !caption.empty();) {
        size_t bar = caption.find('|', start);
        captions.push_back(caption.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    for (size_t i = captions.size(); i < pages_.size(); ++i)
        if (!pages_[i]->Children().empty())
            throw RuntimeError(kInvalidPropertyValue,
                               "A tab page that holds controls cannot be removed");
    captions_ = std::move(captions);
    pages_.resize(std::min(pages_.size(), captions_.size()));
    while (pages_.size() < captions_.size())
        pages_.push_back(std::make_unique<TabPage>(*this, hWnd()));
    strip_->SetTabs(captions_);
    LayOut();
    MakeCurrent(strip_->Current());
}

TabPage& TabControl::Page(long index) const {
    if (index < 0 || index >= PageCount())
        throw RuntimeError(kInvalidArrayIndex, "Invalid property array index");
    return *pages_[index];
}

void TabControl::CurrentPage(long page) {
    if (page < 0 || page >= PageCount())
        throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    strip_->Current(page);
    MakeCurrent(page);
}

void TabControl::MakeCurrent(long page) {
    for (long i = 0; i < PageCount(); ++i)
        if (i != page) ShowWindow(pages_[i]->hWnd(), SW_HIDE);
    if (page >= 0) {
        SetWindowPos(pages_[page]->hWnd(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (page == current_) return;
    current_ = page;
    Raise(OnChange);
}

void TabControl::LayOut() {
    RECT client{};
    GetClientRect(hWnd(), &client);
    SetWindowPos(strip_->hWnd(), nullptr, 0, 0, client.right, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT area = strip_->PageArea();
    for (const auto& page : pages_)
        SetWindowPos(page->hWnd(), nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TabControl::BackColor(OleColor colour) {
    WindowControl::BackColor(colour);
    for (const auto& page : pages_)
        page->BackColor(colour);
    InvalidateRect(strip_->hWnd(), nullptr, FALSE);
}

void TabControl::ForeColor(OleColor colour) {
    WindowControl::ForeColor(colour);
    for (const auto& page : pages_)
        page->ForeColor(colour);
    InvalidateRect(strip_->hWnd(), nullptr, FALSE);
}

void TabControl::TabBackColor(OleColor colour) {
    tabs_.Set(colour);
    InvalidateRect(strip_->hWnd(), nullptr, FALSE);
}

void TabControl::CurrentTabBackColor(OleColor colour) {
    currentTab_.Set(colour);
    InvalidateRect(strip_->hWnd(), nullptr, FALSE);
}

LRESULT TabControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the strip and the pages cover the whole window
    case WM_SIZE:
        if (strip_) LayOut();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (strip_ && header->hwndFrom == strip_->hWnd() && header->code == TCN_SELCHANGE)
            MakeCurrent(strip_->Current());
        return 0;
    }
    }
    return WindowControl::HandleMessage(msg, wParam, lParam);
}

HRESULT TabControl::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_CAPTION:
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    case DISPID_FORMS_VALUE:
        return call.Property<long>([&] { return CurrentPage(); },
                                   [&](long page) { CurrentPage(page); });
    case DISPID_FORMS_TABBACKCOLOR:
        return call.Property<OleColor>([&] { return TabBackColor(); },
                                       [&](OleColor c) { TabBackColor(c); });
    case DISPID_FORMS_CURRENTTABBACKCOLOR:
        return call.Property<OleColor>([&] { return CurrentTabBackColor(); },
                                       [&](OleColor c) { CurrentTabBackColor(c); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
