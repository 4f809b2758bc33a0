// Late-bound access to an automation object's members by name.
#pragma once
#include "base/ComPtr.h"

#include <ocidl.h>
#include <optional>
#include <initializer_list>
#include <string>
#include <vector>

namespace qel {

// Reads the property `name`; false when the object has no such readable property.
bool GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value);
// Reads a colour property. Colours arrive signed (VT_I4, system colours below
// zero) or unsigned (VT_UI4, system colours from 0x80000000); either is taken
// bit for bit. Nothing when the property is missing or holds no 32-bit value.
std::optional<OLE_COLOR> GetColourProperty(IDispatch* object, const wchar_t* name);
// Assigns a colour property as the platform's forms do: a signed 32-bit value.
bool PutColourProperty(IDispatch* object, const wchar_t* name, OLE_COLOR colour);

// Assigns the property `name`; false when it cannot be set.
bool PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value);

// Calls the method `name` with the arguments in their declared order; false
// when the object has no such method or the call fails.
bool CallMethod(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANTARG> args = {},
                VARIANT* result = nullptr);

// The items of a collection object, through its enumerator (_NewEnum) or, when
// it has none, through Count and Item(1..Count).
std::vector<ComPtr<IDispatch>> CollectionItems(IDispatch* collection);

// The window handle of a form object (its hWnd property), or null.
HWND WindowOfForm(IDispatch* form);

} // namespace qel
