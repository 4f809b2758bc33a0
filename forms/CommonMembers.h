// Automation members that forms and controls answer alike, for any object with
// the C++ members of the same names.
#pragma once
#include "forms/DispatchCall.h"
#include "forms/FormsTypeLib.h"

#include <string>

namespace qel::forms {

// Name, Tag and Visible; DISP_E_MEMBERNOTFOUND for any other member.
template <class T> HRESULT InvokeNamed(T& target, DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_NAME:
        return call.ReadOnly<std::string>([&] { return target.Name(); });
    case DISPID_FORMS_TAG:
        return call.Property<std::string>([&] { return target.Tag(); },
                                          [&](std::string t) { target.Tag(std::move(t)); });
    case DISPID_FORMS_VISIBLE:
        return call.Property<bool>([&] { return target.Visible(); },
                                   [&](bool v) { target.Visible(v); });
    }
    return DISP_E_MEMBERNOTFOUND;
}

// Position and size, window, enabled state, Refresh and colours of a windowed
// object; DISP_E_MEMBERNOTFOUND for any other member.
template <class T> HRESULT InvokePlaced(T& target, DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_LEFT:
        return call.Property<float>([&] { return target.Left(); },
                                    [&](float v) { target.Left(v); });
    case DISPID_FORMS_TOP:
        return call.Property<float>([&] { return target.Top(); }, [&](float v) { target.Top(v); });
    case DISPID_FORMS_WIDTH:
        return call.Property<float>([&] { return target.Width(); },
                                    [&](float v) { target.Width(v); });
    case DISPID_FORMS_HEIGHT:
        return call.Property<float>([&] { return target.Height(); },
                                    [&](float v) { target.Height(v); });
    case DISPID_FORMS_MOVE:
        // Move Left, [Top], [Width], [Height]: what is left out stays.
        return call.Method([&] {
            target.Move(call.Arg<float>(0), call.Has(1) ? call.Arg<float>(1) : target.Top(),
                        call.Has(2) ? call.Arg<float>(2) : target.Width(),
                        call.Has(3) ? call.Arg<float>(3) : target.Height());
        });
    case DISPID_FORMS_HWND:
        return call.ReadOnly<long>([&] { return HandleToLong(target.hWnd()); });
    case DISPID_FORMS_ENABLED:
        return call.Property<bool>([&] { return target.Enabled(); },
                                   [&](bool v) { target.Enabled(v); });
    case DISPID_FORMS_REFRESH:
        return call.Method([&] { target.Refresh(); });
    case DISPID_FORMS_BACKCOLOR:
        return call.Property<OleColor>([&] { return target.BackColor(); },
                                       [&](OleColor c) { target.BackColor(c); });
    case DISPID_FORMS_FORECOLOR:
        return call.Property<OleColor>([&] { return target.ForeColor(); },
                                       [&](OleColor c) { target.ForeColor(c); });
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace qel::forms
