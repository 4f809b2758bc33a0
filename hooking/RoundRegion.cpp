#include "hooking/RoundRegion.h"
#include "base/Handle.h"
#include "skinmodel/FrameLayout.h"

namespace qel {

void SetFormRoundRegion(HWND frm, short Angle, bool DoTop, bool DoBtm) {
    if (!IsWindow(frm)) return;
    RECT w;
    GetWindowRect(frm, &w);
    const RoundRegion r =
        RoundCornersRegion(w.right - w.left, w.bottom - w.top, Angle, DoTop, DoBtm);
    if (r.ellipse == 0) {
        SetWindowRgn(frm, nullptr, FALSE);
        return;
    }
    UniqueRegion region(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ellipse, r.ellipse));
    if (SetWindowRgn(frm, region.get(), TRUE)) region.release(); // the window owns it now
}

} // namespace qel
