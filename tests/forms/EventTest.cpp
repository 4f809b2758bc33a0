// Events and members of forms and controls under real input: activation, resize
// and focus, mouse events with their buttons, shift keys and positions in the
// right scale, a form's own pointer, picture boxes that size to their picture and
// give out what they keep, image borders, transparent and bold labels, text
// selection and list double clicks.
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/RuntimeError.h"
#include "forms/TextBox.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::ScreenPixel;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

using test::IconPicture;
using test::SolidPicture;

// The colour of a pixel of a bitmap picture.
COLORREF PicturePixel(IPictureDisp* picture, int x, int y) {
    UniqueDC dc(CreateCompatibleDC(nullptr));
    Selection selected(dc.get(), PictureHandle(picture));
    return GetPixel(dc.get(), x, y);
}

class EventsForm : public Form {
public:
    EventsForm() : Form("EventsForm") {}

    PictureBox* Picture1 = nullptr; // keeps its drawing, measures in pixels
    Label* Label1 = nullptr;        // transparent, inside Picture1
    Label* Label2 = nullptr;
    Image* Image1 = nullptr;
    TextBox* Text1 = nullptr;
    ListBox* List1 = nullptr;
    std::vector<std::string> events;
    std::string last; // the arguments of the last mouse event

protected:
    void Design() override {
        Caption("Events");
        ClientSize(6000, 3600);
        StartUp(StartUpPosition::CenterScreen);
        Picture1 = Add<PictureBox>("Picture1", 3000, 150, 2700, 1500);
        Picture1->ScaleMode(Scale::Pixels);
        Picture1->AutoRedraw(true);
        Picture1->BackColor(kBlue);
        Label1 = Picture1->Add<Label>("Label1", 10, 10, 120, 40);
        Label1->Caption("Hint");
        Label1->Transparent(true);
        Label1->ForeColor(kWhite);
        Label2 = Add<Label>("Label2", 150, 2700, 2400, 300);
        Label2->Caption("WWWWWW");
        Image1 = Add<Image>("Image1", 3000, 2000, 600, 600);
        Image1->Bordered(true);
        Image1->Picture(SolidPicture(20, 20, kRed));
        Text1 = Add<TextBox>("Text1", 150, 2100, 2400, 300);
        Text1->Text("12345");
        List1 = Add<ListBox>("List1", 4000, 2000, 1500, 1200);
        List1->AddItem("one");
        List1->AddItem("two");

        auto log = [this](const char* name) { return [this, name] { events.push_back(name); }; };
        auto mouse = [this](const char* name) {
            return [this, name](int button, int shift, float x, float y) {
                events.push_back(name);
                last = std::to_string(button) + "," + std::to_string(shift) + "," +
                       std::to_string(static_cast<int>(x)) + "," +
                       std::to_string(static_cast<int>(y));
            };
        };
        OnActivate = log("Form_Activate");
        OnResize = log("Form_Resize");
        OnGotFocus = log("Form_GotFocus");
        OnMouseDown = mouse("Form_MouseDown");
        Picture1->OnClick = log("Picture1_Click");
        Picture1->OnDblClick = log("Picture1_DblClick");
        Picture1->OnMouseMove = mouse("Picture1_MouseMove");
        Image1->OnMouseDown = mouse("Image1_MouseDown");
        Image1->OnClick = log("Image1_Click");
        Image1->OnDblClick = log("Image1_DblClick");
        Label2->OnDblClick = log("Label2_DblClick");
        Label2->OnMouseMove = mouse("Label2_MouseMove");
        Text1->OnGotFocus = [this] {
            events.push_back("Text1_GotFocus");
            Text1->SelStart(0);
            Text1->SelLength(static_cast<long>(Text1->Text().size()));
        };
        List1->OnClick = log("List1_Click");
        List1->OnDblClick = log("List1_DblClick");
    }
};

class EventTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        PumpUntil([&] { return GetActiveWindow() == form.hWnd(); });
        PumpUntilIdle();
        form.events.clear();
    }
    void TearDown() override {
        qel::test::MouseUp();
        qel::test::KeyUp(VK_SHIFT);
        form.Unload();
        PumpUntilIdle();
    }
    // Clicks (twice for a double click) a client point of a window with the real mouse.
    static void ClickAt(HWND hwnd, int x, int y, bool twice = false) {
        POINT p = test::ClientPoint(hwnd, x, y);
        twice ? qel::test::DoubleClick(p.x, p.y) : qel::test::Click(p.x, p.y);
    }
    bool WaitForEvent(const std::string& name) {
        return PumpUntil([&] {
            return std::find(form.events.begin(), form.events.end(), name) != form.events.end();
        });
    }
    static int Tpp() { return static_cast<int>(Screen::TwipsPerPixelX()); }
    EventsForm form;
};

TEST_F(EventTest, AFormIsResizedActivatedAndFocusedAsItIsShownAndUsed) {
    form.Unload();
    form.Show();
    PumpUntil([&] { return form.events.size() >= 3; });
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"Form_Resize", "Form_Activate", "Form_GotFocus"}));
    form.events.clear();
    form.Width(form.Width() + 300);
    EXPECT_EQ(form.events, std::vector<std::string>{"Form_Resize"});

    // Another form takes the activation; activating this one again raises Activate again.
    Form other("Other");
    other.Show();
    PumpUntil([&] { return GetActiveWindow() == other.hWnd(); });
    form.events.clear();
    SetActiveWindow(form.hWnd());
    EXPECT_TRUE(WaitForEvent("Form_Activate"));
    other.Unload();
}

TEST_F(EventTest, MouseEventsCarryButtonShiftAndPositionInTheScale) {
    HWND hwnd = form.hWnd();
    ClickAt(hwnd, 30, 40);
    ASSERT_TRUE(WaitForEvent("Form_MouseDown"));
    EXPECT_EQ(form.last, "1,0," + std::to_string(30 * Tpp()) + "," + std::to_string(40 * Tpp()))
        << "the form measures in twips";

    // A picture box measures in its own scale (pixels); a move with the button held reports it.
    form.events.clear();
    POINT from = test::ClientPoint(form.Picture1->hWnd(), 150, 50);
    qel::test::MouseMove(from.x, from.y);
    qel::test::MouseDown();
    qel::test::MouseMove(from.x + 5, from.y + 7);
    ASSERT_TRUE(PumpUntil([&] { return form.last == "1,0,155,57"; }));
    qel::test::MouseUp();
    EXPECT_TRUE(WaitForEvent("Picture1_Click"));

    // Shift goes down once the cursor is there (under Wine the X server's echo of
    // a move carries the keys it knows, and it knows no Shift).
    const POINT image = test::ClientPoint(form.Image1->hWnd(), 4, 6);
    qel::test::MouseMove(image.x, image.y);
    qel::test::KeyDown(VK_SHIFT);
    ClickAt(form.Image1->hWnd(), 4, 6);
    qel::test::KeyUp(VK_SHIFT);
    ASSERT_TRUE(WaitForEvent("Image1_Click"));
    EXPECT_EQ(form.last, "1,1," + std::to_string(4 * Tpp()) + "," + std::to_string(6 * Tpp()))
        << "an image measures in its container's scale";

    // A press that is released outside is no click.
    form.events.clear();
    POINT in = test::ClientPoint(form.Image1->hWnd(), 4, 4);
    qel::test::MouseMove(in.x, in.y);
    qel::test::MouseDown();
    qel::test::MouseMove(in.x + 100, in.y);
    qel::test::MouseUp();
    PumpUntilIdle();
    EXPECT_EQ(form.events, std::vector<std::string>{"Image1_MouseDown"});

    // An error escaping a handler is reported there and the program goes on.
    form.OnMouseDown = [](int, int, float, float) {
        throw RuntimeError(kInvalidCall, "Invalid procedure call or argument");
    };
    ClickAt(hwnd, 30, 40);
    ASSERT_TRUE(PumpUntil([] { return !test::MessageBoxes().prompts.empty(); }));
    EXPECT_EQ(test::MessageBoxes().prompts[0],
              "Run-time error '5':\n\nInvalid procedure call or argument");
}

TEST_F(EventTest, DoubleClicksReachPictureBoxesImagesLabelsAndLists) {
    ClickAt(form.Picture1->hWnd(), 150, 60, true);
    EXPECT_TRUE(WaitForEvent("Picture1_DblClick"));
    ClickAt(form.Image1->hWnd(), 5, 5, true);
    EXPECT_TRUE(WaitForEvent("Image1_DblClick"));
    ClickAt(form.Label2->hWnd(), 5, 5, true);
    EXPECT_TRUE(WaitForEvent("Label2_DblClick"));
    EXPECT_TRUE(WaitForEvent("Label2_MouseMove"));

    RECT item{};
    SendMessageA(form.List1->hWnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const POINT onItem =
        test::ClientPoint(form.List1->hWnd(), item.left + 5, (item.top + item.bottom) / 2);
    qel::test::MouseMove(onItem.x, onItem.y); // what the label still hears comes before
    form.events.clear();
    qel::test::DoubleClick(onItem.x, onItem.y);
    ASSERT_TRUE(WaitForEvent("List1_DblClick"));
    EXPECT_EQ(form.events, (std::vector<std::string>{"List1_Click", "List1_DblClick"}));
    EXPECT_EQ(form.List1->ListIndex(), 1);
}

TEST_F(EventTest, AFormShowsItsOwnPointerOverItsClientArea) {
    Picture icon = IconPicture();
    form.MouseIcon(icon);
    form.MousePointer(Pointer::Custom);
    POINT p = test::ClientPoint(form.hWnd(), 20, 20);
    qel::test::MouseMove(p.x, p.y);
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == PictureHandle(icon.get()); }));
    form.MousePointer(Pointer::Arrow);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));

    // Over a control the control's own pointer shows.
    form.MousePointer(Pointer::Custom);
    POINT text = test::CentreOf(form.Text1->hWnd());
    qel::test::MouseMove(text.x, text.y);
    EXPECT_TRUE(PumpUntil(
        [&] { return GetCursor() == LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM)); }));

    // The form's icon takes icons only; a refused picture changes nothing.
    form.Icon(icon);
    HANDLE shown = reinterpret_cast<HANDLE>(SendMessageA(form.hWnd(), WM_GETICON, ICON_BIG, 0));
    try {
        form.Icon(SolidPicture(16, 16, kRed));
        ADD_FAILURE() << "a bitmap was taken as the icon";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kInvalidPropertyValue);
    }
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(form.hWnd(), WM_GETICON, ICON_BIG, 0)), shown);
}

TEST_F(EventTest, APictureBoxSizesToItsPictureAndGivesOutWhatItKeeps) {
    PictureBox& box = *form.Picture1;
    box.Visible(false);
    HDC dc = box.hDC();
    RECT spot{5, 5, 25, 15};
    UniqueBrush green(CreateSolidBrush(kGreen));
    FillRect(dc, &spot, green.get());
    Picture image = box.Image();
    SIZE size = PictureSize(image.get());
    EXPECT_EQ(size.cx, static_cast<int>(box.ScaleWidth()));
    EXPECT_EQ(size.cy, static_cast<int>(box.ScaleHeight()));
    EXPECT_EQ(PicturePixel(image.get(), 10, 10), kGreen) << "drawn while hidden";
    EXPECT_EQ(PicturePixel(image.get(), 40, 40), kBlue);

    box.Bordered(false);
    box.AutoSize(true);
    box.Picture(SolidPicture(40, 30, kRed));
    EXPECT_EQ(box.Width(), 40 * Tpp());
    EXPECT_EQ(box.Height(), 30 * Tpp());
    EXPECT_EQ(PictureSize(box.Image().get()).cx, 40);
}

TEST_F(EventTest, ImagesLabelsAndTextBoxesDrawAndSelectAsSet) {
    HWND image = form.Image1->hWnd();
    RECT r = qel::test::ClientRectOf(image);
    EXPECT_EQ(r.right - r.left, 22) << "picture and border";
    POINT corner = test::ClientPoint(image, 0, 0);
    EXPECT_EQ(ScreenPixel(corner.x, corner.y), kBlack);
    EXPECT_EQ(ScreenPixel(corner.x + 1, corner.y + 1), kRed);
    form.Image1->Stretch(true);
    form.Image1->Width(600);
    PumpUntilIdle();
    EXPECT_EQ(ScreenPixel(corner.x + 38, corner.y + 10), kRed) << "stretched";

    // The transparent label shows the drawing of its picture box behind it.
    HDC dc = form.Picture1->hDC();
    RECT spot{10, 10, 60, 60};
    UniqueBrush green(CreateSolidBrush(kGreen));
    FillRect(dc, &spot, green.get());
    form.Picture1->Refresh();
    PumpUntilIdle();
    POINT behind = test::ClientPoint(form.Label1->hWnd(), 45, 30);
    EXPECT_EQ(ScreenPixel(behind.x, behind.y), kGreen);
    form.Label1->Transparent(false);
    form.Label1->BackColor(kRed);
    PumpUntilIdle();
    EXPECT_EQ(ScreenPixel(behind.x, behind.y), kRed);

    // Bold text reaches further right than regular text.
    auto inkRight = [&] {
        form.Label2->Refresh();
        HWND label = form.Label2->hWnd();
        RECT c = qel::test::ClientRectOf(label);
        int right = 0;
        for (int x = 0; x < c.right - c.left; ++x)
            for (int y = 0; y < 14; ++y) {
                POINT p = test::ClientPoint(label, x, y);
                if (ScreenPixel(p.x, p.y) == kBlack) right = x;
            }
        return right;
    };
    const int regular = inkRight();
    form.Label2->Bold(true);
    EXPECT_GT(inkRight(), regular + 3);

    // GotFocus selects the whole text; typing replaces it.
    SetFocus(form.Text1->hWnd());
    EXPECT_EQ(form.events.back(), "Text1_GotFocus");
    EXPECT_EQ(form.Text1->SelStart(), 0);
    EXPECT_EQ(form.Text1->SelLength(), 5);
    test::Type("7");
    PumpUntil([&] { return form.Text1->Text() == "7"; });
    EXPECT_EQ(form.Text1->Text(), "7");
    form.Text1->Text("12345");
    form.Text1->SelStart(2);
    form.Text1->SelLength(100);
    EXPECT_EQ(form.Text1->SelStart(), 2);
    EXPECT_EQ(form.Text1->SelLength(), 3) << "clamped to the text";
}

} // namespace
} // namespace qel::forms
