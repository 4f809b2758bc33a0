// Figures for saving and loading a skin in the creator under Wine: a bitmap
// save and a GIF save (composition, file, read-back, GIF and its check) of a
// sample skin's sheet and of a large sheet with photo pieces, and a load of
// each saved GIF with the previews redrawn. Dialogs and messages are answered
// through the forms layer's seams.
#include "base/PictureFile.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/sheet/SkinSheetMapping.h"
#include "creator/sheet/ValidateSkinPieces.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/MainFrm.h"
#include "forms/App.h"
#include "forms/ColorBrush.h"
#include "forms/CommonDialog.h"
#include "forms/MsgBox.h"
#include "tests/support/Screen.h"
#include "tests/support/Stopwatch.h"

#include <ole2.h>
#include <cstdio>
#include <vector>

namespace qel::creator {
namespace {

using namespace forms;
using test::Median;
using test::Seconds;

uint32_t Translate(uint32_t colour) {
    return ToRgb(colour);
}

// Every piece and caption-button graphic `factor` times as large, with a
// gradient over it, so that the sheet holds thousands of colours.
void Enlarge(SkinDocument& document, int factor) {
    auto grow = [factor](GraphicBox& box) {
        const SheetImage shown = box.Shown();
        SheetImage large(shown.Width() * factor, shown.Height() * factor);
        for (int y = 0; y < large.Height(); ++y)
            for (int x = 0; x < large.Width(); ++x)
                large.SetPixel(x, y,
                               shown.Pixel(x / factor, y / factor) ^ uint32_t((x + 2 * y) & 0x0F) ^
                                   uint32_t(x & 0x07) << 8);
        box.width = large.Width();
        box.height = large.Height();
        box.Load(std::move(large));
    };
    for (int p = 0; p < kPieces; ++p)
        for (int v = 1; v <= kVariants; ++v)
            grow(document.PieceBox(static_cast<Piece>(p), v));
    for (int b = 0; b < kCaptionButtons; ++b)
        for (int s = 1; s <= kButtonStates; ++s)
            grow(document.ButtonBox(static_cast<CaptionButton>(b), s));
}

void Measure(MainFrm& main, const std::string& label, const std::string& folder) {
    const SheetImage sheet = ComposeSkinImage(main.Document, Translate);
    std::vector<double> bitmap, gif, load;
    std::string path;
    CommonDialogSeam dialog{[&](DialogKind, const CommonDialog&) {
        return CommonDialog::Answer{path, {}};
    }};
    std::string said;
    MsgBoxSeam box{[&](const std::string& prompt, UINT, const std::string&) {
        said = prompt;
        return IDYES;
    }};
    for (int i = 0; i < 5; ++i) {
        path = folder + label + ".bmp";
        double start = Seconds();
        SaveSkinImage(main, false, false);
        bitmap.push_back((Seconds() - start) * 1000);
        path = folder + label + ".gif";
        start = Seconds();
        SaveSkinImage(main, true, false);
        gif.push_back((Seconds() - start) * 1000);

        start = Seconds();
        std::optional<SheetImage> read =
            SheetFromPicture(LoadPictureFile(path, kSheetPictureBound).get());
        if (!read || !LoadSkinSheet(main.Document, *read).empty()) said = "the GIF did not load";
        main.RedrawPreviews();
        load.push_back((Seconds() - start) * 1000);
    }
    printf("%s, sheet %d x %d: bitmap save %.1f ms, GIF save %.1f ms (goal %s), load of the GIF "
           "with the previews redrawn %.1f ms (goal 100 ms); last message: %s\n",
           label.c_str(), sheet.Width(), sheet.Height(), Median(bitmap), Median(gif),
           sheet.Width() * sheet.Height() > 100000 ? "500 ms" : "50 ms", Median(load),
           said.c_str());
}

void Run() {
    MainFrm& main = Default<MainFrm>();
    main.Show();
    const std::string folder = qel::test::OutputPath("save bench\\");
    std::optional<SheetImage> sample = SheetFromPicture(
        LoadPictureFile(main.ProgramFolder + "Skins\\Sea Glass.gif", kSheetPictureBound).get());
    if (!sample || !LoadSkinSheet(main.Document, *sample).empty()) {
        printf("The sample skin did not load.\n");
        return;
    }
    Measure(main, "Sample skin", folder);
    Enlarge(main.Document, 7);
    Measure(main, "Photo skin", folder);
    main.Document.SkinModified = false;
    main.Unload();
}

} // namespace
} // namespace qel::creator

int main() {
    OleInitialize(nullptr);
    SetProcessDPIAware();
    qel::creator::Run();
    OleUninitialize();
    return 0;
}
