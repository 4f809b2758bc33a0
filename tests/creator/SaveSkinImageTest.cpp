// Saving the skin through the creator's menus under Wine: the names, caption,
// setting, messages and SkinModified of every outcome; the written bitmap and
// GIF decoded by the system and read back to the same skin; the question about
// pieces the sheet cannot keep; the imaging objects and the canvas after a GIF
// save, an 8-bit bitmap taken directly, and their release; the preview file.
// The GIFs are left in test-output\saved gifs\ beside their bitmaps, where
// check_saved_gifs.py decodes them with the machine's own decoders.
#include "base/FileHelpers.h"
#include "base/PictureFile.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/sheet/SkinSheetMapping.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/PreviewFile.h"
#include "creator/shell/PreviewFrm.h"
#include "creator/shell/mGlobal.h"
#include "forms/ColorBrush.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Menu.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "forms/Settings.h"
#include "forms/TextBox.h"
#include "tests/creator/CreatorMenus.h"
#include "tests/creator/SkinDocumentSamples.h"
#include "tests/sheet/SkinSamples.h"
#include "tests/support/Screen.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace qel::creator {
namespace {

using namespace forms;
using forms::test::ClickOn;
using test::ChooseFromMenu;
using test::Dialogs;
using test::MenuKeys;

uint32_t Translate(uint32_t colour) {
    return ToRgb(colour);
}

// The pixels the system decodes from a file (empty when it cannot).
SheetImage FileSheet(const std::string& path) {
    std::optional<SheetImage> sheet =
        SheetFromPicture(LoadPictureFile(path, kSheetPictureBound).get());
    return sheet ? *sheet : SheetImage();
}

// What the format keeps of the skin read back from a file.
SkinSheetContent ReadBack(const std::string& path) {
    SkinDocument read;
    EXPECT_EQ(LoadSkinSheet(read, FileSheet(path)), "") << path;
    return SheetContentOf(read, Translate);
}

// Message boxes with flags and titles, questions answered Yes unless queued; `during` runs in each.
struct Boxes {
    struct Box {
        std::string prompt;
        UINT flags;
        std::string title;
        Pointer pointer; // the mouse pointer meanwhile
    };
    std::vector<Box> shown;
    std::vector<int> answers;
    std::function<void()> during;
    MsgBoxSeam seam{[this](const std::string& prompt, UINT flags, const std::string& title) {
        shown.push_back({prompt, flags, title, Screen::MousePointer()});
        if (during) during();
        if (answers.empty()) return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }};
    const Box& Last() const {
        static const Box none{};
        return shown.empty() ? none : shown.back();
    }
};

class SaveSkin : public ::testing::Test {
protected:
    void SetUp() override {
        main = &Default<MainFrm>();
        main->Show();
        SetForegroundWindow(main->hWnd());
        qel::test::PumpUntilIdle();
        dialogs.path = main->ProgramFolder + "Skins\\Sea Glass.gif";
        ChooseFromMenu('F', {'L'});
        ASSERT_EQ(main->Document.SkinName, "Sea Glass");
        main->Document.SkinModified = true;
    }
    void TearDown() override {
        qel::test::MouseUp();
        if (main->Loaded()) main->Document.SkinModified = false;
        for (Form* f : std::vector<Form*>(Form::LoadedForms()))
            f->Unload();
        qel::test::PumpUntilIdle();
    }
    MainFrm* main = nullptr;
    Dialogs dialogs;
    Boxes boxes;
    const std::string folder = qel::test::OutputPath("saved gifs\\");
};

TEST_F(SaveSkin, AGifSaveWritesBothFilesThatReadBackAndShowsTheIndexedImage) {
    dialogs.path = folder + "My Skin.GIF";
    ChooseFromMenu('F', {'G'});
    EXPECT_EQ(boxes.Last().prompt, "Optimized GIF Skin Image has been saved");
    EXPECT_EQ(boxes.Last().title, "Vantreo Skin Creator");
    EXPECT_EQ(boxes.Last().flags, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(main->Document.SkinName, "My Skin");
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - My Skin");
    EXPECT_EQ(GetSetting("Vantreo", "Settings", "LstSavedSkinLoc"), folder);
    EXPECT_FALSE(main->Document.SkinModified);

    // Both files decode to the sheet (exactly: it has 256 colours or fewer) and
    // read back to everything the format keeps of the skin.
    const SheetImage sheet = ComposeSkinImage(main->Document, Translate);
    EXPECT_EQ(FileSheet(folder + "My Skin.bmp"), sheet);
    EXPECT_EQ(FileSheet(folder + "My Skin.gif"), sheet);
    const SkinSheetContent kept = SheetContentOf(main->Document, Translate);
    EXPECT_EQ(ReadBack(folder + "My Skin.bmp"), kept);
    EXPECT_EQ(ReadBack(folder + "My Skin.gif"), kept);

    // The bitmap went the 32-bit road, and the canvas shows the 8-bit image.
    EXPECT_EQ(SourceImage().BPP(), 32);
    ASSERT_EQ(IndexedImage().BPP(), 8);
    const cDIB& shown = Canvas(*main).DIB;
    ASSERT_EQ(shown.Width(), sheet.Width());
    ASSERT_EQ(shown.Height(), sheet.Height());
    std::vector<uint8_t> table;
    IndexedImage().GetPalette(table);
    const PixelView indexed = IndexedImage().View(), canvas = shown.View();
    int wrong = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x) {
            const uint8_t* entry = &table[indexed.Row(y)[x] * 4];
            uint32_t expected = entry[0] | entry[1] << 8 | entry[2] << 16;
            uint32_t got = 0;
            std::memcpy(&got, canvas.Row(y) + 4 * x, 4);
            wrong += (got & 0xFFFFFF) != expected;
        }
    EXPECT_EQ(wrong, 0);

    // Into a folder past the system's 260 characters: both files, read back.
    const std::string deep = folder + std::string(150, 'd') + "\\" + std::string(150, 'e') + "\\";
    ASSERT_TRUE(MakePath(deep));
    dialogs.path = deep + "My Skin.gif";
    ChooseFromMenu('F', {'G'});
    EXPECT_EQ(boxes.Last().prompt, "Optimized GIF Skin Image has been saved");
    EXPECT_TRUE(FolderExists(deep) && FileExists(deep + "My Skin.gif"));
    EXPECT_EQ(FileSheet(deep + "My Skin.bmp"), sheet);
    EXPECT_EQ(FileSheet(deep + "My Skin.gif"), sheet);
}

// Types "9" into the focused field and changes the document in code.
void CALLBACK EditOnce(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    qel::test::KeyDown('9');
    qel::test::KeyUp('9');
    Default<MainFrm>().Document.SetText(Field::MenuLeft, "33");
}

// What arrives while a save runs is in neither file: keys typed meanwhile are
// dropped, and a change made in code leaves the skin modified.
TEST_F(SaveSkin, AnEditDuringASaveIsInNeitherFileAndLeavesTheSkinModified) {
    TextBox& field = *main->Text[Field::CaptionLeft];
    SetFocus(field.hWnd());
    SetTimer(nullptr, 0, 0, EditOnce);
    while (!(GetQueueStatus(QS_TIMER) & (QS_TIMER << 16)))
        Sleep(1); // until the timer is due at the save's first message pump
    boxes.during = [] { EXPECT_FALSE(HIWORD(GetQueueStatus(QS_KEY))); }; // none to close it
    dialogs.path = folder + "Mid Save.gif";
    main->mnuSave->Clicked();
    EXPECT_EQ(boxes.Last().prompt, "Optimized GIF Skin Image has been saved");
    EXPECT_EQ(FileSheet(folder + "Mid Save.gif"), FileSheet(folder + "Mid Save.bmp"));
    EXPECT_TRUE(main->Document.SkinModified);
}

TEST_F(SaveSkin, PhotoPiecesAreReducedButEverythingElseReadsBackExactly) {
    for (int v = 1; v <= kVariants; ++v) {
        GraphicBox& box = main->Document.PieceBox(Piece::TopMiddle, v);
        SheetImage photo(box.width, box.height);
        for (int y = 0; y < box.height; ++y)
            for (int x = 0; x < box.width; ++x)
                photo.SetPixel(x, y,
                               uint32_t((x * 7 + v) & 0xFF) | uint32_t((y * 5) & 0xFF) << 8 |
                                   uint32_t(0x30 * v) << 16);
        box.Load(photo);
    }
    dialogs.path = folder + "Photo Skin.gif";
    ChooseFromMenu('F', {'G'});
    EXPECT_EQ(boxes.Last().prompt, "Optimized GIF Skin Image has been saved");
    const SkinSheetContent kept = SheetContentOf(main->Document, Translate);
    EXPECT_EQ(ReadBack(folder + "Photo Skin.bmp"), kept);
    const SkinSheetContent fromGif = ReadBack(folder + "Photo Skin.gif");
    EXPECT_EQ(fromGif.Geometry(), kept.Geometry());
    EXPECT_EQ(fromGif.key, kept.key);
    EXPECT_EQ(fromGif.colours, kept.colours);
    EXPECT_EQ(fromGif.flags, kept.flags);
    EXPECT_EQ(fromGif.values, kept.values);
}

// Random skins through both files: the bitmap reads back to everything the
// format keeps, the GIF too (its pieces' colours reduced when there are more
// than 256).
TEST_F(SaveSkin, RandomSkinsRoundTripThroughTheirFiles) {
    std::mt19937 rng(13);
    for (int i = 0, saved = 0; saved < 50; ++i) {
        SCOPED_TRACE(i);
        const qel::test::SampleSkin skin = qel::test::RandomSkin(rng);
        SkinDocument document = qel::test::DocumentOf(skin.content, rng);
        if (!SheetFault(document, Translate).empty()) continue; // a band one row high
        ++saved;
        main->Document = document;
        const std::string name = folder + "Random " + std::to_string(saved);
        dialogs.path = name + ".gif";
        ASSERT_TRUE(SaveSkinImage(*main, true, false)) << boxes.Last().prompt;
        const SkinSheetContent kept = SheetContentOf(document, Translate);
        EXPECT_EQ(ReadBack(name + ".bmp"), kept);
        SkinSheetContent fromGif = ReadBack(name + ".gif");
        if (fromGif != kept) {
            fromGif.captionPieces = kept.captionPieces;
            fromGif.stripPieces = kept.stripPieces;
            fromGif.buttons = kept.buttons;
            EXPECT_EQ(fromGif, kept);
        }
    }
}

TEST_F(SaveSkin, NamesCancelsAndFailedWritesEachEndAsTheySay) {
    DeleteFileA((folder + "Ocean.bmp").c_str());
    dialogs.path = folder + "Ocean.png";
    ChooseFromMenu('F', {'B'});
    EXPECT_EQ(boxes.Last().prompt, "BitMap Skin Image has been saved");
    EXPECT_EQ(boxes.Last().title, "Vantreo Skin Creator");
    EXPECT_EQ(main->Document.SkinName, "Ocean");
    EXPECT_FALSE(FileSheet(folder + "Ocean.bmp").Empty());

    // Replacing a file the dialog did not ask about is asked first; No saves nothing.
    boxes.answers = {IDNO};
    ChooseFromMenu('F', {'B'});
    EXPECT_EQ(boxes.Last().prompt, "The skin is saved under the name \"Ocean\", which replaces "
                                   "these files:\r\n\r\nOcean.bmp\r\n\r\nReplace them?");
    EXPECT_EQ(boxes.Last().flags, UINT(MB_YESNO | MB_ICONQUESTION));

    // A cancelled dialog changes nothing and says nothing.
    main->Document.SkinModified = true;
    const size_t said = boxes.shown.size();
    dialogs.path = "";
    ChooseFromMenu('F', {'B'});
    EXPECT_EQ(boxes.shown.size(), said);
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - Ocean");
    EXPECT_TRUE(main->Document.SkinModified);

    // A name of only an extension is refused, a folder that cannot be written
    // told: the caption and setting stay, the skin stays modified.
    dialogs.path = folder + ".bmp";
    ChooseFromMenu('F', {'B'});
    EXPECT_EQ(boxes.Last().prompt, "The file name \".bmp\" gives the skin no name.");
    dialogs.path = "C:\\no such folder\\Lost.bmp";
    ChooseFromMenu('F', {'B'});
    EXPECT_NE(boxes.Last().prompt.find("could not be saved"), std::string::npos);
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - Ocean");
    EXPECT_EQ(GetSetting("Vantreo", "Settings", "LstSavedSkinLoc"), folder);
    EXPECT_TRUE(main->Document.SkinModified);
    EXPECT_EQ(boxes.Last().pointer, Pointer::Default);
    EXPECT_EQ(Screen::MousePointer(), Pointer::Default);

    // A GIF that cannot be written: the bitmap stays, no GIF; the caption, the
    // folder setting and the modified skin stay.
    dialogs.path = folder + "blocked\\Blocked.gif";
    ASSERT_TRUE(MakePath(dialogs.path));
    ChooseFromMenu('F', {'G'});
    const std::string told = "Blocked.bmp was written, but the skin could not be saved as ";
    EXPECT_NE(boxes.Last().prompt.find(told + dialogs.path + ".\r\n\r\n"), std::string::npos);
    EXPECT_FALSE(FileSheet(folder + "blocked\\Blocked.bmp").Empty());
    EXPECT_TRUE(IsFolder(dialogs.path));
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - Ocean");
    EXPECT_EQ(GetSetting("Vantreo", "Settings", "LstSavedSkinLoc"), folder);
    EXPECT_TRUE(main->Document.SkinModified);
    ReadBackSeam gone{[](const std::string& bitmap) { DeleteFileA(bitmap.c_str()); }};
    dialogs.path = folder + "Gone.gif"; // a bitmap gone before the GIF save reads it back
    ChooseFromMenu('F', {'G'});
    EXPECT_NE(boxes.Last().prompt.find("Gone.bmp was written, but"), std::string::npos);
}

TEST_F(SaveSkin, PiecesTheSheetCannotKeepAreAskedAboutAndNoSavesNothing) {
    GraphicBox& left = main->Document.PieceBox(Piece::LeftSide, 3);
    left.Load(SheetImage(left.width, left.height, 0x0000FF00));
    const int dialogsBefore = dialogs.shown;
    boxes.answers = {IDNO};
    ChooseFromMenu('F', {'B'});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.Last().prompt.find("Left Side"), std::string::npos);
    EXPECT_EQ(boxes.Last().flags, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(dialogs.shown, dialogsBefore);
    EXPECT_TRUE(main->Document.SkinModified);

    // Yes saves; a save, preview, load or new asked for meanwhile is ignored.
    boxes.answers = {IDYES};
    boxes.during = [&] {
        for (Menu* command : {main->mnuBMP, main->mnuPreview, main->mnuCreate, main->mnuLoad})
            command->Clicked();
    };
    dialogs.path = folder + "Kept.bmp";
    ChooseFromMenu('F', {'B'});
    EXPECT_EQ(dialogs.shown, dialogsBefore + 1);
    EXPECT_EQ(boxes.shown.size(), 3u); // the question and "has been saved" only
    EXPECT_EQ(boxes.Last().prompt, "BitMap Skin Image has been saved");
    EXPECT_FALSE(main->Document.SkinModified);
}

TEST_F(SaveSkin, APreviewWritesThePreviewFileWithoutAName) {
    boxes.answers = {IDNO};
    main->mnuCreate->Clicked(); // a new skin, no name
    const std::string preview = main->ProgramFolder + "Preview.skn";
    DeleteFileA(preview.c_str());
    const int dialogsBefore = dialogs.shown;
    main->Document.SkinModified = true;
    // The preview form shows it; its "Exit Form" closes it.
    PreviewFrm& form = Default<PreviewFrm>();
    forms::test::WithInput([] {},
                           [&] {
                               MenuKeys('V', {'P'});
                               ASSERT_TRUE(forms::test::WaitFor(
                                   [&] { return IsWindowVisible(form.hWnd()) != FALSE; }));
                               EXPECT_TRUE(forms::test::ClickUntil( // "Exit" closes it
                                   form.Command2->hWnd(), [&] { return !IsWindow(form.hWnd()); }));
                           });
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(PreviewFile(), preview);
    EXPECT_EQ(FileSheet(preview), ComposeSkinImage(main->Document, Translate));
    EXPECT_EQ(dialogs.shown, dialogsBefore);
    EXPECT_EQ(main->Document.SkinName, "");
    EXPECT_TRUE(main->Document.SkinModified);

    // A program folder that cannot be written sends it to the temp folder.
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    const SheetImage sheet = ComposeSkinImage(main->Document, Translate);
    EXPECT_EQ(WritePreviewFile(sheet, "C:\\no such folder\\"), std::string(temp) + "Preview.skn");
    EXPECT_EQ(FileSheet(PreviewFile()), sheet);
}

// An 8-bit bitmap file of 3 x 2 pixels: indices 0 ... 5, entry k grey 40k.
std::vector<uint8_t> EightBitBitmap() {
    std::vector<uint8_t> file(14 + 40 + 256 * 4 + 2 * 4, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 14 + 40 + 256 * 4);
    put32(14, 40);
    put32(18, 3);
    put32(22, 2);
    file[26] = 1;
    file[28] = 8;
    for (int k = 0; k < 256; ++k)
        file[54 + 4 * k] = file[55 + 4 * k] = file[56 + 4 * k] = uint8_t(k < 6 ? 40 * k : 0);
    const size_t bits = 54 + 256 * 4;
    for (int k = 0; k < 6; ++k)
        file[bits + (k / 3) * 4 + k % 3] = uint8_t(k); // bottom row first
    return file;
}

TEST_F(SaveSkin, TheGlueTakesAnEightBitBitmapDirectlyAndReleasesEverything) {
    const std::string path = qel::test::OutputPath("eight bit.bmp");
    const std::vector<uint8_t> file = EightBitBitmap();
    FILE* out = fopen(path.c_str(), "wb");
    ASSERT_TRUE(out);
    fwrite(file.data(), 1, file.size(), out);
    fclose(out);

    ASSERT_EQ(LoadBitmapForDither(*main, path), "");
    EXPECT_EQ(SourceImage().Width(), 0);
    ASSERT_EQ(IndexedImage().BPP(), 8);
    const PixelView indexed = IndexedImage().View();
    EXPECT_EQ(indexed.Row(0)[0], 3); // the top row holds 3, 4, 5
    EXPECT_EQ(indexed.Row(1)[2], 2);
    EXPECT_EQ(SheetPalette().rgbG(5), 200);
    EXPECT_EQ(GetPixel(Canvas(*main).DIB.hDIBDC(), 2, 0), RGB(200, 200, 200));

    // An empty file is no bitmap, a missing one none: why, and nothing changes.
    const std::string empty = qel::test::OutputPath("empty.bmp");
    fclose(fopen(empty.c_str(), "wb"));
    EXPECT_EQ(LoadBitmapForDither(*main, empty), "The bitmap " + empty + " cannot be read back.");
    EXPECT_EQ(LoadBitmapForDither(*main, empty + "x"), "File not found: " + empty + "x");
    EXPECT_EQ(IndexedImage().Width(), 3);

    const HWND canvas = Canvas(*main).hWnd();
    main->Document.SkinModified = false;
    main->Unload();
    EXPECT_EQ(IndexedImage().Width(), 0);
    EXPECT_EQ(SheetPalette().Entries(), 0);
    EXPECT_FALSE(IsWindow(canvas));
}

} // namespace
} // namespace qel::creator
