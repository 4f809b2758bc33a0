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

class Composer {
public:
    Composer(const SkinDocument& d, int variant, const PreviewFormMetrics& form)
        : d_(d), v_(variant), fw_(form.scaleWidth), fh_(form.scaleHeight) {}

    const GraphicBox& Box(Piece piece) const { return d_.PieceBox(piece, v_); }
    double Field(int n) const { return Val(d_.Text(n)); }

    // A run of `piece` from (x, y) along x or y, as many copies as the
    // piece's length along it fits into `span`, plus one.
    void Run(Piece piece, double x, double y, bool alongX, double span,
             std::vector<PieceRun>& runs) const {
        const GraphicBox& box = Box(piece);
        const int length = alongX ? box.width : box.height;
        if (!Flagged(piece) || length == 0) return;
        const double count = std::floor(std::abs(span / length));
        PieceRun run = Copy(piece, x, y);
        run.copies = static_cast<int>(std::min(count, double(INT_MAX - 1))) + 1;
        (alongX ? run.stepX : run.stepY) = length;
        runs.push_back(run);
    }

    void Corner(Piece piece, double x, double y, std::vector<PieceRun>& runs) const {
        if (Flagged(piece)) runs.push_back(Copy(piece, x, y));
    }

    // The bottom corner that "Show Sizable Corners" chooses.
    Piece Chosen(Piece fixed, Piece sizable) const {
        return d_.CheckValue(1) != 0 ? sizable : fixed;
    }

    double fw() const { return fw_; }
    double fh() const { return fh_; }

private:
    bool Flagged(Piece piece) const { return d_.ItemData(v_, piece) == kHasGraphic; }

    PieceRun Copy(Piece piece, double x, double y) const {
        const GraphicBox& box = Box(piece);
        return {piece, v_, RoundHalfEven(x), RoundHalfEven(y), 0, 0, 1, box.width, box.height};
    }

    const SkinDocument& d_;
    int v_;
    double fw_, fh_;
};

} // namespace

std::pair<int, int> PieceRun::CopyAt(int i) const {
    return {RoundHalfEven(x + double(i) * stepX), RoundHalfEven(y + double(i) * stepY)};
}

PreviewLayout LayOutPreview(const SkinDocument& document, int variant,
                            const PreviewFormMetrics& form) {
    const Composer c(document, variant, form);
    const double tlw = c.Box(Piece::TopLeft).width, tlh = c.Box(Piece::TopLeft).height;
    const double trw = c.Box(Piece::TopRight).width;
    // The runs measure with the fixed bottom corners, whichever the form shows.
    const double blw = c.Box(Piece::BtmLeft).width, blh = c.Box(Piece::BtmLeft).height;
    const double brw = c.Box(Piece::BtmRight).width;
    const double fw = c.fw(), fh = c.fh();

    PreviewLayout layout;
    auto& runs = layout.runs;
    c.Run(Piece::TopMiddle, tlw, 0, true, fw - tlw - trw, runs);
    c.Run(Piece::BtmMid, blw, fh - c.Box(Piece::BtmMid).height, true, fw - blw - brw, runs);
    c.Run(Piece::LeftSide, 0, tlh, false, fh - tlh - blh, runs);
    c.Run(Piece::RightSide, fw - c.Box(Piece::RightSide).width, tlh, false, fh - tlh - blh, runs);
    c.Corner(Piece::TopLeft, 0, 0, runs);
    c.Corner(Piece::TopRight, fw - trw, 0, runs);
    const Piece left = c.Chosen(Piece::BtmLeft, Piece::BtmLeftSize);
    c.Corner(left, 0, fh - c.Box(left).height, runs);
    const Piece right = c.Chosen(Piece::BtmRight, Piece::BtmRightSize);
    c.Corner(right, fw - c.Box(right).width, fh - c.Box(right).height, runs);

    const bool withMenu = variant == 1 || variant == 2;
    layout.caption = {Place(c.Field(13)), Place(c.Field(withMenu ? 2 : 8))};
    if (withMenu) {
        layout.menu = ControlPlace{Place(c.Field(7)), Place(c.Field(6) + 5)};
        layout.menuColour = document.picColor(variant == 1 ? 4 : 5).backColor;
    }
    layout.icon = {Place(c.Field(12)), Place(c.Field(11))};

    // Caption buttons from the right edge leftwards; restore and maximise
    // share one place, and minimise is measured past the restore image.
    const auto& w = form.buttonWidths;
    const double l = c.Field(4), g = c.Field(5), top = c.Field(3);
    const double lefts[4] = {fw - w[0] - l, fw - w[0] - w[1] - l - g, fw - w[0] - w[2] - l - g,
                             fw - w[0] - w[1] - w[3] - l - 2 * g};
    for (int k = 0; k < 4; ++k)
        layout.buttons[k] = {Place(lefts[k]), Place(top)};

    if (variant == 1 || variant == 3)
        layout.textSample = ControlPlace{Place((fw - form.textSampleWidth) / 2),
                                         Place((fh - form.textSampleHeight) / 2)};

    layout.region = RoundCornersRegion(form.outerWidth, form.outerHeight, RoundHalfEven(c.Field(1)),
                                       document.CheckValue(2) != 0, document.CheckValue(3) != 0);
    return layout;
}

RoundRegion RoundCornersRegion(int width, int height, int32_t angle, bool roundTop,
                               bool roundBottom) {
    const int a = std::clamp(angle, -kMaxRoundAngle, kMaxRoundAngle);
    RoundRegion region{0, 0, width + 1, height + 1, a};
    if (roundTop && !roundBottom) region.bottom = height + 2 * a + 1;
    if (roundBottom && !roundTop) region.top = -2 * a;
    if (!roundTop && !roundBottom) region.ellipse = 0;
    return region;
}

} // namespace qel
