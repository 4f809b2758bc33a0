#include "creator/shell/PreviewFrm.h"
#include "programs/SkinControlSource.h"
#include "creator/shell/CreatorSkin.h"
#include "forms/ActiveXControl.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Menu.h"
#include "forms/RuntimeError.h"
#include "sheet/SkinSheetGeometry.h"

namespace qel::creator {

using namespace forms;

namespace {

constexpr float kExitMargin = 150; // twips from the client area's right and bottom edges

} // namespace

void SkinPreviewForm::DesignCommon(float checkLeft, const char* exitName,
                                   CommandButton*& exitButton, float exitLeft, float exitTop) {
    Check2 = Add<CheckBox>("Check2", checkLeft, 375, 915, 195);
    Check2->Caption("Enabled");
    Check2->Value(1);
    Check2->OnClick = [this] {
        Qel_SkinCtrl1->Call(Check2->Value() == 0 ? L"DeactivateSkin" : L"ActivateSkin");
    };
    CommandButton* exit = exitButton = Add<CommandButton>(exitName, exitLeft, exitTop, 1365, 540);
    exit->Caption("Exit Form");
    exit->OnClick = [this] { Unload(); };
    OnResize = [this, exit] {
        exit->Left(ScaleWidth() - exit->Width() - kExitMargin);
        exit->Top(ScaleHeight() - exit->Height() - kExitMargin);
    };
    // A placeholder picture until the preview gives the skin under test.
    Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", SkinControlSource(),
                               PropertyBag::With({{L"LoadSkinFromRegistry", false}}).get());
}

bool SkinPreviewForm::Preview(const std::string& SkinNM, const PreviewSource& source) {
    try {
        Caption("Previewing " + SkinNM);
        // Only an icon can be the form's icon; anything else leaves the program's.
        Icon(PictureType(source.icon.get()) == PICTYPE_ICON ? source.icon : nullptr);
        Qel_SkinCtrl1->Set(L"SkinPicture", Variant(LoadPicture(source.file, kSheetPictureBound).get()));
        Qel_SkinCtrl1->Let(L"Skin", 99);
        Qel_SkinCtrl1->Call(L"ActivateSkin");
    } catch (const std::exception& e) {
        Unload();
        ReportError(e);
        return false;
    }
    Show(ShowMode::Modal);
    return true;
}

void PreviewFrm::Design() {
    ClientSize(5595, 2985);
    StartUp(StartUpPosition::CenterScreen);
    Command1 = Add<CommandButton>("Command1", 150, 225, 1815, 615);
    Command1->Caption("View No-Menu Form");
    Command1->OnClick = [this] { forms::Default<Preview1>().DoPreview1(skinName_, source_); };
    DesignCommon(2475, "Command2", Command2, 4125, 2325);

    mnuFile = AddMenu("mnuFile", "&File");
    mnuFile->Add("mnuNew", "&New");
    mnuFile->Add("mnuSpc1", "-");
    mnuFile->Add("mnuExit", "E&xit");
    mnuHelp = AddMenu("mnuHelp", "&Help");
    mnuHelp->Add("mnuCont", "&Contents");
}

bool PreviewFrm::DoPreview(std::string& SkinNM, const PreviewSource& source) {
    if (!Loaded()) Load();
    skinName_ = SkinNM;
    source_ = source;
    return Preview(SkinNM, source);
}

void Preview1::Design() {
    ClientSize(4680, 3090);
    StartUp(StartUpPosition::CenterOwner);
    DesignCommon(300, "Command1", Command1, 3225, 2475);
}

bool Preview1::DoPreview1(std::string& SkinNM, const PreviewSource& source) {
    if (!Loaded()) Load();
    return Preview(SkinNM, source);
}

} // namespace qel::creator
