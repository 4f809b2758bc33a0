#include "base/ComError.h"
#include "hooking/GSubclass.h"
#include "hooking/MSubclass.h"
#include "tests/hooking/Handlers.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace qel {
namespace {

using test::ProbeWindow;
using test::RecordingHandler;

UniqueWindow OwnWindow() {
    return ProbeWindow::Create();
}

constexpr UINT kMsgA = WM_USER + 1;
constexpr UINT kMsgB = WM_USER + 2;

BOOL CALLBACK CollectName(HWND, LPSTR name, HANDLE, ULONG_PTR out) {
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)))
        reinterpret_cast<std::set<std::string>*>(out)->insert(name);
    return TRUE;
}

// The framework's properties on a window (string names beginning with its handle or "C").
std::set<std::string> FrameworkProps(HWND hwnd) {
    std::set<std::string> names;
    EnumPropsExA(hwnd, CollectName, reinterpret_cast<LPARAM>(&names));
    std::string h = std::to_string(HandleToLong(hwnd));
    std::set<std::string> ours;
    for (auto& n : names)
        if (n == "C" + h || n == h || n.rfind(h + "#", 0) == 0) ours.insert(n);
    return ours;
}

bool IsSubclassed(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassWindowProc);
}

class Subclass : public ::testing::Test {
protected:
    void SetUp() override {
        ProbeWindow::Reset();
        ProbeWindow::log = &log;
        window = OwnWindow();
        hwnd = window.get();
    }
    void TearDown() override { ProbeWindow::Reset(); }
    ComPtr<RecordingHandler> Handler(const char* name, EMsgResponse r, LONG_PTR result = 0) {
        return RecordingHandler::Create(name, &log, r, result);
    }

    std::vector<std::string> log;
    UniqueWindow window;
    HWND hwnd = nullptr;
};

TEST_F(Subclass, LaterHandlersRunFirstAndTheFirstRegisteredDecides) {
    auto a = Handler("A", emrConsume, 11);
    auto b = Handler("B", emrPostProcess, 22); // not first: its response is never asked
    ASSERT_EQ(AttachMessageImpl(a->Itf(), hwnd, kMsgA), S_OK);
    ASSERT_EQ(AttachMessageImpl(b->Itf(), hwnd, kMsgA), S_OK);
    EXPECT_EQ(SendMessageA(hwnd, kMsgA, 0, 0), 11);
    EXPECT_EQ(log, (std::vector<std::string>{"B:1025", "A:1025"}));
    EXPECT_EQ(b->responseAsked, 0);
    EXPECT_EQ(a->responseAsked, 2); // before and after the handlers
    DetachMessageImpl(a->Itf(), hwnd, kMsgA);
    DetachMessageImpl(b->Itf(), hwnd, kMsgA);
}

TEST_F(Subclass, PreprocessingCallsThePreviousProcedureFirstAndDropsItsResult) {
    auto a = Handler("A", emrPreprocess, 11);
    auto b = Handler("B", emrConsume, 22);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    AttachMessageImpl(b->Itf(), hwnd, kMsgA);
    EXPECT_EQ(SendMessageA(hwnd, kMsgA, 0, 0), 11);
    // The previous procedure runs when the first-registered handler's turn comes.
    EXPECT_EQ(log, (std::vector<std::string>{"B:1025", "prev:1025", "A:1025"}));
    DetachMessageImpl(a->Itf(), hwnd, kMsgA);
    DetachMessageImpl(b->Itf(), hwnd, kMsgA);
}

TEST_F(Subclass, PostProcessingReturnsThePreviousProceduresResult) {
    auto a = Handler("A", emrPostProcess, 11);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    EXPECT_EQ(SendMessageA(hwnd, kMsgA, 0, 0), 99);
    EXPECT_EQ(log, (std::vector<std::string>{"A:1025", "prev:1025"}));
    log.clear();
    // Messages without a handler go straight to the previous procedure.
    EXPECT_EQ(SendMessageA(hwnd, kMsgB, 0, 0), 99);
    EXPECT_EQ(log, (std::vector<std::string>{"prev:1026"}));
    DetachMessageImpl(a->Itf(), hwnd, kMsgA);
}

TEST_F(Subclass, CurrentMessageIsTheMessageBeingHandled) {
    auto a = Handler("A", emrConsume);
    UINT seen = 0;
    a->action = [&](UINT, WPARAM, LPARAM) { seen = CurrentMessage(); };
    AttachMessageImpl(a->Itf(), hwnd, kMsgB);
    SendMessageA(hwnd, kMsgB, 0, 0);
    EXPECT_EQ(seen, kMsgB);
    auto global = GSubclass::Create();
    LONG current = 0;
    global->get_CurrentMessage(&current);
    EXPECT_EQ(current, static_cast<LONG>(kMsgB)); // kept after the dispatch ends
    DetachMessageImpl(a->Itf(), hwnd, kMsgB);
}

TEST_F(Subclass, TheSameObjectTwiceForOnePairRaises13082) {
    auto a = Handler("A", emrConsume);
    ASSERT_EQ(AttachMessageImpl(a->Itf(), hwnd, kMsgA), S_OK);
    HRESULT hr = AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    EXPECT_EQ(static_cast<unsigned long>(hr), 0x8004331Aul);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    BSTR source = nullptr, text = nullptr;
    info->GetSource(&source);
    info->GetDescription(&text);
    EXPECT_EQ(std::wstring(source), L"Qel_SkinControl.WindowProc");
    EXPECT_EQ(std::wstring(text), L"Message already handled by another class");
    SysFreeString(source);
    SysFreeString(text);
    // A different object for the same pair is fine.
    auto b = Handler("B", emrConsume);
    EXPECT_EQ(AttachMessageImpl(b->Itf(), hwnd, kMsgA), S_OK);
    EXPECT_EQ(GetPropA(hwnd, ("C" + std::to_string(HandleToLong(hwnd))).c_str()),
              reinterpret_cast<HANDLE>(2));
    DetachMessageImpl(a->Itf(), hwnd, kMsgA);
    DetachMessageImpl(b->Itf(), hwnd, kMsgA);
}

TEST_F(Subclass, InvalidAndForeignWindowsAreRefusedAndLeftAlone) {
    auto a = Handler("A", emrConsume);
    EXPECT_EQ(static_cast<unsigned long>(AttachMessageImpl(a->Itf(), nullptr, kMsgA)),
              0x8004331Bul);
    EXPECT_EQ(static_cast<unsigned long>(
                  AttachMessageImpl(a->Itf(), reinterpret_cast<HWND>(0x7777770), kMsgA)),
              0x8004331Bul);
    // The desktop window belongs to another process.
    HWND foreign = GetDesktopWindow();
    EXPECT_EQ(static_cast<unsigned long>(AttachMessageImpl(a->Itf(), foreign, kMsgA)),
              0x8004331Cul);
    EXPECT_TRUE(FrameworkProps(foreign).empty());
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    BSTR text = nullptr;
    info->GetDescription(&text);
    EXPECT_EQ(std::wstring(text), L"Can't modify external window");
    SysFreeString(text);
}

// The thread's error information: number (from the HRESULT), source and text.
std::wstring ErrorText(HRESULT hr) {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK) return L"no error information";
    BSTR source = nullptr, text = nullptr;
    info->GetSource(&source);
    info->GetDescription(&text);
    std::wstring r = std::to_wstring(HRESULT_CODE(hr)) + L" " + (source ? source : L"") + L": " +
                     (text ? text : L"");
    SysFreeString(source);
    SysFreeString(text);
    return r;
}

// Error 5 as a client of GSubclass sees it.
TEST_F(Subclass, ErrorsReachTheClientWithNumberSourceAndText) {
    auto subclass = GSubclass::Create();
    HRESULT hr = subclass->AttachMessage(nullptr, HandleToLong(hwnd), kMsgA);
    EXPECT_EQ(static_cast<unsigned long>(hr), 0x800A0005ul);
    EXPECT_EQ(ErrorText(hr), L"5 : Invalid procedure call or argument");
    EXPECT_TRUE(FrameworkProps(hwnd).empty());
}

TEST_F(Subclass, TheProcedureComesBackOnlyWithTheLastRegistration) {
    WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    auto a = Handler("A", emrConsume);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    AttachMessageImpl(a->Itf(), hwnd, kMsgB);
    EXPECT_TRUE(IsSubclassed(hwnd));
    EXPECT_EQ(FrameworkProps(hwnd).size(), 6u); // C<H>, <H>, and count and entry per message
    DetachMessageImpl(a->Itf(), hwnd, kMsgA);
    EXPECT_TRUE(IsSubclassed(hwnd));
    DetachMessageImpl(a->Itf(), hwnd, kMsgB);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), own);
    EXPECT_TRUE(FrameworkProps(hwnd).empty());
    EXPECT_EQ(CallOldWindowProcImpl(hwnd, kMsgA, 0, 0), 0); // not subclassed: nothing called
    EXPECT_TRUE(log.empty());
}

TEST_F(Subclass, DetachingWhatIsNotRegisteredDoesNothing) {
    auto a = Handler("A", emrConsume);
    auto b = Handler("B", emrConsume);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    DetachMessageImpl(b->Itf(), hwnd, kMsgA);
    DetachMessageImpl(a->Itf(), hwnd, kMsgB);
    DetachMessageImpl(a->Itf(), nullptr, kMsgA);
    EXPECT_TRUE(IsSubclassed(hwnd));
    SendMessageA(hwnd, kMsgA, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A:1025"}));
    window.reset();
    DetachMessageImpl(a->Itf(), hwnd, kMsgA); // a destroyed window
}

TEST_F(Subclass, DestroyGivesThePreviousProcedureBackBeforeItRuns) {
    auto a = Handler("A", emrConsume);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    bool restoredAtDestroy = false;
    size_t propsAtNcDestroy = 99;
    ProbeWindow::action = [&](HWND h, UINT msg, WPARAM, LPARAM) {
        if (msg == WM_DESTROY) restoredAtDestroy = !IsSubclassed(h);
        if (msg == WM_NCDESTROY) propsAtNcDestroy = FrameworkProps(h).size();
    };
    window.reset();
    EXPECT_TRUE(restoredAtDestroy);
    EXPECT_EQ(propsAtNcDestroy, 0u);
}

TEST_F(Subclass, HandlersThatOutliveTheirWindowLeaveNothingOnIt) {
    // A handler of WM_DESTROY that does not detach: the framework still clears
    // the window by the time it is gone.
    auto a = Handler("A", emrPostProcess);
    AttachMessageImpl(a->Itf(), hwnd, WM_DESTROY);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    size_t propsAfterNcDestroy = 99;
    bool ownProcSawNcDestroy = false;
    ProbeWindow::action = [&](HWND h, UINT msg, WPARAM, LPARAM) {
        if (msg == WM_NCDESTROY) {
            ownProcSawNcDestroy = true;
            propsAfterNcDestroy = FrameworkProps(h).size();
        }
    };
    window.reset();
    EXPECT_TRUE(ownProcSawNcDestroy);
    EXPECT_EQ(propsAfterNcDestroy, 0u);
    EXPECT_EQ(log.front(), "A:2");
}

TEST_F(Subclass, HandlersMayDetachThemselvesAndOthersDuringDispatch) {
    auto a = Handler("A", emrConsume, 11);
    auto b = Handler("B", emrConsume, 22);
    auto c = Handler("C", emrConsume, 33);
    AttachMessageImpl(a->Itf(), hwnd, kMsgA);
    AttachMessageImpl(b->Itf(), hwnd, kMsgA);
    AttachMessageImpl(c->Itf(), hwnd, kMsgA);
    // C runs first: it detaches itself and B, and lets go of its last reference.
    RecordingHandler* raw = c.get();
    raw->action = [&](UINT, WPARAM, LPARAM) {
        DetachMessageImpl(raw->Itf(), hwnd, kMsgA);
        DetachMessageImpl(b->Itf(), hwnd, kMsgA);
        c.reset();
    };
    EXPECT_EQ(SendMessageA(hwnd, kMsgA, 0, 0), 11);
    EXPECT_EQ(log, (std::vector<std::string>{"C:1025", "A:1025"}));
    log.clear();
    SendMessageA(hwnd, kMsgA, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A:1025"}));
    DetachMessageImpl(a->Itf(), hwnd, kMsgA);
    EXPECT_FALSE(IsSubclassed(hwnd));
}

TEST_F(Subclass, TheGlobalObjectForwardsToTheFramework) {
    auto global = GSubclass::Create();
    auto a = Handler("A", emrConsume, 5);
    const LONG h = HandleToLong(hwnd);
    ASSERT_EQ(global->AttachMessage(a->Itf(), h, kMsgA), S_OK);
    EXPECT_EQ(SendMessageA(hwnd, kMsgA, 0, 0), 5);
    LONG_PTR r = 0;
    global->CallOldWindowProc(h, kMsgA, 0, 0, &r);
    EXPECT_EQ(r, 99);
    EXPECT_EQ(static_cast<unsigned long>(global->AttachMessage(a->Itf(), h, kMsgA)), 0x8004331Aul);
    global->DetachMessage(a->Itf(), h, kMsgA);
    EXPECT_FALSE(IsSubclassed(hwnd));
}

TEST(SubclassInterface, TheInterfacesOwnObjectConsumesAndAnswersZero) {
    auto obj = ISubclassObject::Create();
    EMsgResponse r = emrPreprocess;
    obj->get_MsgResponse(&r);
    EXPECT_EQ(r, emrConsume);
    obj->put_MsgResponse(emrPostProcess);
    obj->get_MsgResponse(&r);
    EXPECT_EQ(r, emrConsume);
    LONG_PTR result = 7;
    obj->WindowProc(1, 2, 3, 4, &result);
    EXPECT_EQ(result, 0);
}

// Random attach, detach, dispatch and destroy sequences against a model of the
// registrations: after every step the window's properties, procedure and the
// handlers that run must agree with the model.
TEST(SubclassModel, RandomSequencesAgreeWithTheModel) {
    std::mt19937 rng(20261208);
    std::vector<std::string> log;
    ProbeWindow::Reset();
    ProbeWindow::log = &log;
    std::vector<ComPtr<RecordingHandler>> handlers;
    for (int i = 0; i < 4; ++i)
        handlers.push_back(RecordingHandler::Create(std::to_string(i), &log, emrConsume, i));
    const UINT messages[] = {WM_USER + 10, WM_USER + 11, WM_USER + 12};

    for (int round = 0; round < 20; ++round) {
        UniqueWindow window = OwnWindow();
        HWND hwnd = window.get();
        std::map<UINT, std::vector<int>> model; // message -> handlers in registration order
        for (int step = 0; step < 200; ++step) {
            int h = static_cast<int>(rng() % handlers.size());
            UINT msg = messages[rng() % 3];
            auto& list = model[msg];
            bool registered = std::find(list.begin(), list.end(), h) != list.end();
            switch (rng() % 3) {
            case 0: {
                HRESULT hr = AttachMessageImpl(handlers[h]->Itf(), hwnd, msg);
                ASSERT_EQ(hr, registered ? ErrorHResult(13082) : S_OK);
                if (!registered) list.push_back(h);
                break;
            }
            case 1:
                DetachMessageImpl(handlers[h]->Itf(), hwnd, msg);
                if (registered) list.erase(std::find(list.begin(), list.end(), h));
                break;
            default: {
                log.clear();
                LRESULT r = SendMessageA(hwnd, msg, 0, 0);
                std::vector<std::string> expected;
                if (list.empty()) expected.push_back("prev:" + std::to_string(msg));
                for (auto it = list.rbegin(); it != list.rend(); ++it)
                    expected.push_back(std::to_string(*it) + ":" + std::to_string(msg));
                ASSERT_EQ(log, expected);
                ASSERT_EQ(r, list.empty() ? 99 : list.front());
                break;
            }
            }
            size_t total = 0, props = 0;
            for (auto& [m, l] : model) {
                total += l.size();
                props += l.empty() ? 0 : l.size() + 1;
            }
            ASSERT_EQ(IsSubclassed(hwnd), total > 0);
            ASSERT_EQ(FrameworkProps(hwnd).size(), total > 0 ? props + 2 : 0);
        }
        window.reset(); // destroy with whatever is still registered
        for (auto& handler : handlers)
            for (UINT msg : messages)
                DetachMessageImpl(handler->Itf(), hwnd, msg);
    }
    ProbeWindow::Reset();
}

} // namespace
} // namespace qel
