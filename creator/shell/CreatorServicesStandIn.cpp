// Stand-ins for the creator's parts that have not landed yet: no composition,
// no preview form and no size check.
#include "creator/shell/CreatorServices.h"

namespace qel::creator {

void DoBorders(MainFrm&) {}

void CenterButtonGraphics(MainFrm&) {}

void DoPreview(const std::string&) {}

void ShowSizeCheckFrm(MainFrm&) {}

} // namespace qel::creator
