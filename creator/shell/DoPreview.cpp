// The preview command's last step: the preview form shows the preview file that
// the save has just written (beside the program or in the temp folder), with
// the form icon of the live preview Frm1.
#include "creator/shell/CreatorServices.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/PreviewFile.h"
#include "creator/shell/PreviewFrm.h"
#include "forms/Image.h"

namespace qel::creator {

void DoPreview(const std::string& skinName) {
    std::string name = skinName;
    forms::Default<PreviewFrm>().DoPreview(name, {PreviewFile(), Frm(1).IcoImage->Picture()});
}

} // namespace qel::creator
