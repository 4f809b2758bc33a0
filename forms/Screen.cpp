#include "forms/Screen.h"
#include "base/Twips.h"

namespace qel::forms {
namespace {

struct ScreenState {
    Pointer pointer = Pointer::Default;
    Picture icon;
};

ScreenState& State() {
    static ScreenState state;
    return state;
}

} // namespace

HCURSOR Screen::Cursor(Pointer pointer, IPictureDisp* icon) {
    LPCSTR id = nullptr;
    switch (pointer) {
    case Pointer::Default:
        return nullptr;
    case Pointer::Cross:
        id = reinterpret_cast<LPCSTR>(IDC_CROSS);
        break;
    case Pointer::IBeam:
        id = reinterpret_cast<LPCSTR>(IDC_IBEAM);
        break;
    case Pointer::Hourglass:
        id = reinterpret_cast<LPCSTR>(IDC_WAIT);
        break;
    case Pointer::Custom:
        if (HANDLE h = PictureHandle(icon)) return static_cast<HCURSOR>(h);
        [[fallthrough]];
    case Pointer::Arrow:
        id = reinterpret_cast<LPCSTR>(IDC_ARROW);
        break;
    }
    return LoadCursorA(nullptr, id); // shared system cursors: nothing to free
}

float Screen::TwipsPerPixelX() {
    return static_cast<float>(qel::TwipsPerPixelX());
}

float Screen::TwipsPerPixelY() {
    return static_cast<float>(qel::TwipsPerPixelY());
}

Pointer Screen::MousePointer() {
    return State().pointer;
}

void Screen::MousePointer(Pointer pointer) {
    State().pointer = pointer;
    SetCursor(Cursor(pointer == Pointer::Default ? Pointer::Arrow : pointer, State().icon.get()));
}

void Screen::MouseIcon(Picture icon) {
    State().icon = std::move(icon);
}

bool Screen::ApplyPointer() {
    HCURSOR cursor = Cursor(State().pointer, State().icon.get());
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}

} // namespace qel::forms
