// The live preview forms Frm1 to Frm4: small borderless forms, one per variant,
// on which the main window draws the skin being built. One class, four forms.
#pragma once
#include "creator/shell/SkinDocument.h"
#include "forms/Form.h"

#include <array>

namespace qel::forms {
class Image;
class Label;
} // namespace qel::forms

namespace qel::creator {

class LivePreviewFrm : public forms::Form {
public:
    // Variant 1 active with menu, 2 in-active with menu, 3 active without menu,
    // 4 in-active without menu; the form is named "Frm" and the variant.
    explicit LivePreviewFrm(int variant);

    int Variant() const { return variant_; }
    bool Active() const { return IsActive(variant_); }
    bool WithMenu() const { return HasMenu(variant_); }

    forms::Label* Label1 = nullptr;        // the sample caption
    forms::Label* Label2 = nullptr;        // the mock menu bar; variants with menu only
    forms::Label* Label3 = nullptr;        // the sample of the form text colour
    forms::Image* IcoImage = nullptr;      // the form icon chosen for the skin
    forms::Image* Image1 = nullptr;        // the marker over the chosen piece
    std::array<forms::Image*, 5> Image2{}; // 1 to 4: close, restore, maximise, minimise

protected:
    void Design() override;

private:
    int variant_;
};

// The four forms of the program, Frm(1) to Frm(4).
LivePreviewFrm& Frm(int variant);

} // namespace qel::creator
