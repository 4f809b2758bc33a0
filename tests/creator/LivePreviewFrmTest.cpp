// The four live preview forms: one class, shown inside the host boxes as
// borderless child windows with their sample controls.
#include "creator/shell/LivePreviewFrm.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::creator {
namespace {

using namespace forms;

class HostFrm : public Form {
public:
    HostFrm() : Form("MainFrm") {}
    std::array<PictureBox*, 4> boxes{};

protected:
    void Design() override {
        Caption("Previews");
        ClientSize(12000, 7000);
        StartUp(StartUpPosition::CenterScreen);
        for (int i = 0; i < 4; ++i) {
            boxes[i] = Add<PictureBox>("Picture" + std::to_string(i + 1), 150 + 5850 * (i % 2),
                                       150 + 3450 * (i / 2), 5700, 3300);
            boxes[i]->BackColor(0);
        }
    }
};

TEST(LivePreviewFrm, FourFormsOfOneClassShowInsideTheirBoxes) {
    HostFrm host;
    host.Show();
    for (int v = 1; v <= 4; ++v)
        Frm(v).ShowInside(*host.boxes[v - 1]);
    qel::test::PumpUntilIdle();
    for (int v = 1; v <= 4; ++v) {
        LivePreviewFrm& form = Frm(v);
        SCOPED_TRACE(form.Name());
        EXPECT_EQ(form.Name(), "Frm" + std::to_string(v));
        EXPECT_EQ(GetParent(form.hWnd()), host.boxes[v - 1]->hWnd());
        EXPECT_FALSE(GetWindowLongPtrA(form.hWnd(), GWL_STYLE) & WS_CAPTION);
        const RECT client = qel::test::ClientRectOf(form.hWnd());
        EXPECT_EQ(client.right - client.left, 312);
        EXPECT_EQ(client.bottom - client.top, 206);
        EXPECT_EQ(form.ScaleWidth(), 312) << "in pixels";
        EXPECT_EQ(form.Label2 != nullptr, v <= 2) << "a mock menu bar on the variants with menu";
        EXPECT_EQ(form.Label1->Caption(), "Vantreo Skin Control");
        EXPECT_EQ(form.Label3->Caption(), "Text Color");
        EXPECT_FALSE(form.IcoImage->Visible());
        EXPECT_TRUE(form.Image2[1]->Visible());
        EXPECT_FALSE(form.Image2[2]->Visible()) << "restore hidden, maximise in its place";
        const POINT p = forms::test::ClientPoint(form.hWnd(), 200, 160);
        EXPECT_EQ(qel::test::ScreenPixel(p.x, p.y), 0x00E0E0E0u);
    }
    qel::test::SaveWindowShot("creator_live_previews", host.hWnd());
    host.Unload();
    for (int v = 1; v <= 4; ++v)
        EXPECT_FALSE(Frm(v).Loaded()) << "unloaded with the host";
}

} // namespace
} // namespace qel::creator
