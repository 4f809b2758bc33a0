// The composition of the four live previews: each form is cleared, the
// flagged piece boxes of its variant are copied onto its persistent surface
// where the preview's layout puts them, its sample controls are placed, and
// its window takes the region with the rounded corners. The geometry is
// LayOutPreview's; this side only copies pixels and sets properties.
#include "base/BitmapRows.h"
#include "base/Handle.h"
#include "base/Rounding.h"
#include "creator/editor/PreviewLayout.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"

#include <exception>

namespace qel::creator {
namespace {

PreviewFormMetrics MetricsOf(LivePreviewFrm& form) {
    PreviewFormMetrics metrics;
    metrics.scaleWidth = RoundHalfEven(form.ScaleWidth());
    metrics.scaleHeight = RoundHalfEven(form.ScaleHeight());
    // The outer size in pixels, as the region counts it.
    RECT outer{};
    GetWindowRect(form.hWnd(), &outer);
    metrics.outerWidth = outer.right - outer.left;
    metrics.outerHeight = outer.bottom - outer.top;
    for (int k = 0; k < 4; ++k)
        metrics.buttonWidths[k] = form.Image2[k + 1]->Width();
    metrics.textSampleWidth = form.Label3->Width();
    metrics.textSampleHeight = form.Label3->Height();
    return metrics;
}

// Copies a run of a piece box onto the form's surface, `size` pixels.
void CopyRun(HDC target, SIZE size, const GraphicBox& box, const PieceRun& run) {
    const SheetImage shown = box.Shown();
    if (shown.Empty()) return;
    const std::vector<uint32_t> rows = shown.ToBgra();
    UniqueBitmap bitmap = BitmapFromRows(shown.Width(), shown.Height(), rows.data());
    UniqueDC source(CreateCompatibleDC(target));
    if (!bitmap || !source) return;
    Selection selected(source.get(), bitmap.get());
    for (int i = 0; i < run.copies; ++i) {
        const auto [x, y] = run.CopyAt(i);
        if (x >= size.cx || y >= size.cy) break; // the rest lie past the surface
        BitBlt(target, x, y, run.width, run.height, source.get(), 0, 0, SRCCOPY);
    }
}

// Moves a control unless it is there already: each move repaints what it uncovers.
void Place(forms::WindowControl& control, const ControlPlace& place) {
    if (control.Left() != place.left || control.Top() != place.top)
        control.Move(place.left, place.top, control.Width(), control.Height());
}

// The window takes the region (unless it has that one already, to spare the
// repaint); one it refuses is deleted here.
void ApplyRoundCorners(LivePreviewFrm& form, const RoundRegion& r) {
    UniqueRegion region(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ellipse, r.ellipse));
    if (!region) return;
    UniqueRegion current(CreateRectRgn(0, 0, 0, 0));
    if (current && GetWindowRgn(form.hWnd(), current.get()) != ERROR &&
        EqualRgn(current.get(), region.get()))
        return;
    if (SetWindowRgn(form.hWnd(), region.get(), TRUE)) region.release();
}

void Compose(const SkinDocument& document, LivePreviewFrm& form) {
    const PreviewLayout layout = LayOutPreview(document, form.Variant(), MetricsOf(form));
    HDC surface = form.hDC();
    const SIZE size{form.ToPixelsX(form.ScaleWidth()), form.ToPixelsY(form.ScaleHeight())};
    for (const PieceRun& run : layout.runs)
        CopyRun(surface, size, document.PieceBox(run.piece, run.variant), run);

    Place(*form.Label1, layout.caption);
    if (layout.menu && form.Label2) {
        Place(*form.Label2, *layout.menu);
        form.Label2->ForeColor(layout.menuColour);
    }
    Place(*form.IcoImage, layout.icon);
    for (int k = 0; k < 4; ++k)
        Place(*form.Image2[k + 1], layout.buttons[k]);
    if (layout.textSample) Place(*form.Label3, *layout.textSample);
    ApplyRoundCorners(form, layout.region);
}

} // namespace

// Never fails: an error of the platform ends the composition where it
// happened, and what was drawn and set stays.
void DoBorders(MainFrm& main) {
    try {
        for (LivePreviewFrm* form : main.Frm)
            form->Cls();
        for (forms::ListBox* list : main.List)
            list->ListIndex(-1);
        for (LivePreviewFrm* form : main.Frm)
            form->Image1->Visible(false);
        for (LivePreviewFrm* form : main.Frm)
            Compose(main.Document, *form);
        for (LivePreviewFrm* form : main.Frm)
            form->Refresh();
    } catch (const std::exception&) {
    }
}

} // namespace qel::creator
