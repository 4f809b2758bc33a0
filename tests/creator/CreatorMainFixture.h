// The creator's main window shown and in front for each test, and every form
// of the program unloaded after it.
#pragma once
#include "creator/shell/MainFrm.h"
#include "forms/TabControl.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::creator {

class CreatorMainFixture : public ::testing::Test {
protected:
    void SetUp() override {
        main = &forms::Default<MainFrm>();
        main->Show();
        SetForegroundWindow(main->hWnd());
        ASSERT_TRUE(qel::test::PumpUntil(
            [&] { return GetForegroundWindow() == main->hWnd() && qel::test::PumpUntilIdle(); }));
    }
    void TearDown() override {
        qel::test::MouseUp();
        if (main->Loaded()) main->Document.SkinModified = false;
        for (forms::Form* f : std::vector<forms::Form*>(forms::Form::LoadedForms()))
            f->Unload();
        qel::test::PumpUntilIdle();
    }
    // Shows inner page `inner` of outer page `outer` (the "Buttons" page has none).
    void ShowPage(int outer, int inner) {
        main->C1Tab1->CurrentPage(outer);
        if (outer == 0) main->C1Tab2->CurrentPage(inner);
        if (outer == 1) main->C1Tab3->CurrentPage(inner);
        qel::test::PumpUntilIdle();
    }
    MainFrm* main = nullptr;
};

} // namespace qel::creator
