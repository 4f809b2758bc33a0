// The tabs of a tab control: the common controls' tab control, which keeps the
// tabs, places them, hit-tests clicks and moves between them with the arrow keys,
// painted here off-screen in its tab control's colours (no flicker on resize).
#pragma once
#include "forms/Window.h"

#include <string>
#include <vector>

namespace qel::forms {

class TabControl;

class TabStrip final : public Window {
public:
    // A strip filling `owner`'s window.
    explicit TabStrip(TabControl& owner);

    // Replaces the tabs; the current one stays where it can.
    void SetTabs(const std::vector<std::string>& captions);
    long Current() const;
    void Current(long tab);
    // The page area in the strip's client pixels (the same as its owner's).
    RECT PageArea() const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc, const RECT& client);

    TabControl& owner_;
};

} // namespace qel::forms
