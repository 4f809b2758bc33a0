// Defines the GUIDs of the type library's interfaces and classes (once per module).
#include <windows.h>
#include <ocidl.h>
#include <initguid.h>
#include "base/QelTypeLib.h"
