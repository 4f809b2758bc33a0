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

void Label::Draw(HDC dc, const RECT& client) {
    if (transparent_)
        PaintBehind(dc);
    else
        FillRect(dc, &client, back_.Brush());
    Selection font(dc, TextFont(bold_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hWnd()) ? ToRgb(fore_) : GetSysColor(COLOR_GRAYTEXT));
    const std::string caption = WindowText(hWnd());
    RECT area = client;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area, DT_LEFT | DT_WORDBREAK);
}

LRESULT Label::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT || msg == WM_ENABLE) {
        LRESULT result = DrawnControl::HandleMessage(msg, wParam, lParam);
        InvalidateRect(hWnd(), nullptr, TRUE);
        return result;
    }
    return DrawnControl::HandleMessage(msg, wParam, lParam);
}

} // namespace qel::forms
