// Alt+key presses typed as real input reach the active skinned window's
// implementation through the thread's keyboard hook.
#include "base/WindowObject.h"
#include "hooking/KeyboardHook.h"
#include "hooking/cNCCalcSize.h"
#include "tests/support/Handlers.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using test::ProbeWindow;
using test::PumpUntilIdle;
using test::StubSkinArea;

struct SkinnedWindow {
    SkinnedWindow(int x, int y) {
        window = ProbeWindow::Create(x, y, 240, 160);
        impl = StubSkinArea::Create(window.get());
        ncs = cNCCalcSize::Create();
        ncs->Attach(impl->Itf());
        auto form = WindowObject::Create(window.get());
        ncs->Display(form.get());
        ShowWindow(window.get(), SW_SHOW);
    }
    void Activate() {
        SetForegroundWindow(window.get());
        PumpUntilIdle();
    }
    UniqueWindow window;
    ComPtr<StubSkinArea> impl;
    ComPtr<cNCCalcSize> ncs;
};

class AltKeys : public ::testing::Test {
protected:
    void SetUp() override { ProbeWindow::Reset(); }
    void TearDown() override { ProbeWindow::Reset(); }
    // Holds the keys while the window handles them, as a person typing does.
    void Type(std::initializer_list<WORD> keys) {
        for (WORD k : keys)
            test::KeyDown(k);
        PumpUntilIdle();
        std::vector<WORD> held(keys);
        for (auto k = held.rbegin(); k != held.rend(); ++k)
            test::KeyUp(*k);
        PumpUntilIdle();
    }
};

TEST_F(AltKeys, AltLetterReachesTheImplementationAndIsSwallowed) {
    SkinnedWindow form(100, 100);
    form.Activate();
    ASSERT_TRUE(form.ncs->IsWindowActive());
    Type({VK_MENU, 'F'});
    EXPECT_EQ(form.impl->altKeys, std::vector<LONG>{'F'});
    EXPECT_EQ(ProbeWindow::counts[WM_SYSCHAR], 0);
}

TEST_F(AltKeys, AKeyTheImplementationDoesNotWantGoesThrough) {
    SkinnedWindow form(100, 100);
    form.impl->swallowAltKeys = false;
    form.Activate();
    Type({VK_MENU, 'G'});
    EXPECT_EQ(form.impl->altKeys, std::vector<LONG>{'G'});
    EXPECT_EQ(ProbeWindow::counts[WM_SYSCHAR], 1);
}

TEST_F(AltKeys, ReservedKeysControlAndPlainKeysAreNeverOffered) {
    SkinnedWindow form(100, 100);
    form.Activate();
    Type({VK_MENU, VK_F4});
    Type({VK_MENU, VK_F12});
    Type({VK_MENU, VK_DELETE});
    Type({VK_CONTROL, VK_MENU, 'F'});
    Type({'F'});
    Type({VK_MENU});
    form.Activate();
    Type({VK_MENU, VK_ESCAPE});
    EXPECT_TRUE(form.impl->altKeys.empty());
    form.Activate();
    Type({VK_MENU, '1'});
    EXPECT_EQ(form.impl->altKeys, std::vector<LONG>{'1'});
}

TEST_F(AltKeys, OnlyTheActiveFormReceivesTheKey) {
    SkinnedWindow first(60, 60);
    SkinnedWindow second(400, 300);
    second.Activate();
    ASSERT_FALSE(first.ncs->IsWindowActive());
    Type({VK_MENU, 'E'});
    EXPECT_TRUE(first.impl->altKeys.empty());
    EXPECT_EQ(second.impl->altKeys, std::vector<LONG>{'E'});
    first.Activate();
    Type({VK_MENU, 'H'});
    EXPECT_EQ(first.impl->altKeys, std::vector<LONG>{'H'});
}

TEST_F(AltKeys, TheHookLivesExactlyWhileAModifierIsAttached) {
    EXPECT_FALSE(KeyboardHookInstalled());
    {
        SkinnedWindow a(60, 60);
        EXPECT_TRUE(KeyboardHookInstalled());
        {
            SkinnedWindow b(300, 60);
            b.ncs->Detach();
            EXPECT_TRUE(KeyboardHookInstalled());
        }
        a.ncs->Detach();
        EXPECT_FALSE(KeyboardHookInstalled());
        a.ncs->Attach(a.impl->Itf());
        EXPECT_TRUE(KeyboardHookInstalled());
        a.Activate();
        Type({VK_MENU, 'K'});
        EXPECT_EQ(a.impl->altKeys, std::vector<LONG>{'K'});
    }
    EXPECT_FALSE(KeyboardHookInstalled());
}

} // namespace
} // namespace qel
