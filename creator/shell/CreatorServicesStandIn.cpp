// Stand-ins for the creator's parts that have not landed yet: plain preview
// forms, no composition, no preview form and no size check.
#include "creator/shell/CreatorServices.h"
#include "creator/shell/MainFrm.h"
#include "forms/Image.h"
#include "forms/Label.h"

#include <string>

namespace qel::creator {
namespace {

class StandInFrm : public forms::Form {
public:
    explicit StandInFrm(int variant) : Form("Frm" + std::to_string(variant)) {}

protected:
    void Design() override {
        using namespace forms;
        Border(BorderStyle::None);
        ClientSize(4500, 3600);
        ScaleMode(Scale::Pixels);
        BackColor(0x00E0E0E0);
        Add<Label>("Label1", 30, 8, 120, 14)->Caption("Form Caption");
        Add<Label>("Label2", 10, 30, 120, 14)->Caption("File  Edit  Help");
        Add<Label>("Label3", 10, 60, 120, 14)->Caption("Form Text");
        Add<Image>("IcoImage", 8, 6, 16, 16)->Visible(false);
        for (int b = 1; b <= 4; ++b)
            Add<Image>("Image2(" + std::to_string(b) + ")", 290 - 20 * b, 6, 18, 16);
    }
};

} // namespace

forms::Form& PreviewForm(int variant) {
    static StandInFrm one(1), two(2), three(3), four(4);
    StandInFrm* const all[kVariants] = {&one, &two, &three, &four};
    return *all[variant - 1];
}

void DoBorders(MainFrm&) {}

void CenterButtonGraphics(MainFrm&) {}

void DoPreview(const std::string&) {}

void ShowSizeCheckFrm(MainFrm&) {}

} // namespace qel::creator
