#include "tests/forms/FormsTesting.h"
#include "tests/forms/ModalWatchdog.h"
#include "tests/support/Screen.h"
#include "forms/MsgBox.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <atomic>
#include <fstream>
#include <memory>
#include <thread>

namespace qel::forms::test {

void WithInput(const std::function<void()>& body, const std::function<void()>& input) {
    ModalWatchdog watchdog;
    std::atomic<bool> done{false};
    std::thread thread([&] {
        input();
        done = true;
        watchdog.InputEnded();
    });
    body();
    // The input may still be finishing (a key release, say).
    qel::test::PumpUntil([&] { return done.load(); }, 15000);
    thread.join();
    qel::test::PumpUntilIdle();
}

POINT ClientPoint(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

POINT CentreOf(HWND hwnd) {
    return qel::test::Centre(qel::test::WindowRectOf(hwnd));
}

namespace {

// Whether a click at the window's centre reaches it. The click goes to what is
// at the point when it is sent: that must be this window (not a form still
// closing over it), and its form must take input.
bool Reachable(HWND hwnd) {
    HWND hit = WindowFromPoint(CentreOf(hwnd));
    return IsWindow(hwnd) && (hit == hwnd || IsChild(hwnd, hit)) &&
           IsWindowEnabled(GetAncestor(hwnd, GA_ROOT));
}

// Whether the window is a button (push button, check box, option button).
bool IsButton(HWND hwnd) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0;
}

} // namespace

void ClickOn(HWND hwnd) {
    // From the window's own thread the wait dispatches its messages.
    auto wait = GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()
                    ? qel::test::PumpUntil
                    : WaitFor;
    wait([&] { return Reachable(hwnd); }, 5000);
    const POINT p = CentreOf(hwnd);
    if (!IsButton(hwnd)) return qel::test::Click(p.x, p.y);
    // A release sent right behind the press can cost the click under a busy
    // Wine: a button is released only once it shows the press.
    qel::test::MouseMove(p.x, p.y);
    qel::test::MouseDown();
    wait(
        [&] {
            DWORD_PTR state = 0;
            SendMessageTimeoutA(hwnd, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 1000, &state);
            return (state & BST_PUSHED) != 0;
        },
        3000);
    qel::test::MouseUp();
}

bool ClickUntil(HWND hwnd, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        WaitFor([&] { return done() || Reachable(hwnd); });
        if (done() || !Reachable(hwnd)) break;
        ClickOn(hwnd);
        if (WaitFor(done, 3000)) break;
    }
    return done();
}

bool WaitForDialog(const std::function<bool(HWND)>& is, DWORD timeoutMs) {
    auto ready = [&] {
        HWND front = GetForegroundWindow();
        DWORD process = 0;
        GUITHREADINFO thread{sizeof(GUITHREADINFO), 0, {}, {}, {}, {}, {}, {}, {}};
        return GetGUIThreadInfo(GetWindowThreadProcessId(front, &process), &thread) &&
               process == GetCurrentProcessId() && is(front) && IsChild(front, thread.hwndFocus);
    };
    return WaitFor(ready, timeoutMs);
}

void Type(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c >= 0x80) { // no key gives it
            for (DWORD up : {0, KEYEVENTF_KEYUP}) {
                INPUT in{INPUT_KEYBOARD, {.ki = {0, c, KEYEVENTF_UNICODE | up, 0, 0}}};
                SendInput(1, &in, sizeof in);
            }
            continue;
        }
        SHORT vk = VkKeyScanW(c);
        bool shift = (vk >> 8) & 1;
        if (shift) qel::test::KeyDown(VK_SHIFT);
        qel::test::KeyDown(LOBYTE(vk));
        qel::test::KeyUp(LOBYTE(vk));
        if (shift) qel::test::KeyUp(VK_SHIFT);
    }
}

Picture SolidPicture(int w, int h, COLORREF colour) {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    {
        Selection selected(dc.get(), bitmap.get());
        RECT all{0, 0, w, h};
        UniqueBrush brush(CreateSolidBrush(colour));
        FillRect(dc.get(), &all, brush.get());
    }
    return PictureFromBitmap(std::move(bitmap));
}

Picture IconPicture() {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap colour(CreateCompatibleBitmap(screen.get(), 32, 32));
    UniqueBitmap mask(CreateBitmap(32, 32, 1, 1, nullptr));
    ICONINFO info{FALSE, 8, 8, mask.get(), colour.get()};
    return PictureFromIcon(UniqueIcon(CreateIconIndirect(&info)));
}

void WriteIcon(const std::string& path, COLORREF colour) {
    const BITMAPINFOHEADER header{sizeof header, 16, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD size = sizeof header + 16 * 16 * 4 + 16 * 4;
    const WORD directory[] = {0, 1, 1, 0x1010, 0, 1, 32, LOWORD(size), HIWORD(size), 22, 0};
    std::string bytes(reinterpret_cast<const char*>(directory), sizeof directory);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    const DWORD pixel = GetBValue(colour) | GetGValue(colour) << 8 | GetRValue(colour) << 16;
    for (int i = 0; i < 16 * 16; ++i)
        bytes.append(reinterpret_cast<const char*>(&pixel), 4);
    bytes.append(16 * 4, '\0'); // the mask: all shown
    std::ofstream(path, std::ios::binary) << bytes;
}

MessageBoxLog& MessageBoxes() {
    static MessageBoxLog log;
    return log;
}

namespace {

std::atomic<int> shownBoxes{0};

} // namespace

int MessageBoxesShown() {
    return shownBoxes;
}

namespace {

// Every forms test runs with message boxes answered from the log.
class MessageBoxEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        seam_ =
            std::make_unique<MsgBoxSeam>([](const std::string& prompt, UINT, const std::string&) {
                auto& log = MessageBoxes();
                log.prompts.push_back(prompt);
                ++shownBoxes;
                if (log.answers.empty()) return IDOK;
                int answer = log.answers.front();
                log.answers.pop_front();
                return answer;
            });
    }
    void TearDown() override { seam_.reset(); }

private:
    std::unique_ptr<MsgBoxSeam> seam_;
};

class ClearLog : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        MessageBoxes() = {};
        shownBoxes = 0;
    }
};

const bool registered = [] {
    ::testing::AddGlobalTestEnvironment(new MessageBoxEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ClearLog);
    return true;
}();

} // namespace

} // namespace qel::forms::test
