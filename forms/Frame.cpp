#include "forms/Frame.h"
#include "forms/Form.h"
#include "forms/Strings.h"

namespace qel::forms {

Frame::Frame(Container& container, std::string name)
    : WindowControl(container, std::move(name), kButtonFace, kButtonText),
      Container(kButtonFace, kButtonText) {}

const char* Frame::ClassName() const {
    return OwnClass("QelFrame", CS_DBLCLKS);
}

Scale Frame::ScaleMode() const {
    return Parent().ScaleMode();
}

std::string Frame::Caption() const {
    return WindowText(hWnd());
}

void Frame::Caption(const std::string& caption) {
    SetWindowTextA(hWnd(), caption.c_str());
    Invalidate();
}

// The frame's colours serve both as a control (for its container) and as the
// background of its own children.
void Frame::BackColor(OleColor colour) {
    WindowControl::back_.Set(colour);
    Container::BackColor(colour);
}

void Frame::ForeColor(OleColor colour) {
    WindowControl::fore_ = colour;
    Container::ForeColor(colour);
    Invalidate();
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
    LRESULT result = 0;
    if (HandleContainerMessage(msg, wParam, lParam, result)) return result;
    return WindowControl::HandleMessage(msg, wParam, lParam);
}

HRESULT Frame::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_CAPTION)
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
