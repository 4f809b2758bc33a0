// The imaging objects the creator shares between the steps of a GIF save, and
// the glue between the saver and the imaging library: a saved sheet bitmap read
// back, turned into an 8-bit palette image and shown on the main window's
// canvas. Every object is made on first use and kept, with its last image,
// until ReleaseAll.
#pragma once
#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/cTile.h"
#include "imaging/ucCanvas.h"
#include "forms/Seam.h"

#include <functional>
#include <string>

namespace qel::creator {

class MainFrm;

// The bitmap read back as a 32-bit image; empty after a bitmap of 8 bits per
// pixel or fewer.
cDIB& SourceImage();
// The 8-bit image of palette indices into SheetPalette.
cDIB& IndexedImage();
// A blank 1-bit image of IndexedImage's size, laid under it on the canvas.
cDIB& MaskImage();
cPal8bpp& SheetPalette();
// The pattern behind the image on the canvas (none is ever given).
cTile& BackgroundTile();

// The main window's canvas (ucCanvas): a hidden child window of `main`, made
// on first use.
ucCanvas& Canvas(MainFrm& main);

// Reads the bitmap file `path`: more than 8 bits per pixel becomes SourceImage
// (32-bit) and is converted (ConvertImage); 8 bits or fewer becomes
// IndexedImage and SheetPalette directly (BuildMask) and SourceImage is
// emptied; then ShowOnCanvas. "" when done; a file that is missing, empty or
// no bitmap changes nothing and gets why in words.
std::string LoadBitmapForDither(MainFrm& main, const std::string& path);
// A seam for tests: while one lives, its handler runs where LoadBitmapForDither
// pumps messages, just before it reads `path` (as other work may run there).
using ReadBackSeam = forms::Seam<struct ReadBackTag, std::function<void(const std::string& path)>>;
// IndexedImage and MaskImage re-made at `source`'s size (8 bits per pixel or
// fewer), IndexedImage and SheetPalette taking its colour table and pixels.
void BuildMask(cDIB& source);
// IndexedImage (and MaskImage) from SourceImage by the imaging library's
// palette type and dither method in force.
void ConvertImage();
// The canvas's image re-made at IndexedImage's size, showing it unchanged.
void ShowOnCanvas(ucCanvas& canvas);
// Empties the canvas and releases the shared objects and the canvas window.
// Never fails.
void ReleaseAll();

} // namespace qel::creator
