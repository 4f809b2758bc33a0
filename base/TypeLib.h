// The type library embedded in the module that holds the library's classes.
#pragma once
#include <oaidl.h>

namespace qel {

// Type information of one interface of the embedded type library; the library
// keeps it for the life of the process. Null when the module has no such type.
ITypeInfo* LibraryTypeInfo(REFGUID guid);

} // namespace qel
