// A line drawn on its container between two points in the container's scale; it
// has no window of its own.
#pragma once
#include "forms/ColorBrush.h"
#include "forms/Control.h"

namespace qel::forms {

class Container;

class Line final : public Control {
public:
    Line(Container& container, std::string name);

    float X1() const { return x1_; }
    float Y1() const { return y1_; }
    float X2() const { return x2_; }
    float Y2() const { return y2_; }
    void Move(float x1, float y1, float x2, float y2);

    OleColor BorderColor() const { return colour_; }
    void BorderColor(OleColor colour);
    short BorderWidth() const { return width_; }
    void BorderWidth(short pixels);

    bool Visible() const override { return visible_; }
    void Visible(bool visible) override;

    // Draws the line into its container's client device context.
    void Draw(HDC dc) const;

protected:
    const IID& DispatchIid() const override { return DIID__Line; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    Container& container_;
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    OleColor colour_ = kWindowText;
    short width_ = 1;
    bool visible_ = true;
};

} // namespace qel::forms
