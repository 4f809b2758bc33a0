// The forms layer's type library as widl generates it: dispatch interfaces,
// classes and the dispatch identifiers of their members.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include "QelForms_h.h"
