// Skin documents for tests: a document holding a sample skin, filled as a
// user would fill it, with the number texts and check values that the sheet
// stores as the skin's values and flags.
#pragma once
#include "creator/shell/SkinDocument.h"
#include "sheet/SkinSheetContent.h"

#include <random>

namespace qel::test {

// The number fields (Text1 to Text13) that hold the sheet's values, in the
// sheet's order.
inline constexpr int kValueField[kSheetValues] = {1, 2, 4, 3, 5, 6, 7, 8, 11, 12, 13};

// A document of `content`: the side and bottom pieces of variants 3 and 4 those
// of 1 and 2, unticked flags sometimes greyed, the values written in texts
// that Val() and rounding half to even bring back to them, Check1 ticked.
SkinDocument DocumentOf(const SkinSheetContent& content, std::mt19937& rng);

} // namespace qel::test
