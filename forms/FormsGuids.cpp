// Defines the GUIDs of the forms layer's type library (once per program).
#include <windows.h>
#include <ocidl.h>
#include <initguid.h>
#include "forms/FormsTypeLib.h"
