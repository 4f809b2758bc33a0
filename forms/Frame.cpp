#include "forms/Frame.h"

namespace qel::forms {

const char* Frame::ClassName() const {
    return OwnClass("QelFrame", CS_DBLCLKS);
}

Scale Frame::ScaleMode() const {
    return Parent().ScaleMode();
}

void Frame::PaintClient(HDC dc, const RECT& area) {
    Container::PaintClient(dc, area);
    RECT client{};
    GetClientRect(hWnd(), &client);
    std::string caption = Caption();
    Selection font(dc, FontHandle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT edge = client;
    edge.top = metrics.tmHeight / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    SIZE text{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    RECT label{6, 0, 6 + text.cx + 4, metrics.tmHeight};
    FillRect(dc, &label, Container::back_.Brush());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToRgb(Container::fore_));
    TextOutA(dc, label.left + 2, 0, caption.c_str(), static_cast<int>(caption.size()));
}

LRESULT Frame::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = ContainerControl::HandleMessage(msg, wParam, lParam);
    if (msg == WM_SETTEXT) Invalidate(); // the caption is drawn with the border
    return result;
}

} // namespace qel::forms
