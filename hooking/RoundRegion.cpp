#include "hooking/RoundRegion.h"
#include "base/Handle.h"

namespace qel {

void SetFormRoundRegion(HWND frm, short Angle, bool DoTop, bool DoBtm) {
    if (!IsWindow(frm)) return;
    if (Angle < 1 || (!DoTop && !DoBtm)) {
        SetWindowRgn(frm, nullptr, FALSE);
        return;
    }
    // The window's outer size in pixels.
    RECT r;
    GetWindowRect(frm, &r);
    const int W = r.right - r.left, H = r.bottom - r.top;
    // A corner that stays square has its rounding pushed outside the window.
    const int top = DoTop ? 0 : -2 * Angle;
    const int bottom = DoBtm ? H + 1 : H + 2 * Angle + 1;
    UniqueRegion region(CreateRoundRectRgn(0, top, W + 1, bottom, Angle, Angle));
    if (SetWindowRgn(frm, region.get(), TRUE)) region.release(); // the window owns it now
}

} // namespace qel
