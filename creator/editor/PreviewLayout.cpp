#include "creator/editor/PreviewLayout.h"

#include "base/Rounding.h"
#include "base/Val.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace qel {
namespace {

// Controls are kept within this many pixels of the form's origin: a number
// field far beyond it puts the control as far out of sight, where the
// platform would overflow.
constexpr double kMaxPlace = 1 << 24;

float Place(double v) {
    return static_cast<float>(std::clamp(v, -kMaxPlace, kMaxPlace));
}

// The piece copies of one preview, from the piece boxes of its variant.
class PieceRuns {
public:
    PieceRuns(const SkinDocument& d, int variant) : d_(d), v_(variant) {}

    const GraphicBox& Box(Piece piece) const { return d_.PieceBox(piece, v_); }

    // A run of `piece` from (x, y) along x or y: as many copies as the
    // piece's length along it fits into `span`, plus one.
    void Run(Piece piece, double x, double y, bool alongX, double span) {
        const GraphicBox& box = Box(piece);
        const int length = alongX ? box.width : box.height;
        if (!Flagged(piece) || length == 0) return;
        const double count = std::floor(std::abs(span / length));
        PieceRun& run = Add(piece, x, y);
        run.copies = static_cast<int>(std::min(count, double(INT_MAX - 1))) + 1;
        (alongX ? run.stepX : run.stepY) = length;
    }

    void Corner(Piece piece, double x, double y) {
        if (Flagged(piece)) Add(piece, x, y);
    }

    std::vector<PieceRun> runs;

private:
    bool Flagged(Piece piece) const { return d_.ItemData(v_, piece) == kHasGraphic; }

    PieceRun& Add(Piece piece, double x, double y) {
        const GraphicBox& box = Box(piece);
        return runs.emplace_back(PieceRun{piece, v_, RoundHalfEven(x), RoundHalfEven(y), 0, 0, 1,
                                          box.width, box.height});
    }

    const SkinDocument& d_;
    int v_;
};

} // namespace

std::pair<int, int> PieceRun::CopyAt(int i) const {
    return {RoundHalfEven(x + double(i) * stepX), RoundHalfEven(y + double(i) * stepY)};
}

PreviewLayout LayOutPreview(const SkinDocument& document, int variant,
                            const PreviewFormMetrics& form) {
    PieceRuns p(document, variant);
    const double tlw = p.Box(Piece::TopLeft).width, tlh = p.Box(Piece::TopLeft).height;
    const double trw = p.Box(Piece::TopRight).width;
    // The runs measure with the fixed bottom corners, whichever the form shows.
    const double blw = p.Box(Piece::BtmLeft).width, blh = p.Box(Piece::BtmLeft).height;
    const double brw = p.Box(Piece::BtmRight).width;
    const double fw = form.scaleWidth, fh = form.scaleHeight;

    p.Run(Piece::TopMiddle, tlw, 0, true, fw - tlw - trw);
    p.Run(Piece::BtmMid, blw, fh - p.Box(Piece::BtmMid).height, true, fw - blw - brw);
    p.Run(Piece::LeftSide, 0, tlh, false, fh - tlh - blh);
    p.Run(Piece::RightSide, fw - p.Box(Piece::RightSide).width, tlh, false, fh - tlh - blh);
    p.Corner(Piece::TopLeft, 0, 0);
    p.Corner(Piece::TopRight, fw - trw, 0);
    const bool sizable = document.CheckValue(Option::ShowSizableCorners) != 0;
    const Piece left = sizable ? Piece::BtmLeftSize : Piece::BtmLeft;
    p.Corner(left, 0, fh - p.Box(left).height);
    const Piece right = sizable ? Piece::BtmRightSize : Piece::BtmRight;
    p.Corner(right, fw - p.Box(right).width, fh - p.Box(right).height);

    PreviewLayout layout;
    layout.runs = std::move(p.runs);
    using enum Field;
    const auto field = [&](Field n) { return Val(document.Text(n)); };
    const bool withMenu = HasMenu(variant);
    layout.caption = {Place(field(CaptionLeft)),
                      Place(field(withMenu ? CaptionTopWithMenu : CaptionTopNoMenu))};
    if (withMenu) {
        layout.menu = ControlPlace{Place(field(MenuLeft)), Place(field(MenuTop) + 5)};
        layout.menuColour = document.picColor(MenuSwatch(variant)).backColor;
    }
    layout.icon = {Place(field(IconLeft)), Place(field(IconTop))};

    // Caption buttons from the right edge leftwards; restore and maximise
    // share one place, and minimise is measured past the restore image.
    const auto& w = form.buttonWidths;
    const double l = field(ButtonLeft), g = field(ButtonGap), top = field(ButtonsTop);
    const double lefts[4] = {fw - w[0] - l, fw - w[0] - w[1] - l - g, fw - w[0] - w[2] - l - g,
                             fw - w[0] - w[1] - w[3] - l - 2 * g};
    for (int k = 0; k < 4; ++k)
        layout.buttons[k] = {Place(lefts[k]), Place(top)};

    if (IsActive(variant))
        layout.textSample = ControlPlace{Place((fw - form.textSampleWidth) / 2),
                                         Place((fh - form.textSampleHeight) / 2)};

    layout.region =
        RoundCornersRegion(form.outerWidth, form.outerHeight, RoundHalfEven(field(RoundAngle)),
                           document.CheckValue(Option::RoundTopCorners) != 0,
                           document.CheckValue(Option::RoundBottomCorners) != 0);
    return layout;
}

} // namespace qel
