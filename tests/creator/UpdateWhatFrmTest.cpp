// The update dialog as the user meets it: skinned with the creator's own skin,
// its boxes pre-ticked from the proposals, the corner box offered and withdrawn
// as the variant boxes are clicked, and the answers of "Update", "Cancel" and
// the close box in the skinned caption. Real clicks on the visible dialog.
#include "creator/shell/UpdateWhatFrm.h"
#include "forms/ActiveXControl.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"

#include <gtest/gtest.h>

namespace qel::creator {
namespace {

using forms::test::ClickOn;
using forms::test::WaitFor;

struct Answer {
    bool result = false;
    bool flags[4] = {};
    short corner = 0;
};

// Asks the dialog with the proposals and corner kind; `answer` clicks it (on
// the input thread) once it is shown. The dialog is unloaded afterwards, as
// the callers do.
Answer Ask(std::array<bool, 4> proposed, short corner,
           const std::function<void(UpdateWhatFrm&)>& answer) {
    UpdateWhatFrm& dialog = forms::Default<UpdateWhatFrm>();
    Answer a;
    std::copy(proposed.begin(), proposed.end(), a.flags);
    a.corner = corner;
    forms::test::WithInput(
        [&] {
            a.result = dialog.SelectFrms(a.flags[0], a.flags[1], a.flags[2], a.flags[3], a.corner);
        },
        [&] {
            // In front, not merely shown: the last round's dialog may still be going.
            ASSERT_TRUE(WaitFor([&] {
                return dialog.Loaded() && IsWindowVisible(dialog.hWnd()) &&
                       GetForegroundWindow() == dialog.hWnd();
            }));
            answer(dialog);
        });
    if (dialog.Loaded()) dialog.Unload();
    return a;
}

// Clicks the dialog's button that answers it and waits for the dialog to go (a
// click that closes a form, repeated if dropped).
void AnswerWith(UpdateWhatFrm& d, forms::CommandButton& button) {
    EXPECT_TRUE(forms::test::ClickUntil(button.hWnd(), [&] { return !IsWindowVisible(d.hWnd()); }));
}

void Flags(const Answer& a, bool f1, bool f2, bool f3, bool f4) {
    EXPECT_EQ(a.flags[0], f1);
    EXPECT_EQ(a.flags[1], f2);
    EXPECT_EQ(a.flags[2], f3);
    EXPECT_EQ(a.flags[3], f4);
}

// The screen point in the middle of the skinned close button: the rightmost
// run of caption-button hits in the caption.
POINT CloseBoxPoint(HWND hwnd) {
    const RECT r = qel::test::WindowRectOf(hwnd);
    auto button = [&](int x, int y) {
        return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTSYSMENU;
    };
    for (int y = r.top + 1; y < r.top + 40; ++y)
        for (int x = r.right - 1; x > r.right - 80; --x)
            if (button(x, y)) {
                int left = x, bottom = y;
                while (button(left - 1, y))
                    --left;
                while (button(x, bottom + 1))
                    ++bottom;
                return {(left + x) / 2, (y + bottom) / 2};
            }
    return {-1, -1};
}

TEST(UpdateWhatFrm, UpdateHandsBackTheBoxesInTheirOwnOrder) {
    // Variant 1 proposed, not a corner: the corner box stays disabled with its design caption.
    Answer a = Ask({true, false, false, false}, 0, [](UpdateWhatFrm& d) {
        EXPECT_EQ(d.Check1->Value(), 1);
        EXPECT_FALSE(d.Check5->Enabled());
        EXPECT_EQ(d.Check5->Caption(), "Sizable Corners");
        EXPECT_TRUE(forms::ValueOf<bool>(d.Qel_SkinCtrl1->Call(L"IsSkinActive")));
        EXPECT_EQ(forms::ValueOf<long>(d.Qel_SkinCtrl1->Call(L"Skin")), 99);
        EXPECT_FALSE(forms::ValueOf<bool>(d.Qel_SkinCtrl1->Call(L"LoadSkinFromRegistry")));
        qel::test::SaveWindowShot("creator_update_dialog", d.hWnd());
        AnswerWith(d, *d.Command1);
    });
    EXPECT_TRUE(a.result);
    Flags(a, true, false, false, false);
    EXPECT_EQ(a.corner, 0);

    // Argument 2 proposes variant 2 (In-Active, With Menu) and comes back third.
    a = Ask({false, true, false, false}, 0, [](UpdateWhatFrm& d) {
        EXPECT_EQ(d.Check3->Value(), 1);
        AnswerWith(d, *d.Command1);
    });
    EXPECT_TRUE(a.result);
    Flags(a, false, false, true, false);
    // Argument 3 proposes variant 3 (Active, No Menu) and comes back second.
    a = Ask({false, false, true, false}, 0, [](UpdateWhatFrm& d) {
        EXPECT_EQ(d.Check2->Value(), 1);
        AnswerWith(d, *d.Command1);
    });
    EXPECT_TRUE(a.result);
    Flags(a, false, true, false, false);
}

TEST(UpdateWhatFrm, TheCornerBoxFollowsTheVariantBoxes) {
    // A sizable corner offers the fixed ones, enabled while a variant is ticked.
    Answer a = Ask({true, false, false, false}, 2, [](UpdateWhatFrm& d) {
        EXPECT_EQ(d.Check5->Caption(), "Fixed Corners");
        EXPECT_TRUE(d.Check5->Enabled());
        ClickOn(d.Check1->hWnd()); // nothing ticked: withdrawn
        EXPECT_TRUE(WaitFor([&] { return !d.Check5->Enabled(); }));
        ClickOn(d.Check4->hWnd()); // ticked again: offered
        EXPECT_TRUE(WaitFor([&] { return d.Check5->Enabled(); }));
        ClickOn(d.Check5->hWnd());
        EXPECT_TRUE(WaitFor([&] { return d.Check5->Value() == 1; }));
        AnswerWith(d, *d.Command1);
    });
    EXPECT_TRUE(a.result);
    Flags(a, false, false, false, true);
    EXPECT_EQ(a.corner, 1);

    // A fixed corner offers the sizable ones; a kind of 3 reads as a sizable corner.
    a = Ask({false, true, false, false}, 1, [](UpdateWhatFrm& d) {
        EXPECT_EQ(d.Check5->Caption(), "Sizable Corners");
        EXPECT_TRUE(d.Check5->Enabled());
        AnswerWith(d, *d.Command2);
    });
    a = Ask({false, false, false, false}, 3, [](UpdateWhatFrm& d) {
        EXPECT_EQ(d.Check5->Caption(), "Fixed Corners");
        EXPECT_FALSE(d.Check5->Enabled()); // nothing proposed
        AnswerWith(d, *d.Command2);
    });
}

TEST(UpdateWhatFrm, NothingTickedCancelAndTheCloseBoxAnswerNo) {
    // "Update" with every box unticked counts as "Cancel"; the corner box's tick is dropped.
    Answer a = Ask({true, false, false, false}, 1, [](UpdateWhatFrm& d) {
        ClickOn(d.Check5->hWnd());
        ClickOn(d.Check1->hWnd());
        EXPECT_TRUE(WaitFor([&] { return d.Check1->Value() == 0; }));
        AnswerWith(d, *d.Command1);
    });
    EXPECT_FALSE(a.result);
    Flags(a, false, false, false, false);
    EXPECT_EQ(a.corner, 0);

    // "Cancel" answers False; the boxes still come back as they stood.
    a = Ask({false, false, false, true}, 1, [](UpdateWhatFrm& d) {
        ClickOn(d.Check5->hWnd());
        EXPECT_TRUE(WaitFor([&] { return d.Check5->Value() == 1; }));
        AnswerWith(d, *d.Command2);
    });
    EXPECT_FALSE(a.result);
    Flags(a, false, false, false, true);
    EXPECT_EQ(a.corner, 1);

    // The close box in the skinned caption: "Cancel" with nothing ticked, and no
    // fresh dialog is loaded to say so.
    UpdateWhatFrm& dialog = forms::Default<UpdateWhatFrm>();
    a = Ask({true, true, true, true}, 2, [](UpdateWhatFrm& d) {
        const POINT close = CloseBoxPoint(d.hWnd());
        ASSERT_GE(close.x, 0) << "no caption button found";
        qel::test::Click(close.x, close.y);
    });
    EXPECT_FALSE(a.result);
    Flags(a, false, false, false, false);
    EXPECT_EQ(a.corner, 0);
    EXPECT_FALSE(dialog.Loaded());
}

} // namespace
} // namespace qel::creator
