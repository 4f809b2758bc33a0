// The control library's interfaces as widl generates them from the IDL, for
// whoever uses the control (the target qel_control_typelib, which also defines
// the GUIDs).
// The hit-test and system-command enumerators share their names with the
// platform's macros; the macros are set aside while the header is read, so both
// stay usable (the macros expand to the same values).
#pragma once
#include <windows.h>
#include <ocidl.h>
#include "base/ComGuard.h"

#include <utility>

#pragma push_macro("HTBORDER")
#pragma push_macro("HTBOTTOM")
#pragma push_macro("HTBOTTOMLEFT")
#pragma push_macro("HTBOTTOMRIGHT")
#pragma push_macro("HTCAPTION")
#pragma push_macro("HTCLIENT")
#pragma push_macro("HTGROWBOX")
#pragma push_macro("HTHSCROLL")
#pragma push_macro("HTLEFT")
#pragma push_macro("HTMAXBUTTON")
#pragma push_macro("HTMENU")
#pragma push_macro("HTMINBUTTON")
#pragma push_macro("HTNOWHERE")
#pragma push_macro("HTRIGHT")
#pragma push_macro("HTSYSMENU")
#pragma push_macro("HTTOP")
#pragma push_macro("HTTOPLEFT")
#pragma push_macro("HTTOPRIGHT")
#pragma push_macro("HTVSCROLL")
#pragma push_macro("SC_ARRANGE")
#pragma push_macro("SC_CLOSE")
#pragma push_macro("SC_MAXIMIZE")
#pragma push_macro("SC_MINIMIZE")
#pragma push_macro("SC_MOVE")
#pragma push_macro("SC_NEXTWINDOW")
#pragma push_macro("SC_PREVWINDOW")
#pragma push_macro("SC_RESTORE")
#pragma push_macro("SC_SIZE")
#undef HTBORDER
#undef HTBOTTOM
#undef HTBOTTOMLEFT
#undef HTBOTTOMRIGHT
#undef HTCAPTION
#undef HTCLIENT
#undef HTGROWBOX
#undef HTHSCROLL
#undef HTLEFT
#undef HTMAXBUTTON
#undef HTMENU
#undef HTMINBUTTON
#undef HTNOWHERE
#undef HTRIGHT
#undef HTSYSMENU
#undef HTTOP
#undef HTTOPLEFT
#undef HTTOPRIGHT
#undef HTVSCROLL
#undef SC_ARRANGE
#undef SC_CLOSE
#undef SC_MAXIMIZE
#undef SC_MINIMIZE
#undef SC_MOVE
#undef SC_NEXTWINDOW
#undef SC_PREVWINDOW
#undef SC_RESTORE
#undef SC_SIZE

#include "Qel_SkinControl_h.h"

#pragma pop_macro("HTBORDER")
#pragma pop_macro("HTBOTTOM")
#pragma pop_macro("HTBOTTOMLEFT")
#pragma pop_macro("HTBOTTOMRIGHT")
#pragma pop_macro("HTCAPTION")
#pragma pop_macro("HTCLIENT")
#pragma pop_macro("HTGROWBOX")
#pragma pop_macro("HTHSCROLL")
#pragma pop_macro("HTLEFT")
#pragma pop_macro("HTMAXBUTTON")
#pragma pop_macro("HTMENU")
#pragma pop_macro("HTMINBUTTON")
#pragma pop_macro("HTNOWHERE")
#pragma pop_macro("HTRIGHT")
#pragma pop_macro("HTSYSMENU")
#pragma pop_macro("HTTOP")
#pragma pop_macro("HTTOPLEFT")
#pragma pop_macro("HTTOPRIGHT")
#pragma pop_macro("HTVSCROLL")
#pragma pop_macro("SC_ARRANGE")
#pragma pop_macro("SC_CLOSE")
#pragma pop_macro("SC_MAXIMIZE")
#pragma pop_macro("SC_MINIMIZE")
#pragma pop_macro("SC_MOVE")
#pragma pop_macro("SC_NEXTWINDOW")
#pragma pop_macro("SC_PREVWINDOW")
#pragma pop_macro("SC_RESTORE")
#pragma pop_macro("SC_SIZE")

namespace qel {

// The control library's name as the source of its object errors ("<name>.WindowProc").
inline constexpr const wchar_t* kLibraryName = L"Qel_SkinControl";

// The boundary of the control library's COM methods, naming the library.
template <class Body> HRESULT ComGuard(Body&& body) noexcept {
    return ComGuard(kLibraryName, std::forward<Body>(body));
}

} // namespace qel
