// A test fixture: a form on screen with the skin control placed on it, and no
// skin cache file of this thread before or after.
#pragma once
#include "control/Qel_SkinCtrl.h"
#include "tests/control/TestHost.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace qel::test {

class SkinCtrlOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        cache_ =
            std::string(windows) + "\\Qel_Skins\\" + std::to_string(GetCurrentThreadId()) + ".skn";
        DeleteFileA(cache_.c_str());
    }
    void TearDown() override {
        ctrl.reset();
        host.reset();
        DeleteFileA(cache_.c_str());
        PumpUntilIdle();
    }
    // Stored properties from `bag`, or none (InitNew) when `initNew`.
    void Place(std::map<std::wstring, VARIANT> bag = {}, OLE_COLOR back = 0x8000000F,
               bool initNew = false) {
        host = std::make_unique<TestHost>(150, 120, 360, 220);
        host->SetBackColor(back);
        ctrl = Qel_SkinCtrl::Create();
        host->Place(ctrl->Unknown(), bag, initNew);
        PumpUntilIdle();
    }

    std::unique_ptr<TestHost> host;
    ComPtr<Qel_SkinCtrl> ctrl;
    std::string cache_;
};

} // namespace qel::test
