#include "forms/Label.h"
#include "forms/Strings.h"

namespace qel::forms {

const char* Label::ClassName() const {
    return OwnClass("QelLabel", CS_DBLCLKS);
}

void Label::Transparent(bool transparent) {
    transparent_ = transparent;
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void Label::Bold(bool bold) {
    bold_ = bold;
    InvalidateRect(hWnd(), nullptr, TRUE);
}

// Composed off-screen: the background, then the caption.
void Label::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    MemorySurface surface(dc, client.right, client.bottom);
    if (transparent_)
        PaintBehind(surface.dc());
    else
        FillRect(surface.dc(), &client, back_.Brush());
    Selection font(surface.dc(), TextFont(bold_));
    SetBkMode(surface.dc(), TRANSPARENT);
    SetTextColor(surface.dc(),
                 IsWindowEnabled(hWnd()) ? ToRgb(fore_) : GetSysColor(COLOR_GRAYTEXT));
    const std::string caption = WindowText(hWnd());
    DrawTextA(surface.dc(), caption.c_str(), static_cast<int>(caption.size()), &client,
              DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    BitBlt(dc, 0, 0, client.right, client.bottom, surface.dc(), 0, 0, SRCCOPY);
}

LRESULT Label::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto event = MouseEvent(hWnd(), msg, wParam, lParam, ParentContainer())) {
        Raise(event);
        return 0;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd(), &ps);
        Paint(dc);
        EndPaint(hWnd(), &ps);
        return 0;
    }
    case WM_SETTEXT:
    case WM_ENABLE: {
        LRESULT result = CaptionedControl::HandleMessage(msg, wParam, lParam);
        InvalidateRect(hWnd(), nullptr, TRUE);
        return result;
    }
    }
    return CaptionedControl::HandleMessage(msg, wParam, lParam);
}

} // namespace qel::forms
