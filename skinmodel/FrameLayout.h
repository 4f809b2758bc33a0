// Where a skinned window frame lies: from a skin's numbers and picture sizes,
// a window rectangle and its state, every piece copy, caption button, the
// title, the icon and the menu bar, the margins and what is under a point.
// Painting, hit testing and the skin previews all read it, so they agree.
// Portable: no platform types.
#pragma once
#include "skinmodel/FramePieces.h"
#include "skinmodel/SkinSettingsTable.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qel {

// A rectangle, right and bottom exclusive.
struct FrameRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    bool operator==(const FrameRect&) const = default;
};

// The skin's members that place the frame (under the configuration's names)
// and the heights and widths of its caption and border pictures.
struct FrameSkin {
#define QEL_FRAME_MEMBER(Name, Kind, Copied, Returned, Sliced, Framed)                             \
    QEL_SETTING_IF(Framed, Portable##Kind Name{};)
    QEL_SKIN_SETTINGS(QEL_FRAME_MEMBER)
#undef QEL_FRAME_MEMBER
    int captionHeight = 0;                   // c
    int bordersWidth = 0, bordersHeight = 0; // the border picture: kStripCells cells, b tall
};

// The frame's part of a skin configuration (any record with the members under
// the configuration's names) with its pictures' sizes.
template <class Config>
FrameSkin FrameSkinOf(const Config& k, int captionHeight, int bordersWidth, int bordersHeight) {
    FrameSkin f;
#define QEL_FRAME_COPY(Name, Kind, Copied, Returned, Sliced, Framed)                               \
    QEL_SETTING_IF(Framed, f.Name = SettingCast<decltype(f.Name)>(k.Name);)
    QEL_SKIN_SETTINGS(QEL_FRAME_COPY)
#undef QEL_FRAME_COPY
    f.captionHeight = captionHeight;
    f.bordersWidth = bordersWidth;
    f.bordersHeight = bordersHeight;
    return f;
}

// The window's caption buttons, in the order they are laid out from the right;
// the middle one shows the Restore or the Maximize column of the button picture.
enum FrameButton { kCloseButton, kMaxRestoreButton, kMinimiseButton, kFrameButtonCount };

struct FrameState {
    FrameRect window; // where the frame is drawn (the window's own: at the origin)
    bool active = true;
    bool maximised = false; // the middle button shows "restore"
    bool sizable = true;    // the bottom corners of a sizable window
    bool menu = false;      // a menu bar is laid out
    int titleHeight = 0;    // the measured height of the title font, when measured
    std::array<bool, kFrameButtonCount> shown{true, true, true};
    std::array<ButtonState, kFrameButtonCount> looks{}; // while active
};

// A copy of w x h pixels from (fromX, fromY) of a source to `to`'s top-left.
struct PieceCopy {
    FrameRect to;
    int fromX = 0, fromY = 0;
    bool operator==(const PieceCopy&) const = default;
};

// What a frame is painted from and onto.
enum class FrameSurface {
    Caption, // the skin's pictures
    Borders,
    Buttons,
    Strip,  // the window's width: the caption band, later the bottom border
    Side,   // the two side cells side by side, the window's height
    Window, // where the frame is drawn
};

// A copy of `piece` from `from` to `to`; a copy within one surface repeats
// what is already drawn there, doubling it each time.
struct FrameCopy {
    FrameSurface from = FrameSurface::Caption, to = FrameSurface::Caption;
    PieceCopy piece;
    bool operator==(const FrameCopy&) const = default;
};

struct FrameLayout {
    // How the frame is painted, in order; every painter walks these copies.
    // First onto the strip: the caption's ends and its middle tiled. The title
    // and the menu bar go on the strip after these.
    std::vector<FrameCopy> caption;
    // Then the buttons onto the strip and the strip onto the window, the
    // sides, and the bottom border composed on the strip and copied down.
    std::vector<FrameCopy> frame;
    int stripHeight = 0, sideWidth = 0;
    bool tooNarrow = false; // no room for a title
    FrameRect title;        // empty: no title drawn
    // The menu bar, relative to the strip: where the bar is rendered (its
    // vertical offset for the items) and the hit-test rectangle's left, top
    // and bottom (its right is where the rendered items end).
    bool menu = false;
    FrameRect menuArea;
    int menuYOffset = 0;
    FrameRect menuBar;
    // Caption buttons, relative to the window: where each shown one lies and
    // its cell of the button picture.
    std::array<bool, kFrameButtonCount> buttonShown{};
    std::array<FrameRect, kFrameButtonCount> buttons{};
    std::array<PieceCopy, kFrameButtonCount> buttonCells{};
    FrameRect icon;  // empty: no icon
    FrameRect inner; // inside caption and borders
};

FrameLayout LayOutFrame(const FrameSkin& skin, const FrameState& state);

// The cell of the button picture that shows `button` with `look` at `at`'s
// top-left (the Disabled row whatever the look while the window is in-active).
PieceCopy ButtonCell(const FrameSkin& skin, FrameButton button, ButtonState look, bool active,
                     bool maximised, const FrameRect& at);

// The margins the frame takes from the window.
struct FrameMargins {
    int top = 0, left = 0, right = 0, bottom = 0;
};
FrameMargins MarginsOf(const FrameSkin& skin);

// Hit-test codes the frame answers (the platform's values).
enum FrameHit {
    kHitCaption = 2,
    kHitSysMenu = 3,
    kHitMenu = 5,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
};
// Refines `code` for the point (x, y) of a width x height window laid out as
// `layout` (the menu bar's right end filled in): the menu bar, the caption,
// the sizing zones when `canSize`, then the caption buttons. `underButton`
// receives which buttons are under the point.
int HitTestFrame(const FrameSkin& skin, const FrameLayout& layout, int x, int y, int width,
                 int height, bool canSize, int code,
                 std::array<bool, kFrameButtonCount>* underButton = nullptr);

// The round-rectangle region of a window, in window pixels: the rectangle
// (left, top)-(right, bottom) with corners cut by an ellipse of `ellipse` x
// `ellipse`; 0 is no rounding.
struct RoundRegion {
    int left = 0, top = 0, right = 0, bottom = 0, ellipse = 0;
    // Whether the pixel at (x, y) lies inside, its centre measured against the
    // ellipse corners.
    bool Contains(int x, int y) const;
    bool operator==(const RoundRegion&) const = default;
};

// The region of a window `width` x `height` pixels with the top, the bottom,
// both or no corners rounded by `angle`, which is held to 0 to kMaxRoundAngle
// so that the region can always be made and never cuts into the window's
// other edge. A square corner has its rounding pushed outside the window.
inline constexpr int32_t kMaxRoundAngle = 65536;
RoundRegion RoundCornersRegion(int width, int height, int32_t angle, bool roundTop,
                               bool roundBottom);

} // namespace qel
