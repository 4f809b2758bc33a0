// Ends a test's modal loop that its input failed to end: while armed, once the
// input thread has finished and a grace period has passed with the windows'
// thread still inside a loop, it fails the test and closes the forms in front,
// so that a lost click costs one test, not the whole run.
#pragma once
#include <windows.h>
#include <atomic>

namespace qel::forms::test {

class ModalWatchdog {
public:
    // Armed on the windows' thread (a thread timer: every message loop on it runs it).
    explicit ModalWatchdog(DWORD graceMs = 10000);
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

    // Called from the input thread when its input has ended.
    void InputEnded();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Check();

    DWORD grace_;
    std::atomic<DWORD> endedAt_{0};
    std::atomic<bool> ended_{false};
    UINT_PTR timer_ = 0;
};

} // namespace qel::forms::test
