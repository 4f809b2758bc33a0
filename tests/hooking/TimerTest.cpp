#include "hooking/MTimer.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <thread>

namespace qel {
namespace {

using test::PumpUntil;

struct Ticks {
    explicit Ticks(CTimer* timer)
        : connection(timer->Unknown(), DIID___CTimer, [this](DISPID id, DISPPARAMS&) {
              if (id == kThatTime) ++count;
              if (onTick) onTick();
          }) {}
    int count = 0;
    std::function<void()> onTick;
    EventConnection connection;
};

class Timers : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(RunningTimerCount(), 0); }
};

TEST_F(Timers, ATimerTicksIntoItsObjectUntilStopped) {
    auto timer = CTimer::Create();
    Ticks ticks(timer.get());
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    EXPECT_NE(timer->TimerID(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return ticks.count >= 3; }));
    timer->put_Interval(0);
    EXPECT_EQ(timer->TimerID(), 0u);
    LONG interval = -1;
    timer->get_Interval(&interval);
    EXPECT_EQ(interval, 0);
    int stoppedAt = ticks.count;
    test::PumpFor(60); // nothing to wait for: a 10 ms timer left running would tick meanwhile
    EXPECT_EQ(ticks.count, stoppedAt);
}

TEST_F(Timers, TheSameIntervalLeavesTheRunningTimerAlone) {
    auto timer = CTimer::Create();
    timer->put_Interval(500);
    UINT_PTR id = timer->TimerID();
    timer->put_Interval(500);
    EXPECT_EQ(timer->TimerID(), id);
    timer->put_Interval(400); // a new interval makes a new system timer
    EXPECT_NE(timer->TimerID(), 0u);
    EXPECT_EQ(RunningTimerCount(), 1);
    timer->put_Interval(-5);
    EXPECT_EQ(RunningTimerCount(), 0);
    timer->put_Interval(0); // stopping a stopped timer does nothing
    EXPECT_EQ(RunningTimerCount(), 0);
}

TEST_F(Timers, ARunningTimerLivesOnWithoutItsOwnerUntilItStopsItself) {
    int ticks = 0;
    CTimer* raw = nullptr;
    EventConnection connection;
    {
        auto timer = CTimer::Create();
        raw = timer.get();
        connection = EventConnection(timer->Unknown(), DIID___CTimer, [&](DISPID, DISPPARAMS&) {
            if (++ticks == 2) raw->put_Interval(0); // the table held the last reference
        });
        timer->put_Interval(10);
    }
    EXPECT_EQ(RunningTimerCount(), 1);
    EXPECT_TRUE(PumpUntil([&] { return RunningTimerCount() == 0; }));
    EXPECT_EQ(ticks, 2);
}

TEST_F(Timers, FreedSlotsAreReusedFromTheLowest) {
    auto first = CTimer::Create();
    auto second = CTimer::Create();
    auto third = CTimer::Create();
    first->put_Interval(1000);
    second->put_Interval(1000);
    EXPECT_EQ(TimerSlot(*first), 1);
    EXPECT_EQ(TimerSlot(*second), 2);
    first->put_Interval(0);
    EXPECT_EQ(TimerSlot(*first), 0);
    third->put_Interval(1000);
    EXPECT_EQ(TimerSlot(*third), 1);
    EXPECT_EQ(RunningTimerCount(), 2);
    third->put_Interval(0);
    second->put_Interval(0);
}

TEST_F(Timers, ATickForAnIdNotInTheTableIsIgnored) {
    auto timer = CTimer::Create();
    Ticks ticks(timer.get());
    timer->put_Interval(1000);
    TimerProc(nullptr, WM_TIMER, timer->TimerID() + 12345, 0);
    EXPECT_EQ(ticks.count, 0);
    TimerProc(nullptr, WM_TIMER, timer->TimerID(), 0);
    EXPECT_EQ(ticks.count, 1);
    timer->put_Interval(0);
}

TEST_F(Timers, AFullTableRaises13651AndKillsTheTimerItMade) {
    std::vector<ComPtr<CTimer>> timers;
    for (int i = 0; i < kTimerSlots; ++i) {
        timers.push_back(CTimer::Create());
        ASSERT_EQ(timers.back()->put_Interval(60000), S_OK);
    }
    auto extra = CTimer::Create();
    HRESULT hr = extra->put_Interval(10);
    EXPECT_EQ(static_cast<unsigned long>(hr), 0x80043553ul);
    // Its system timer is gone: no tick of the thread's arrives (the others wait a minute).
    int stray = 0;
    for (const DWORD end = GetTickCount() + 150; GetTickCount() < end; Sleep(5)) {
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
            ++stray;
    }
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(extra->TimerID(), 0u);
    LONG interval = -1;
    extra->get_Interval(&interval);
    EXPECT_EQ(interval, 0);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    BSTR text = nullptr;
    info->GetDescription(&text);
    EXPECT_EQ(std::wstring(text), L"No more than 100 timers allowed per thread");
    SysFreeString(text);
    for (auto& t : timers)
        t->put_Interval(0);
}

// A thread that ends with a timer running kills it and lets its object go.
TEST_F(Timers, AThreadEndingWithATimerRunningStopsItAndReleasesIt) {
    auto timer = CTimer::Create();
    auto references = [&] {
        timer->AddRef();
        return timer->Release();
    };
    const ULONG before = references();
    UINT_PTR id = 0;
    std::thread([&] {
        timer->put_Interval(10);
        id = timer->TimerID();
    }).join();
    EXPECT_NE(id, 0u);
    EXPECT_EQ(timer->TimerID(), 0u);
    EXPECT_EQ(references(), before);
}

TEST_F(Timers, ItemHoldsAnyValue) {
    auto timer = CTimer::Create();
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(L"payload");
    timer->put_Item(v);
    VariantClear(&v);
    VARIANT out;
    timer->get_Item(&out);
    ASSERT_EQ(V_VT(&out), VT_BSTR);
    EXPECT_EQ(std::wstring(V_BSTR(&out)), L"payload");
    VariantClear(&out);
}

TEST_F(Timers, ReleasingAStoppedTimerLeavesNothingBehind) {
    {
        auto timer = CTimer::Create();
        timer->put_Interval(10);
        timer->put_Interval(0);
    }
    EXPECT_EQ(RunningTimerCount(), 0);
}

} // namespace
} // namespace qel
