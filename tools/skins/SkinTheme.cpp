#include "tools/skins/SkinTheme.h"

namespace qel {

namespace {

// The built-in sheets share one geometry, one set of values and one set of flags.
constexpr SkinSheetGeometry kBuiltInGeometry{28, 13, 28, 42, 24, 6, 6, 14, 15};
constexpr std::array<bool, kSheetFlags> kBuiltInFlags{false, false, true, false, false};
constexpr std::array<int32_t, kSheetValues> kBuiltInValues{0, 4, 25, 3, 3, 20, 25, 4, 0, 0, 25};

SkinTheme BuiltIn(int number, std::string name, uint32_t key, uint32_t background,
                  std::array<uint32_t, kSheetColours> colours, SkinArt art) {
    return {std::move(name),
            "Skin" + std::to_string(number) + ".gif",
            kBuiltInGeometry,
            key,
            background,
            colours,
            kBuiltInFlags,
            kBuiltInValues,
            art};
}

} // namespace

// Colours of the sheets, in the order of SheetColour: active form back, active
// caption, in-active caption, active menu, in-active menu, menu highlight, menu
// background, empty, form text, in-active form back.
const std::vector<SkinTheme>& BuiltInSkins() {
    static const std::vector<SkinTheme> skins{
        BuiltIn(1, "Light Blue Bubble", 0x00008000, 0x00FEFEFE,
                {0x00DCE1E2, 0x00800000, 0x003F3F3F, 0x00800000, 0x003F3F3F, 0x00800000, 0x00DCE1E2,
                 0x00FF00FF, 0x00800000, 0x00DCE1E2},
                {{0xD9ECFD, 0xA6CDF3, 0x8DBCE9, 0x35679A, 0x2F7FD8},
                 {0xF4F6F8, 0xD9E0E7, 0xC6D0DA, 0x7E8C99, 0xAAB8C6},
                 0xD9452E,
                 ButtonShape::Bubble,
                 true}),
        BuiltIn(2, "Dark Blue Bubble", 0x00008000, 0x00FFFFFF,
                {0x00F9C7C7, 0x00800000, 0x003F3F3F, 0x00800000, 0x003F3F3F, 0x00800000, 0x00DDE2E3,
                 0x00FF00FF, 0x00000000, 0x00DDE2E3},
                {{0xCFD9FF, 0x8FA2E6, 0x2D4C9C, 0x12234F, 0x1F3F9E},
                 {0xF0F1F6, 0xCDD1E0, 0x8C97B6, 0x4A5474, 0x9AA3BE},
                 0xC8352C,
                 ButtonShape::Bubble,
                 true}),
        BuiltIn(3, "Green Bubble", 0x00800000, 0x00FFFFFF,
                {0x00CEF2CE, 0x00008000, 0x003F3F3F, 0x00008000, 0x003F3F3F, 0x00008000, 0x00CEF2CE,
                 0x00FF00FF, 0x00004000, 0x00DDE2E3},
                {{0xE3F7DF, 0xBCE6B6, 0x73BF69, 0x2A702A, 0x3AA33C},
                 {0xF4F7F3, 0xD8E1D6, 0xC2CFBF, 0x788A75, 0xA7B8A4},
                 0xD8452F,
                 ButtonShape::Bubble,
                 true}),
        BuiltIn(4, "Ruby Red Bubble", 0x00008000, 0x00FFFFFF,
                {0x00C7C7F9, 0x00000080, 0x003F3F3F, 0x00000080, 0x003F3F3F, 0x00000080, 0x00C7C7F9,
                 0x00FF00FF, 0x00000000, 0x00DDE2E3},
                {{0xFDE1E5, 0xF0B3BD, 0xB52A40, 0x5E0C1A, 0xD2435C},
                 {0xF8F3F4, 0xE4D5D8, 0xCDB7BC, 0x8A6E74, 0xC0A6AC},
                 0x9E0F28,
                 ButtonShape::Bubble,
                 true}),
        BuiltIn(5, "Purple Bubble", 0x0000FF00, 0x00FEFEFE,
                {0x00E6B2E4, 0x00FEFEFE, 0x00FEFEFE, 0x00160816, 0x005F1F5D, 0x00160816, 0x00F1D2F0,
                 0x009E349A, 0x00000000, 0x00DDE2E3},
                {{0x9C5FB3, 0x561B6F, 0x6B2D86, 0x2A0838, 0xA846C2},
                 {0x8E7A97, 0x67566F, 0x86758E, 0x453849, 0xAE9FB5},
                 0xE2467C,
                 ButtonShape::Bubble,
                 true}),
        BuiltIn(6, "Grey Bubble", 0x0000FF00, 0x00FFFFFF,
                {0x00CDCDCD, 0x00FFFFFF, 0x003F3F3F, 0x000F0F0F, 0x003F3F3F, 0x000F0F0F, 0x00E2E2E2,
                 0x00696969, 0x00000000, 0x00E2E2E2},
                {{0x858585, 0x3A3A3A, 0x545454, 0x181818, 0x787878},
                 {0xF5F5F5, 0xD5D5D5, 0xC4C4C4, 0x7C7C7C, 0xB4B4B4},
                 0xCF4431,
                 ButtonShape::Bubble,
                 true}),
    };
    return skins;
}

const std::vector<SkinTheme>& ShowcaseSkins() {
    static const std::vector<SkinTheme> skins{
        // A tall aqua caption with large bubbles and rounded top corners.
        {"Sea Glass",
         "Sea Glass.gif",
         {36, 12, 36, 54, 32, 8, 8, 20, 20},
         0x0000FF00,
         0x00FFFFFF,
         {0x00F1F2E9, 0x00554C0F, 0x005C5A4A, 0x00403A0F, 0x0068665A, 0x008A7C00, 0x00F2F4E6,
          0x00B0B85F, 0x00443E10, 0x00F1F1EE},
         {true, false, true, false, false},
         {20, 9, 13, 5, 2, 31, 30, 9, 0, 0, 30},
         {{0xDDF6F2, 0x8ED2CA, 0x5FB8AF, 0x1D6A65, 0x20A096},
          {0xF3F7F7, 0xD3DEDD, 0xC0CFCD, 0x6F8583, 0xA8BAB8},
          0xE0573F,
          ButtonShape::Bubble,
          true}},
        // Dark bronze with amber gel capsules and all four corners rounded.
        {"Amber Dusk",
         "Amber Dusk.gif",
         {40, 10, 44, 58, 36, 7, 7, 26, 17},
         0x0000FF00,
         0x00FFFFFF,
         {0x00DBEAF4, 0x00C2E9FF, 0x00D8E4EE, 0x0010243A, 0x00586A7A, 0x00004A8A, 0x00DCEEF8,
          0x00207AC0, 0x0010243A, 0x00E3EAEF},
         {true, true, true, false, false},
         {14, 11, 12, 9, 1, 35, 34, 11, 0, 0, 34},
         {{0x7A5434, 0x3A2314, 0x5A3A22, 0x1A0E06, 0xEE9F2F},
          {0x8A7B6C, 0x5E5147, 0x7F7062, 0x43392F, 0xB5A591},
          0xD9482B,
          ButtonShape::Capsule,
          true}},
        // Night slate with rounded-square gems, the form icon and rounded top corners.
        {"Slate Night",
         "Slate Night.gif",
         {44, 8, 40, 56, 34, 7, 7, 22, 20},
         0x0000FF00,
         0x00FFFFFF,
         {0x00EAE3DD, 0x00FAF0E8, 0x00DED6D0, 0x0033261C, 0x0080746A, 0x00A85F1F, 0x00EFE9E4,
          0x00B0784A, 0x0033261C, 0x00EBE8E6},
         {true, false, true, true, true},
         {14, 10, 11, 7, 3, 33, 30, 10, 9, 12, 30},
         {{0x5D6D84, 0x273243, 0x39465A, 0x0E141C, 0x4C88D0},
          {0x5C6470, 0x414955, 0x646C77, 0x33383F, 0x8E96A0},
          0xD64545,
          ButtonShape::Gem,
          false}},
    };
    return skins;
}

const SkinTheme& CreatorSkin() {
    // Deep teal with copper capsules: a workshop look, set apart from the skins
    // the creator's user builds. The built-in geometry fits the creator's
    // dialogs; the caption text sits a little further in than theirs.
    static const SkinTheme skin{"Skin Creator",
                                "CreatorSkin.gif",
                                kBuiltInGeometry,
                                0x0000FF00,
                                0x00FFFFFF,
                                {0x00E4E8DA, 0x00F4FAFF, 0x00505A48, 0x00403C10, 0x00787860,
                                 0x00405C9C, 0x00EEF0E6, 0x00606830, 0x00302C10, 0x00E6E8E2},
                                {false, false, true, false, false},
                                {0, 4, 25, 3, 3, 20, 25, 4, 0, 0, 28},
                                {{0x9ED8D2, 0x2E8A86, 0x236C6A, 0x0C3634, 0xC8793C},
                                 {0xC4D6D4, 0x8FA8A6, 0x9DB2B0, 0x54686A, 0xA9BCBA},
                                 0xC8452E,
                                 ButtonShape::Capsule,
                                 false}};
    return skin;
}

} // namespace qel
