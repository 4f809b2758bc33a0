// The skin control every form of the creator but the four live previews
// carries: the custom skin with the creator's own skin picture.
#pragma once
#include "forms/PropertyBag.h"

namespace qel::forms {
class ActiveXControl;
class Form;
} // namespace qel::forms

namespace qel::creator {

// The stored properties of the creator's skin controls: the custom skin (99)
// with the creator's own skin picture (the program's resource CREATOR_SKIN),
// and "LoadSkinFromRegistry" False, since the skin cache is shared by every
// program on the same thread number and would hand over another program's skin.
ComPtr<forms::PropertyBag> CreatorSkinProperties();

// Adds `Qel_SkinCtrl1` with those properties to a form being designed.
forms::ActiveXControl* AddCreatorSkinControl(forms::Form& form);

} // namespace qel::creator
