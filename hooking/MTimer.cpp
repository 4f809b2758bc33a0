#include "hooking/MTimer.h"

#include <array>

namespace qel {
namespace {

struct TimerTable {
    std::array<ComPtr<CTimer>, kTimerSlots> slots; // slot i + 1 of the table
    int highWater = 0; // highest slot number ever filled; searches stop there

    // A thread that ends with timers running kills them before letting them go.
    ~TimerTable() {
        for (auto& slot : slots) {
            if (!slot) continue;
            slot->StopSystemTimer();
            ComPtr<CTimer> released = std::move(slot);
        }
    }
};

thread_local TimerTable t_table;

} // namespace

HRESULT TimerAdd(CTimer& timer) {
    timer.StartSystemTimer(TimerProc);
    if (timer.TimerID() == 0) {
        timer.put_Interval(0);
        return S_FALSE;
    }
    for (int i = 0; i < kTimerSlots; ++i) {
        if (t_table.slots[i]) continue;
        t_table.slots[i] = ComPtr<CTimer>(&timer);
        if (i + 1 > t_table.highWater) t_table.highWater = i + 1;
        return S_OK;
    }
    // No free slot: an untracked timer would tick into nothing, so it goes.
    timer.StopSystemTimer();
    timer.put_Interval(0);
    return timer.RaiseTimerError(eeTooManyTimers);
}

bool TimerRemove(CTimer& timer) {
    for (int i = 0; i < t_table.highWater; ++i) {
        ComPtr<CTimer>& slot = t_table.slots[i];
        if (!slot || slot->TimerID() != timer.TimerID()) continue;
        slot->StopSystemTimer();
        ComPtr<CTimer> released = std::move(slot);
        return true;
    }
    return false;
}

int RunningTimerCount() {
    int n = 0;
    for (auto& slot : t_table.slots)
        n += slot ? 1 : 0;
    return n;
}

int TimerSlot(const CTimer& timer) {
    for (int i = 0; i < t_table.highWater; ++i)
        if (t_table.slots[i].get() == &timer) return i + 1;
    return 0;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD) {
    try {
        int count = t_table.highWater;
        for (int i = 0; i < count; ++i) {
            ComPtr<CTimer> timer = t_table.slots[i];
            if (timer && timer->TimerID() == idEvent) {
                timer->PulseTimer();
                return;
            }
        }
    } catch (...) {
    }
}

} // namespace qel
