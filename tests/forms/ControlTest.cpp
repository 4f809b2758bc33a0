// Controls: the runtime's event semantics (Value, Text and ListIndex set in code
// raise Click or Change; KeyPress changes or cancels a key), real mouse and
// keyboard input, file lists, colours as drawn, aligned picture boxes and their
// kept drawings, lines and images.
#include "base/FileHelpers.h"
#include "forms/CheckBox.h"
#include "forms/FileListBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/RuntimeError.h"
#include "forms/TextBox.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <cctype>
#include <fstream>

namespace qel::forms {
namespace {

using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::ScreenPixel;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255),
                   kDarkGreen = RGB(0, 128, 0);

// A form with one control of each kind; every event is logged by name.
class ControlsForm : public Form {
public:
    ControlsForm() : Form("ControlsForm") {}

    PictureBox* Picture1 = nullptr; // aligned to the top
    Label* Label5 = nullptr;        // inside Picture1
    PictureBox* Picture2 = nullptr; // aligned to the left
    CheckBox* Check1 = nullptr;
    CheckBox* Check2 = nullptr;
    Frame* Frame1 = nullptr;
    OptionButton* Option3 = nullptr; // inside Frame1
    OptionButton* Option1 = nullptr;
    OptionButton* Option2 = nullptr;
    Label* Label1 = nullptr;
    TextBox* Text1 = nullptr;
    ListBox* List1 = nullptr;
    PictureBox* Picture3 = nullptr; // keeps its drawing
    Line* Line1 = nullptr;
    Image* Image1 = nullptr;
    std::vector<std::string> events;

protected:
    void Design() override {
        Caption("Controls");
        ClientSize(7425, 3375);
        StartUp(StartUpPosition::CenterScreen);
        Picture1 = Add<PictureBox>("Picture1", 0, 0, 7425, 390);
        Picture1->AlignMode(Align::Top);
        Label5 = Picture1->Add<Label>("Label5", 2475, 75, 2115, 195);
        Label5->Caption("It Works with Aligned Controls");
        Picture2 = Add<PictureBox>("Picture2", 0, 390, 345, 2985);
        Picture2->AlignMode(Align::Left);
        Check1 = Add<CheckBox>("Check1", 600, 600, 1665, 195);
        Check1->Caption("Check1");
        Check1->OnClick = [this] { events.push_back("Check1_Click"); };
        Check2 = Add<CheckBox>("Check2", 600, 900, 1665, 195);
        Check2->Caption("Skin Enabled");
        Check2->OnClick = [this] { events.push_back("Check2_Click"); };
        Check2->Value(1); // a design setting: no Click
        Frame1 = Add<Frame>("Frame1", 2700, 675, 1365, 690);
        Frame1->Caption("Frame1");
        Option3 = Frame1->Add<OptionButton>("Option3", 120, 300, 1100, 195);
        Option3->Caption("Option3");
        Option3->Value(true);
        Option1 = Add<OptionButton>("Option1", 600, 1200, 990, 195);
        Option1->Caption("Option1");
        Option1->OnClick = [this] { events.push_back("Option1_Click"); };
        Option2 = Add<OptionButton>("Option2", 600, 1500, 990, 195);
        Option2->Caption("Option2");
        Option2->OnClick = [this] { events.push_back("Option2_Click"); };
        Label1 = Add<Label>("Label1", 600, 1900, 1800, 465);
        Label1->Caption("Label1");
        Text1 = Add<TextBox>("Text1", 4650, 1350, 2415, 285);
        Text1->Text("Text1");
        Text1->OnChange = [this] { events.push_back("Text1_Change"); };
        List1 = Add<ListBox>("List1", 4650, 1800, 915, 1230);
        List1->OnClick = [this] { events.push_back("List1_Click"); };
        Picture3 = Add<PictureBox>("Picture3", 2700, 1500, 1365, 840);
        Picture3->AutoRedraw(true);
        Line1 = AddLine("Line1", 4350, 600, 4350, 3000);
        Image1 = Add<Image>("Image1", 5700, 600, 300, 300);
    }
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        PumpUntilIdle();
    }
    void TearDown() override {
        qel::test::MouseUp();
        form.Unload();
        PumpUntilIdle();
    }
    // The colour shown at a client point of a window, once this thread has painted.
    static COLORREF At(HWND hwnd, int x, int y) {
        PumpUntilIdle();
        POINT p = test::ClientPoint(hwnd, x, y);
        return ScreenPixel(p.x, p.y);
    }
    ControlsForm form;
};

TEST_F(ControlTest, DesignSettingsRaiseNoEventsButSettingsInCodeDo) {
    EXPECT_TRUE(form.events.empty());
    EXPECT_EQ(form.Check2->Value(), 1);
    EXPECT_EQ(SendMessageA(form.Check2->hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);

    form.Check1->Value(1);
    form.Check1->Value(1); // unchanged: no Click
    form.Check1->Value(0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"Check1_Click", "Check1_Click"}));
    EXPECT_EQ(SendMessageA(form.Check1->hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    try {
        form.Check1->Value(3);
        FAIL() << "a value outside 0 to 2 is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kInvalidPropertyValue);
    }
    EXPECT_EQ(form.Check1->Value(), 0);
}

TEST_F(ControlTest, ClickingACheckBoxTicksAndUnticksIt) {
    test::ClickOn(form.Check1->hWnd());
    PumpUntil([&] { return !form.events.empty(); });
    EXPECT_EQ(form.Check1->Value(), 1);
    test::ClickOn(form.Check1->hWnd());
    PumpUntil([&] { return form.events.size() == 2; });
    EXPECT_EQ(form.Check1->Value(), 0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"Check1_Click", "Check1_Click"}));
}

TEST_F(ControlTest, ChoosingAnOptionClearsTheOthersOfItsContainerOnly) {
    form.Option1->Value(true);
    EXPECT_EQ(form.events, std::vector<std::string>{"Option1_Click"});
    test::ClickOn(form.Option2->hWnd());
    PumpUntil([&] { return form.events.size() == 2; });
    EXPECT_TRUE(form.Option2->Value());
    EXPECT_FALSE(form.Option1->Value());
    EXPECT_TRUE(form.Option3->Value()) << "an option in another container stays";
    EXPECT_EQ(SendMessageA(form.Option1->hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    form.Option2->Value(true); // already chosen: no Click
    EXPECT_EQ(form.events, (std::vector<std::string>{"Option1_Click", "Option2_Click"}));
}

TEST_F(ControlTest, TextSetInCodeRaisesOneChange) {
    EXPECT_EQ(form.Text1->Text(), "Text1");
    form.Text1->Text("Hello");
    EXPECT_EQ(form.events, std::vector<std::string>{"Text1_Change"});
    form.Text1->Text("Hello");
    EXPECT_EQ(form.events.size(), 1u);
}

TEST_F(ControlTest, KeyPressChangesOrCancelsTypedKeys) {
    // Digits are swallowed, letters come out in capitals.
    form.Text1->OnKeyPress = [&](int& key) {
        if (isdigit(key))
            key = 0;
        else
            key = toupper(key);
    };
    form.Text1->Text("");
    form.events.clear();
    SetForegroundWindow(form.hWnd());
    SetFocus(form.Text1->hWnd());
    PumpUntilIdle();
    test::Type("a1b2c");
    PumpUntil([&] { return form.Text1->Text() == "ABC"; });
    EXPECT_EQ(form.Text1->Text(), "ABC");
    EXPECT_EQ(form.events.size(), 3u) << "one Change per character that got through";
}

TEST_F(ControlTest, ListIndexSetInCodeRaisesClick) {
    ListBox& list = *form.List1;
    for (const char* name : {"Light Blue", "Dark Blue", "Green"}) {
        list.AddItem(name);
        list.ItemData(list.ListCount() - 1, list.ListCount());
    }
    list.AddItem("First", 0);
    EXPECT_EQ(list.ListCount(), 4);
    EXPECT_EQ(list.List(0), "First");
    EXPECT_EQ(list.List(3), "Green");
    EXPECT_EQ(list.ItemData(3), 3);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(form.events.empty());

    list.ListIndex(2);
    EXPECT_EQ(list.Text(), "Dark Blue");
    list.ListIndex(2); // unchanged: no Click
    list.ListIndex(-1);
    EXPECT_EQ(form.events, (std::vector<std::string>{"List1_Click", "List1_Click"}));
    EXPECT_EQ(list.Text(), "");
    EXPECT_THROW(list.ListIndex(4), RuntimeError);
    EXPECT_THROW(list.List(4), RuntimeError);
    EXPECT_THROW(list.ItemData(-1), RuntimeError);

    // A real click on the second entry.
    RECT item{};
    SendMessageA(list.hWnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT p = test::ClientPoint(list.hWnd(), item.left + 5, (item.top + item.bottom) / 2);
    qel::test::Click(p.x, p.y);
    PumpUntil([&] { return form.events.size() == 3; });
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(form.events.size(), 3u);

    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(form.events.size(), 3u) << "Clear raises no Click";
}

TEST(FileListBoxTest, ListsTheMatchingFilesOfAFolderByName) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "qel-forms-files";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\d.gif").c_str(), nullptr);
    DeleteFileA((folder + "\\e.gif").c_str()); // left by an earlier run
    for (const char* name : {"b.gif", "A.GIF", "c.txt", "hidden.gif"})
        std::ofstream(folder + "\\" + name) << "x";
    SetFileAttributesA((folder + "\\hidden.gif").c_str(), FILE_ATTRIBUTE_HIDDEN);

    class FilesForm : public Form {
    public:
        FilesForm() : Form("FilesForm") {}
        FileListBox* File1 = nullptr;

    protected:
        void Design() override { File1 = Add<FileListBox>("File1", 5625, 2925, 540, 480); }
    } form;
    form.Load();
    FileListBox& files = *form.File1;
    files.Pattern("*.gif");
    files.Path(folder + "\\");
    EXPECT_EQ(files.Path(), folder);
    ASSERT_EQ(files.ListCount(), 2);
    EXPECT_EQ(files.List(0), "A.GIF");
    EXPECT_EQ(files.List(1), "b.gif");

    files.Pattern("*.txt;*.gif");
    EXPECT_EQ(files.ListCount(), 3);

    try {
        files.Path(folder + "\\missing");
        FAIL() << "a missing folder is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kPathNotFound);
    }
    EXPECT_EQ(files.Path(), folder);
    EXPECT_EQ(files.ListCount(), 3);

    std::ofstream(folder + "\\e.gif") << "x";
    files.Refresh();
    EXPECT_EQ(files.ListCount(), 4);

    // A folder past the system's 260 characters is listed too.
    const std::string deep = folder + "\\" + std::string(150, 'd') + "\\" + std::string(150, 'e');
    ASSERT_TRUE(MakePath(deep));
    ASSERT_TRUE(OpenFile(deep + "\\f.gif", GENERIC_WRITE, 0, CREATE_ALWAYS));
    files.Path(deep);
    EXPECT_EQ(files.Path(), deep);
    EXPECT_EQ(files.ListCount(), 1);
    form.Unload();
}

TEST_F(ControlTest, ColoursAreDrawnAsSet) {
    form.BackColor(kDarkGreen);
    form.Label1->BackColor(kRed);
    form.Label1->ForeColor(kWhite);
    form.Check1->BackColor(kBlue);
    form.Text1->BackColor(kGreen);
    form.List1->BackColor(kRed);
    form.Frame1->BackColor(kYellow);
    PumpUntilIdle();
    qel::test::SaveWindowShot("forms-colours", form.hWnd());

    EXPECT_EQ(At(form.hWnd(), 300, 220), kDarkGreen);
    EXPECT_EQ(At(form.Label1->hWnd(), 110, 25), kRed);
    RECT check{};
    GetClientRect(form.Check1->hWnd(), &check);
    EXPECT_EQ(At(form.Check1->hWnd(), check.right - 2, check.bottom / 2), kBlue);
    EXPECT_EQ(At(form.Text1->hWnd(), 140, 8), kGreen);
    EXPECT_EQ(At(form.List1->hWnd(), 20, 60), kRed);
    EXPECT_EQ(At(form.Frame1->hWnd(), 40, 40), kYellow);
    EXPECT_EQ(At(form.Picture2->hWnd(), 5, 5), GetSysColor(COLOR_BTNFACE));

    // The label's own text is drawn in its fore colour.
    bool white = false;
    for (int x = 0; x < 40 && !white; ++x)
        for (int y = 0; y < 14 && !white; ++y)
            white = At(form.Label1->hWnd(), x, y) == kWhite;
    EXPECT_TRUE(white);
}

TEST_F(ControlTest, AlignedPictureBoxesSpanTheirEdgeAsTheFormResizes) {
    RECT client{}, top{}, left{};
    auto measure = [&] {
        GetClientRect(form.hWnd(), &client);
        GetWindowRect(form.Picture1->hWnd(), &top);
        GetWindowRect(form.Picture2->hWnd(), &left);
        MapWindowPoints(nullptr, form.hWnd(), reinterpret_cast<POINT*>(&top), 2);
        MapWindowPoints(nullptr, form.hWnd(), reinterpret_cast<POINT*>(&left), 2);
    };
    measure();
    EXPECT_EQ(top.left, 0);
    EXPECT_EQ(top.top, 0);
    EXPECT_EQ(top.right, client.right);
    EXPECT_EQ(top.bottom, 26);
    EXPECT_EQ(left.top, 26);
    EXPECT_EQ(left.bottom, client.bottom);
    EXPECT_EQ(left.right - left.left, 23);

    form.Move(form.Left(), form.Top(), form.Width() + 1500, form.Height() + 600);
    PumpUntilIdle();
    measure();
    EXPECT_EQ(top.right, client.right);
    EXPECT_EQ(left.bottom, client.bottom);
    // A label in the panel is placed in the panel's scale.
    EXPECT_EQ(form.Label5->Left(), 2475);
    form.Label5->Left((form.Picture1->Width() - form.Label5->Width()) / 2);
    EXPECT_EQ(form.Label5->Left(), (form.Picture1->Width() - form.Label5->Width()) / 2);
}

TEST_F(ControlTest, APictureBoxKeepsWhatIsDrawnOnItWithAutoRedraw) {
    PictureBox& box = *form.Picture3;
    box.BackColor(kWhite);
    HDC dc = box.hDC();
    RECT square{10, 10, 40, 30};
    UniqueBrush red(CreateSolidBrush(kRed));
    FillRect(dc, &square, red.get());
    box.Refresh();
    EXPECT_EQ(At(box.hWnd(), 20, 20), kRed);
    EXPECT_EQ(At(box.hWnd(), 60, 20), kWhite);

    // Covered by another window and uncovered: painted again from the kept image.
    RECT r;
    GetWindowRect(box.hWnd(), &r);
    {
        UniqueWindow cover =
            qel::test::MakeWindow(r.left - 10, r.top - 10, 200, 120, true, WS_POPUP | WS_BORDER);
        PumpUntilIdle();
    }
    EXPECT_EQ(At(box.hWnd(), 20, 20), kRed);

    box.Cls();
    EXPECT_EQ(At(box.hWnd(), 20, 20), kWhite);
}

TEST_F(ControlTest, ALineIsDrawnOnItsContainer) {
    form.BackColor(kWhite);
    form.Line1->BorderColor(kBlue);
    form.Line1->BorderWidth(2);
    EXPECT_EQ(At(form.hWnd(), 290, 100), kBlue);
    EXPECT_EQ(At(form.hWnd(), 296, 100), kWhite);
    form.Line1->Visible(false);
    EXPECT_EQ(At(form.hWnd(), 290, 100), kWhite);
}

TEST_F(ControlTest, AnImageShowsItsPictureOverItsContainer) {
    // An icon with a red left half and a transparent right half.
    const int n = 16;
    UniqueDC dc(CreateCompatibleDC(nullptr));
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap colour(CreateCompatibleBitmap(screen.get(), n, n));
    UniqueBitmap mask(CreateBitmap(n, n, 1, 1, nullptr));
    {
        Selection s(dc.get(), colour.get());
        RECT all{0, 0, n, n}, half{n / 2, 0, n, n};
        UniqueBrush red(CreateSolidBrush(kRed));
        FillRect(dc.get(), &all, red.get());
        FillRect(dc.get(), &half, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    {
        Selection s(dc.get(), mask.get());
        RECT all{0, 0, n, n}, half{n / 2, 0, n, n};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(dc.get(), &half, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    form.BackColor(kYellow);
    form.Image1->Picture(PictureFromIcon(UniqueIcon(CreateIconIndirect(&info))));
    PumpUntilIdle();
    EXPECT_EQ(form.Image1->Width(), n * 15.0f)
        << "without Stretch the image takes the picture's size";
    EXPECT_EQ(At(form.Image1->hWnd(), 3, 8), kRed);
    EXPECT_EQ(At(form.Image1->hWnd(), 12, 8), kYellow) << "the container shows through";

    form.Image1->Stretch(true);
    form.Image1->Move(form.Image1->Left(), form.Image1->Top(), 64 * 15, 32 * 15);
    EXPECT_EQ(At(form.Image1->hWnd(), 20, 20), kRed);
    EXPECT_EQ(At(form.Image1->hWnd(), 50, 20), kYellow);
}

} // namespace
} // namespace qel::forms
