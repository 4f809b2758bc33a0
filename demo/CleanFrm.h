// A plain sizable sample form with its own icon, nothing but a menu bar of five
// menus, kept above other windows.
#pragma once
#include "forms/Form.h"

namespace qel::forms {
class ActiveXControl;
}

namespace qel::demo {

// The icon resource of the form.
inline constexpr int kCleanFrmIcon = 2;

class CleanFrm : public forms::Form {
public:
    CleanFrm() : Form("CleanFrm") {}

    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    void Design() override;
};

} // namespace qel::demo
