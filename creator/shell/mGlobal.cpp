#include "creator/shell/mGlobal.h"
#include "base/MessagePump.h"
#include "creator/shell/Hourglass.h"
#include "creator/shell/MainFrm.h"
#include "imaging/mDither8bpp.h"

#include <exception>
#include <memory>

namespace qel::creator {
namespace {

// The objects, made on first use, and the canvas, made with the main window.
struct Shared {
    cDIB source, indexed, mask;
    cPal8bpp palette;
    cTile tile;
};

Shared& Objects() {
    static Shared shared;
    return shared;
}

std::unique_ptr<ucCanvas>& CanvasSlot() {
    static std::unique_ptr<ucCanvas> canvas;
    return canvas;
}

} // namespace

cDIB& SourceImage() {
    return Objects().source;
}
cDIB& IndexedImage() {
    return Objects().indexed;
}
cDIB& MaskImage() {
    return Objects().mask;
}
cPal8bpp& SheetPalette() {
    return Objects().palette;
}
cTile& BackgroundTile() {
    return Objects().tile;
}

ucCanvas& Canvas(MainFrm& main) {
    std::unique_ptr<ucCanvas>& canvas = CanvasSlot();
    if (!canvas || !IsWindow(canvas->hWnd()) || GetParent(canvas->hWnd()) != main.hWnd()) {
        canvas = std::make_unique<ucCanvas>();
        canvas->Create(main.hWnd(), 0, 0, 1, 1);
        ShowWindow(canvas->hWnd(), SW_HIDE);
    }
    return *canvas;
}

std::string LoadBitmapForDither(MainFrm& main, const std::string& path) {
    DoEvents();
    if (auto& handler = ReadBackSeam::Current()) handler(path);
    cDIB loaded;
    uint8_t bpp = 0;
    try {
        bpp = loaded.CreateFromBitmapFile(path);
    } catch (const std::exception& e) {
        return e.what();
    }
    if (bpp == 0) return "The bitmap " + path + " cannot be read back.";
    if (bpp > 8) {
        SourceImage().CreateFromStdPicture(loaded.Image().get(), true);
        ConvertImage();
    } else {
        SourceImage().Destroy();
        BuildMask(loaded);
    }
    ShowOnCanvas(Canvas(main));
    return "";
}

void BuildMask(cDIB& source) {
    std::vector<uint8_t> colours;
    source.GetPalette(colours);
    IndexedImage().Create(source.Width(), source.Height(), 8);
    MaskImage().Create(source.Width(), source.Height(), 1);
    IndexedImage().SetPalette(colours);
    {
        Hourglass busy;
        IndexedImage().LoadBlt(source.hDIBDC(), 0, 0, 0, 0);
    }
    SheetPalette().SetPalette(colours);
}

void ConvertImage() {
    const cDIB& source = SourceImage();
    IndexedImage().Create(source.Width(), source.Height(), 8);
    MaskImage().Create(source.Width(), source.Height(), 1);
    Hourglass busy;
    DitherTo8bpp(source, IndexedImage(), SheetPalette());
}

void ShowOnCanvas(ucCanvas& canvas) {
    const cDIB& indexed = IndexedImage();
    canvas.DIB.Create(indexed.Width(), indexed.Height(), 32);
    canvas.Resize();
    const HDC dc = canvas.DIB.hDIBDC();
    BackgroundTile().Tile(dc, 0, 0, canvas.DIB.Width(), canvas.DIB.Height(), true);
    const int32_t width = indexed.Width(), height = indexed.Height();
    MaskImage().Stretch(dc, 0, 0, width, height, 0, 0, 0, 0, SRCAND);
    indexed.Stretch(dc, 0, 0, width, height, 0, 0, 0, 0, SRCPAINT);
    canvas.Repaint();
}

void ReleaseAll() {
    CanvasSlot().reset(); // its DIB goes with it
    Shared& shared = Objects();
    shared.source.Destroy();
    shared.indexed.Destroy();
    shared.mask.Destroy();
    shared.palette.Destroy();
    shared.tile.DestroyPattern();
}

} // namespace qel::creator
