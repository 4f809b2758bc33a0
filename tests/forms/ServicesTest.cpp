// Runtime services: the program's folder, title and thread, twips per pixel, the
// screen's mouse pointer, message boxes through their seam, and errors that reach
// a window procedure reported instead of ending the program.
#include "forms/App.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/MsgBox.h"
#include "forms/RuntimeError.h"
#include "forms/Screen.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;

TEST(AppTest, KnowsTheProgramsFolderTitleAndThread) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module);
    folder.resize(folder.find_last_of('\\'));
    EXPECT_EQ(App::Path(), folder);
    EXPECT_NE(App::Path().back(), '\\');
    EXPECT_EQ(App::Title(), "forms_tests");
    EXPECT_EQ(App::ThreadID(), GetCurrentThreadId());
    EXPECT_EQ(Screen::TwipsPerPixelX(), 15.0f);
    EXPECT_EQ(Screen::TwipsPerPixelY(), 15.0f);
}

TEST(MsgBoxTest, TheSeamAnswersInsteadOfTheUser) {
    test::MessageBoxes().answers.push_back(IDNO);
    EXPECT_EQ(MsgBox("Apply to All Preview Windows?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(test::MessageBoxes().prompts.back(), "Apply to All Preview Windows?");
    {
        std::string title;
        MsgBoxSeam inner([&](const std::string&, UINT, const std::string& t) {
            title = t;
            return IDYES;
        });
        EXPECT_EQ(MsgBox("Save?", MB_YESNO), IDYES);
        EXPECT_EQ(title, "forms_tests") << "the program's title by default";
    }
    EXPECT_EQ(MsgBox("Again"), IDOK) << "the outer seam is back";
    EXPECT_EQ(test::MessageBoxes().prompts.size(), 2u);
}

class ThrowingForm : public Form {
public:
    ThrowingForm() : Form("ThrowingForm") {}
    CommandButton* Command1 = nullptr;
    int clicks = 0;

protected:
    void Design() override {
        ClientSize(3000, 1500);
        StartUp(StartUpPosition::CenterScreen);
        Command1 = Add<CommandButton>("Command1", 300, 300, 1500, 450);
        Command1->OnClick = [this] {
            ++clicks;
            throw RuntimeError(kPathNotFound, "Path not found: C:\\Skins");
        };
    }
};

TEST(ErrorReportTest, AnErrorInAHandlerIsReportedAndTheFormGoesOn) {
    ThrowingForm form;
    form.Show();
    SendMessageA(form.Command1->hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 1);
    ASSERT_EQ(test::MessageBoxes().prompts.size(), 1u);
    EXPECT_EQ(test::MessageBoxes().prompts[0], "Run-time error '76':\n\nPath not found: C:\\Skins");
    SendMessageA(form.Command1->hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 2);
    EXPECT_TRUE(form.Loaded());
    form.Unload();
}

TEST(ScreenTest, TheBusyPointerShowsOverEveryWindowOfTheProgram) {
    ThrowingForm form;
    form.Show();
    SetForegroundWindow(form.hWnd());
    PumpUntilIdle();
    POINT inside = test::ClientPoint(form.hWnd(), 20, 20);
    HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));

    Screen::MousePointer(Pointer::Hourglass);
    qel::test::MouseMove(inside.x, inside.y);
    qel::test::MouseMove(inside.x + 5, inside.y + 5);
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == wait; }));
    POINT button = test::CentreOf(form.Command1->hWnd());
    qel::test::MouseMove(button.x, button.y);
    PumpUntilIdle();
    EXPECT_EQ(GetCursor(), wait) << "over a control too";

    // A pointer of the program's own.
    HCURSOR cross = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
    Picture custom = PictureFromIcon(UniqueIcon(CopyIcon(cross)));
    Screen::MouseIcon(custom);
    Screen::MousePointer(Pointer::Custom);
    qel::test::MouseMove(inside.x, inside.y);
    PumpUntilIdle();
    EXPECT_EQ(GetCursor(), PictureHandle(custom.get()));

    Screen::MousePointer(Pointer::Default);
    Screen::MouseIcon(nullptr);
    EXPECT_EQ(Screen::MousePointer(), Pointer::Default);
    qel::test::MouseMove(inside.x, inside.y);
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == arrow; }));
    form.Unload();
}

} // namespace
} // namespace qel::forms
