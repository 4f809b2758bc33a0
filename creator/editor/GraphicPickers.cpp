#include "creator/editor/GraphicPickers.h"

#include <stdexcept>

namespace qel {
namespace {

// A graphic is no larger than a skin sheet; a refusal names what was picked.
constexpr PictureBound kPieceGraphicBound{kMaxSheetSide, "a piece graphic"};
constexpr PictureBound kButtonGraphicBound{kMaxSheetSide, "a button graphic"};

} // namespace

int PageVariant(int list) {
    if (list < 1 || list > kVariants) throw std::out_of_range("no such piece list");
    return kPageOrder[list - 1];
}

std::string PiecePickerTitle(Piece piece) {
    return std::string("Get ") + PieceName(piece) + " graphic";
}

PieceUpdate ProposedUpdate(const SkinDocument& document, int pageVariant, Piece piece) {
    const auto proposed = [&](int v) {
        return v == pageVariant || document.ItemData(v, piece) != kHasGraphic;
    };
    PieceUpdate update{proposed(1), proposed(3), proposed(2), proposed(4)};
    if (piece == Piece::BtmLeft || piece == Piece::BtmRight) update.cornerKind = 1;
    if (piece == Piece::BtmLeftSize || piece == Piece::BtmRightSize) update.cornerKind = 2;
    return update;
}

std::string ButtonPickerTitle(CaptionButton button) {
    constexpr const char* kNames[kCaptionButtons] = {"Close", "Restore", "Maximize", "Minimize"};
    return std::string("Get ") + kNames[static_cast<int>(button)] + " Button Graphic";
}

int PreviewButtonState(int variant) {
    return IsActive(variant) ? 1 : 4;
}

void AssignButtonGraphic(SkinDocument& document, CaptionButton button, int state,
                         const SheetImage& graphic) {
    CheckGraphicFits(graphic);
    GraphicBox& box = document.ButtonBox(button, state);
    box.Load(graphic);
    box.tag = "99";
}

void PickPieceGraphic(SkinDocument& document, int list, int piece, const PickerDialogs& dialogs,
                      const std::function<void()>& doBorders) {
    if (piece < 0 || piece >= kPieces) return;
    const Piece k = static_cast<Piece>(piece);
    const int page = PageVariant(list);
    try {
        const std::string file = dialogs.open(PiecePickerTitle(k));
        if (!file.empty()) {
            PieceUpdate update = ProposedUpdate(document, page, k);
            if (dialogs.selectFrms(update))
                AssignPieceGraphic(document, piece, update,
                                   dialogs.loadPicture(file, kPieceGraphicBound));
            dialogs.unloadUpdateDialog();
            if (list != 1) document.SkinModified = true;
        }
        doBorders();
        if (list == 1) document.SkinModified = true;
    } catch (const GraphicRefused& e) {
        dialogs.say(e.what());
    } catch (const std::exception&) {
        // A file that is no picture, or a failed step: no message.
    }
}

void PickButtonGraphic(SkinDocument& document, CaptionButton button, int state,
                       const PickerDialogs& dialogs, const std::function<void()>& showButtons) {
    try {
        const std::string file = dialogs.open(ButtonPickerTitle(button));
        if (file.empty()) return;
        AssignButtonGraphic(document, button, state,
                            dialogs.loadPicture(file, kButtonGraphicBound));
        showButtons();
        document.SkinModified = true;
    } catch (const GraphicRefused& e) {
        dialogs.say(e.what());
    } catch (const std::exception&) {
        // As for pieces.
    }
}

} // namespace qel
