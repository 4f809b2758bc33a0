// Defines the GUIDs of the control's interfaces and classes (once per module).
#include <windows.h>
#include <ocidl.h>
#include <initguid.h>
#include "typelib/QelTypeLib.h"
