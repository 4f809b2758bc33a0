// Late-bound access to an automation object's members by name.
#pragma once
#include <oaidl.h>

namespace qel {

// Reads the property `name`; false when the object has no such readable property.
bool GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value);
// Assigns the property `name`; false when it cannot be set.
bool PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value);

// The window handle of a form object (its hWnd property), or null.
HWND WindowOfForm(IDispatch* form);

} // namespace qel
