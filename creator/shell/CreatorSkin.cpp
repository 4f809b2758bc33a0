#include "creator/shell/CreatorSkin.h"
#include "base/PictureFile.h"
#include "programs/SkinControlSource.h"
#include "sheet/SkinSheetGeometry.h"
#include "forms/Form.h"

namespace qel::creator {

namespace {

// The creator's own skin sheet from the program's resources; none when the
// program carries no such resource.
ComPtr<IPictureDisp> CreatorSkinPicture() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, "CREATOR_SKIN", reinterpret_cast<LPCSTR>(RT_RCDATA));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes ? LoadPictureBytes(bytes, SizeofResource(module, found), kSheetPictureBound)
                 : nullptr;
}

} // namespace

ComPtr<forms::PropertyBag> CreatorSkinProperties() {
    return forms::PropertyBag::With({{L"Skin", 99},
                                     {L"SkinPicture", Variant(CreatorSkinPicture().get())},
                                     {L"LoadSkinFromRegistry", false}});
}

forms::ActiveXControl* AddCreatorSkinControl(forms::Form& form) {
    return form.AddActiveX("Qel_SkinCtrl1", SkinControlSource(), CreatorSkinProperties().get());
}

} // namespace qel::creator
