#include "forms/Line.h"
#include "forms/Container.h"
#include "forms/Form.h"
#include "forms/RuntimeError.h"

namespace qel::forms {

Line::Line(Container& container, std::string name)
    : Control(container.OwnerForm(), std::move(name)), container_(container) {}

void Line::Move(float x1, float y1, float x2, float y2) {
    RequireLive();
    x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
    container_.Invalidate();
}

void Line::BorderColor(OleColor colour) {
    RequireLive();
    colour_ = colour;
    container_.Invalidate();
}

void Line::BorderWidth(short pixels) {
    RequireLive();
    if (pixels < 1) throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    width_ = pixels;
    container_.Invalidate();
}

void Line::Visible(bool visible) {
    RequireLive();
    visible_ = visible;
    container_.Invalidate();
}

void Line::Draw(HDC dc) const {
    if (!visible_) return;
    UniquePen pen(CreatePen(PS_SOLID, width_, ToRgb(colour_)));
    Selection selected(dc, pen.get());
    MoveToEx(dc, container_.ToPixelsX(x1_), container_.ToPixelsY(y1_), nullptr);
    LineTo(dc, container_.ToPixelsX(x2_), container_.ToPixelsY(y2_));
}

HRESULT Line::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_X1:
        return call.Property<float>([&] { return x1_; }, [&](float v) { Move(v, y1_, x2_, y2_); });
    case DISPID_FORMS_Y1:
        return call.Property<float>([&] { return y1_; }, [&](float v) { Move(x1_, v, x2_, y2_); });
    case DISPID_FORMS_X2:
        return call.Property<float>([&] { return x2_; }, [&](float v) { Move(x1_, y1_, v, y2_); });
    case DISPID_FORMS_Y2:
        return call.Property<float>([&] { return y2_; }, [&](float v) { Move(x1_, y1_, x2_, v); });
    case DISPID_FORMS_BORDERCOLOR:
        return call.Property<OleColor>([&] { return colour_; },
                                       [&](OleColor c) { BorderColor(c); });
    case DISPID_FORMS_BORDERWIDTH:
        return call.Property<short>([&] { return width_; }, [&](short w) { BorderWidth(w); });
    }
    return Control::Invoke(call);
}

} // namespace qel::forms
