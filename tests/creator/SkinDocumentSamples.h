// Skin documents for tests: a document holding a sample skin, filled as a
// user would fill it, with the number texts and check values that the sheet
// stores as the skin's values and flags.
#pragma once
#include "creator/shell/SkinDocument.h"
#include "sheet/SkinSheetContent.h"

#include <random>

namespace qel::test {

// The check boxes and number fields that hold the sheet's flags and values, in
// the sheet's order.
inline constexpr Option kFlagCheck[kSheetFlags] = {Option::RoundTopCorners,
                                                   Option::RoundBottomCorners, Option::DrawCaption,
                                                   Option::DrawFormIcon, Option::ShiftCaption};
inline constexpr Field kValueField[kSheetValues] = {
    Field::RoundAngle, Field::CaptionTopWithMenu, Field::ButtonLeft,
    Field::ButtonsTop, Field::ButtonGap,          Field::MenuTop,
    Field::MenuLeft,   Field::CaptionTopNoMenu,   Field::IconTop,
    Field::IconLeft,   Field::CaptionLeft};

// A document of `content`: the side and bottom pieces of variants 3 and 4 those
// of 1 and 2, unticked flags sometimes greyed, the values written in texts
// that Val() and rounding half to even bring back to them, Check1 ticked.
SkinDocument DocumentOf(const SkinSheetContent& content, std::mt19937& rng);

} // namespace qel::test
