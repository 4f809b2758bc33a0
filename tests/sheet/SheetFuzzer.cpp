#include "tests/sheet/SheetFuzzer.h"
#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "sheet/SkinSlice.h"

#include <stdexcept>

namespace qel::test {

namespace {

// Everything a reading points at lies inside the picture and cuts cleanly.
std::string CheckReading(const SheetImage& picture, const SkinSheet& sheet) {
    for (int k = 0; k < kSwatchCells; ++k)
        if (picture.Pixel(SkinSheetGeometry::SwatchCentreX(k), sheet.geometry.SwatchCentreY()) !=
            sheet.swatches[k])
            return "a swatch was read from elsewhere";
    for (int32_t v : sheet.values)
        if (v < 0 || v >= picture.Width()) return "a value lies outside the picture";
    try {
        CutSkinSheetContent(picture, sheet, FlagRule::Creator);
    } catch (const std::out_of_range&) {
        return "a cell lies outside the picture";
    }
    return {};
}

std::string CheckSlice(const SheetImage& picture, const SkinSlice& slice, const SkinSheet& sheet) {
    for (const SlicedPicture* p : {&slice.caption, &slice.borders, &slice.buttons}) {
        if (p->width < 1 || p->height < 1) return "an empty sliced picture";
        for (const PictureCopy& c : p->copies) {
            if (!picture.Contains(c.from)) return "a copy's source lies outside the picture";
            if (c.toX < 0 || c.toY < 0 || c.toX + c.from.width > p->width ||
                c.toY + c.from.height > p->height)
                return "a copy's destination lies outside its picture";
        }
        CutPicture(picture, *p);
    }
    if (slice.config.ButtonWidth != sheet.geometry.buttonWidth ||
        slice.config.LeftBorderWidth != sheet.geometry.stripCellWidth + 1)
        return "the configuration disagrees with the geometry";
    return {};
}

} // namespace

SheetFuzzer::SheetFuzzer(uint32_t seed, int sampleSkins) : rng_(seed) {
    for (int i = 0; i < sampleSkins; ++i) {
        SampleSkin skin = i == 0 ? BuiltInLikeSkin() : RandomSkin(rng_);
        SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
        samples_.push_back({std::move(skin), std::move(sheet)});
    }
}

std::string SheetFuzzer::RunOne() {
    const int roll = Between(0, 9);
    const Kind kind = roll == 0 ? kIntact : roll <= 7 ? kMutated : kRandom;
    const Sample& sample = samples_[Between(0, static_cast<int>(samples_.size()) - 1)];
    const SheetImage picture = kind == kIntact    ? sample.sheet
                               : kind == kMutated ? Mutate(sample)
                                                  : RandomPicture();
    ++runs[kind];

    const SkinSheetReading reading = ReadSkinSheet(picture);
    if (reading.sheet.has_value() == !reading.problem.empty())
        return "a reading with both or neither of a sheet and a problem";
    if (reading.sheet) {
        ++read[kind];
        if (auto f = CheckReading(picture, *reading.sheet); !f.empty()) return f;
        if (kind == kIntact && !(CutSkinSheetContent(picture, *reading.sheet, FlagRule::Creator) ==
                                 sample.skin.content))
            return "an intact sheet did not read back to its content";
    } else if (kind == kIntact) {
        return "an intact sheet was refused: " + reading.problem;
    }

    const SliceOptions options{Between(0, 1) == 1, Between(0, 1) == 1, Between(0, 1) == 1};
    const SkinSliceResult result = SliceSkinSheet(picture, options);
    if (!reading.sheet && result.problem != reading.problem)
        return "the slicer and the reader disagree about a picture";
    if (result.slice) {
        ++sliced[kind];
        if (auto f = CheckSlice(picture, *result.slice, *reading.sheet); !f.empty()) return f;
    } else if (result.problem.empty()) {
        return "a refused slice without a reason";
    }
    return {};
}

SheetImage SheetFuzzer::Mutate(const Sample& sample) {
    SheetImage p = sample.sheet;
    const uint32_t key = sample.skin.content.key;
    const uint32_t colours[] = {key, kFlagOn, kFlagOnToo, sample.skin.background, Colour()};
    auto colour = [&] { return colours[Between(0, 4)]; };
    auto x = [&] { return Between(-1, p.Width()); };
    auto y = [&] { return Between(-1, p.Height()); };
    auto toggle = [&](int px, int py) {
        p.SetPixel(px, py, p.Pixel(px, py) == key ? sample.skin.background : key);
    };
    const SkinSheetGeometry g = sample.skin.content.Geometry();
    for (int n = Between(1, 4); n > 0; --n) {
        switch (Between(0, 9)) {
        case 0: // where the rows are found
            toggle(1, y());
            break;
        case 1: // where the columns are found
            toggle(x(), std::vector<int>{1, g.StripTop(), g.StripLine() + 1}[Between(0, 2)]);
            break;
        case 2:
            p.SetPixel(x(), y(), colour());
            break;
        case 3: // another key colour
            p.SetPixel(0, 0, colour());
            break;
        case 4: { // truncated
            SheetImage cut(Between(0, p.Width()), Between(0, p.Height()));
            cut.Draw(p, 0, 0);
            p = std::move(cut);
            break;
        }
        case 5: { // grown
            SheetImage grown(p.Width() + Between(0, 40), p.Height() + Between(0, 40), colour());
            grown.Draw(p, 0, 0);
            p = std::move(grown);
            break;
        }
        case 6:
            if (Between(0, 1))
                p.Fill({0, y(), p.Width(), 1}, key);
            else
                p.Fill({x(), 0, 1, p.Height()}, key);
            break;
        case 7: // a key line gone
            p.Fill({0, y(), p.Width(), 1}, sample.skin.background);
            break;
        case 8:
            p.Fill({x(), y(), Between(1, 30), Between(1, 30)}, colour());
            break;
        case 9: // value rows
            p.SetPixel(x(), g.RulerTop() + Between(0, 14), colour());
            break;
        }
    }
    return p;
}

SheetImage SheetFuzzer::RandomPicture() {
    switch (Between(0, 5)) {
    case 0:
        return SheetImage(Between(0, 3), Between(0, 3), Colour());
    case 1: // one pixel too large, as a line
        return Between(0, 1) ? SheetImage(kMaxSheetSide + 1, 1) : SheetImage(1, kMaxSheetSide + 1);
    case 2: { // noise
        SheetImage p(Between(1, 80), Between(1, 80));
        const uint32_t few[] = {0, 1, Colour()};
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x)
                p.SetPixel(x, y, few[Between(0, 2)]);
        return p;
    }
    default: { // key lines at random places
        const uint32_t key = Colour();
        SheetImage p(Between(1, 150), Between(1, 200), key ^ 0x10);
        p.SetPixel(0, 0, key);
        for (int n = Between(0, 12); n > 0; --n)
            p.Fill({0, Between(0, p.Height()), p.Width(), 1}, key);
        for (int n = Between(0, 12); n > 0; --n)
            p.Fill({Between(0, p.Width()), 0, 1, p.Height()}, key);
        for (int n = Between(0, 30); n > 0; --n)
            p.SetPixel(Between(0, p.Width()), Between(0, p.Height()), key);
        return p;
    }
    }
}

} // namespace qel::test
