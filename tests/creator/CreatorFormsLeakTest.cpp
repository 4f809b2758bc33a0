// A hundred rounds of the update dialog, the size check and a preview leave
// the process's GDI and USER object counts where they began.
#include "creator/shell/PreviewFrm.h"
#include "creator/shell/SizeCheckFrm.h"
#include "creator/shell/UpdateWhatFrm.h"
#include "forms/App.h"
#include "forms/CommandButton.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/Stopwatch.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <cstdio>

namespace qel::creator {
namespace {

class FlatBoxes : public PieceBoxes {
public:
    float Width(Piece, int) const override { return 300; }
    float Height(Piece, int) const override { return 300; }
    forms::Picture Image(Piece, int) const override {
        return forms::test::SolidPicture(20, 20, RGB(1, 2, 3));
    }
};

// Runs `modal` while the input thread presses `button` (by a click message)
// once the form shows.
void Answer(const std::function<void()>& modal, forms::Form& form,
            forms::CommandButton* const& button) {
    forms::test::WithInput(modal, [&] {
        forms::test::WaitFor([&] { return form.Loaded() && IsWindowVisible(form.hWnd()); });
        PostMessageA(button->hWnd(), BM_CLICK, 0, 0);
    });
}

TEST(CreatorFormsLeaks, TwentyRoundsOfTheDialogsAndAPreviewLeaveTheCountsAlone) {
    UpdateWhatFrm& update = forms::Default<UpdateWhatFrm>();
    SizeCheckFrm& check = forms::Default<SizeCheckFrm>();
    PreviewFrm& preview = forms::Default<PreviewFrm>();
    FlatBoxes boxes;
    check.Boxes = &boxes;
    const std::string file = qel::test::OutputPath("LeakPreview.skn");
    forms::SavePicture(
        forms::LoadPicture(forms::App::Path() + "\\Skins\\Sea Glass.gif", kSheetPictureBound).get(),
        file);
    const PreviewSource source{file, forms::test::IconPicture()};
    auto round = [&] {
        bool f[4] = {true, false, false, false};
        short corner = 1;
        Answer([&] { update.SelectFrms(f[0], f[1], f[2], f[3], corner); }, update, update.Command2);
        update.Unload();
        check.Show();
        qel::test::PumpUntilIdle();
        check.Unload();
        std::string name = "Leak";
        Answer([&] { preview.DoPreview(name, source); }, preview, preview.Command2);
    };
    round(); // the first round makes what lives as long as the program
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    const double start = qel::test::Seconds();
    for (int i = 0; i < 20; ++i)
        round();
    std::printf("20 rounds of the creator's dialogs and a preview: %.1f s\n",
                qel::test::Seconds() - start);
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
    EXPECT_TRUE(forms::test::MessageBoxes().prompts.empty());
}

} // namespace
} // namespace qel::creator
