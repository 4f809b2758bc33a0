// Where a program's forms get their skin control: the registered class, or else
// the control library beside the program.
#pragma once
#include "typelib/QelTypeLib.h"
#include "forms/ActiveXSource.h"

namespace qel {

inline forms::ActiveXSource SkinControlSource() {
    return forms::ActiveXSource::FromProgIdOrDll(L"Qel_SkinControl.Qel_SkinCtrl",
                                                 "Qel_SkinControl.dll", CLSID_Qel_SkinCtrl);
}

} // namespace qel
