#include "demo/CleanFrm.h"
#include "programs/SkinControlSource.h"
#include "forms/ActiveXControl.h"
#include "forms/Menu.h"
#include "forms/PropertyBag.h"

namespace qel::demo {

using namespace forms;

void CleanFrm::Design() {
    Caption("Vantreo Skin Control");
    IconResource(kCleanFrmIcon);
    ClientSize(3600, 2205);
    StartUp(StartUpPosition::CenterOwner);

    AddMenu("mnuF", "&File")->Add("feg", " we");
    AddMenu("mnuE", "&Edit")->Add("sgf", "wrt");
    AddMenu("mnuV", "&View")->Add("sgh", "sgf");
    AddMenu("mnuT", "&Tools")->Add("dsfgn", "sfng");
    AddMenu("mnuH", "&Help")->Add("fdgn", "fgn");

    Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", SkinControlSource(),
                               PropertyBag::With({{L"FormMaxWidth", 10000},
                                                  {L"FormMinWidth", 2000},
                                                  {L"FormMaxHeight", 9000},
                                                  {L"FormMinHeight", 2000},
                                                  {L"AlwaysOnTop", true}})
                                   .get());
    OnLoad = [this] { Qel_SkinCtrl1->Call(L"ActivateSkin"); };
}

} // namespace qel::demo
