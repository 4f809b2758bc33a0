// The members of the skin configuration, listed once: in the order of their
// dispatch identifiers, each with its kind and what is done with it. The
// record's properties, the renderer's copies, the values slicing gives and the
// numbers that place the frame are all made from this list. Portable.
#pragma once
#include <cstdint>
#include <type_traits>

// X(Name, Kind, Copied, Returned, Sliced, Framed); the last four are 0 or 1.
// - Kind: Long, Short, Colour, Bool, Single, Picture, Font, Text or Method.
// - Copied: Attach2 copies it into the renderer with the other values (the
//   pictures and Method the renderer takes on its own, before them).
// - Returned: the renderer's SkinConfiguration hands its copy back; the other
//   members keep a new record's values there.
// - Sliced: slicing a skin sheet gives its value (the pictures are cut apart).
// - Framed: it places the frame (FrameSkin).
#define QEL_SKIN_SETTINGS(X)                                                                       \
    X(ButtonWidth, Long, 1, 1, 1, 1)                                                               \
    X(ButtonHeight, Long, 1, 1, 1, 1)                                                              \
    X(ActiveLeftEnd, Long, 1, 1, 1, 1)                                                             \
    X(ActiveRightStart, Long, 1, 1, 1, 1)                                                          \
    X(ActiveRightEnd, Long, 1, 1, 1, 1)                                                            \
    X(InactiveOffset, Long, 1, 1, 1, 1)                                                            \
    X(Caption, Picture, 0, 1, 0, 0)                                                                \
    X(Borders, Picture, 0, 1, 0, 0)                                                                \
    X(Buttons, Picture, 0, 1, 0, 0)                                                                \
    X(FrmIcon, Picture, 0, 1, 0, 0)                                                                \
    X(CaptionLeft, Long, 1, 0, 1, 1)                                                               \
    X(ShowIcon, Bool, 1, 0, 1, 1)                                                                  \
    X(IconLeft, Long, 1, 0, 1, 1)                                                                  \
    X(IconTop, Long, 1, 0, 1, 1)                                                                   \
    X(ActiveCaptionColor, Colour, 1, 1, 1, 0)                                                      \
    X(InActiveCaptionColor, Colour, 1, 1, 1, 0)                                                    \
    X(CaptionFont, Font, 1, 1, 0, 0)                                                               \
    X(FormBackgroundColor, Colour, 1, 0, 1, 0)                                                     \
    X(ActiveMenuColor, Colour, 1, 1, 1, 0)                                                         \
    X(ActiveMenuColorOver, Colour, 1, 1, 1, 0)                                                     \
    X(InActiveMenuColor, Colour, 1, 1, 1, 0)                                                       \
    X(MenuBackgroundColor, Colour, 1, 1, 1, 0)                                                     \
    X(MenuFont, Font, 1, 1, 0, 0)                                                                  \
    X(BorderHasInactiveVersion, Bool, 1, 1, 1, 1)                                                  \
    X(LeftBorderWidth, Long, 1, 1, 1, 1)                                                           \
    X(RightBorderWidth, Long, 1, 1, 1, 1)                                                          \
    X(TopSizingBorderHeight, Long, 1, 1, 1, 1)                                                     \
    X(BottomSizingBorderHeight, Long, 1, 1, 1, 1)                                                  \
    X(ButtonGap, Short, 1, 1, 1, 1)                                                                \
    X(DrawTitle, Bool, 1, 1, 1, 1)                                                                 \
    X(TitleStartOffsetY, Long, 1, 1, 1, 1)                                                         \
    X(ControlButtonHasInactiveVersion, Bool, 1, 1, 1, 0)                                           \
    X(CustomControlButtonPosition, Bool, 1, 1, 1, 1)                                               \
    X(ControlButtonOffsetX, Long, 1, 1, 1, 1)                                                      \
    X(ControlButtonOffsetY, Long, 1, 1, 1, 1)                                                      \
    X(MenuStartOffsetY, Long, 1, 1, 1, 1)                                                          \
    X(MenuStartOffsetX, Long, 1, 1, 1, 1)                                                          \
    X(Name, Text, 1, 1, 0, 0)                                                                      \
    X(Colourise, Bool, 0, 1, 0, 0)                                                                 \
    X(Hue, Single, 0, 1, 0, 0)                                                                     \
    X(Saturation, Single, 0, 1, 0, 0)                                                              \
    X(AdjustRGB, Bool, 0, 1, 0, 0)                                                                 \
    X(PercentRed, Single, 0, 1, 0, 0)                                                              \
    X(PercentBlue, Single, 0, 1, 0, 0)                                                             \
    X(PercentGreen, Single, 0, 1, 0, 0)                                                            \
    X(TransparentColor, Colour, 0, 1, 0, 0)                                                        \
    X(Method, Method, 0, 0, 0, 0)

// QEL_SETTING_IF(flag, code): the code when the flag is 1, nothing when it is 0.
#define QEL_SETTING_IF(flag, ...) QEL_SETTING_IF_##flag(__VA_ARGS__)
#define QEL_SETTING_IF_0(...)
#define QEL_SETTING_IF_1(...) __VA_ARGS__

namespace qel {

// The kinds of the numbers and flags in portable records.
using PortableLong = int32_t;
using PortableShort = int16_t;
using PortableColour = uint32_t;
using PortableBool = bool;

// A member's value in another record's type: Booleans stay Booleans (a
// platform Boolean is -1 for true), numbers keep their value.
template <class To, class From> constexpr To SettingCast(From value) {
    if constexpr (std::is_same_v<To, bool>)
        return value != 0;
    else if constexpr (std::is_same_v<From, bool>)
        return static_cast<To>(value ? -1 : 0);
    else
        return static_cast<To>(value);
}

} // namespace qel
