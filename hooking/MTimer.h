// The thread's table of running CTimer objects and the procedure that routes
// system timer ticks to them.
#pragma once
#include "hooking/CTimer.h"

namespace qel {

// Capacity of each thread's timer table.
inline constexpr int kTimerSlots = 100;

// Creates the system timer and enters the object in the first free slot: S_OK.
// S_FALSE, and the timer left stopped, when the system refuses the timer; error
// 13651 when the table is full, in which case the new system timer is killed
// again and the timer left stopped.
HRESULT TimerAdd(CTimer& timer);
// Kills the system timer of `timer` and frees its slot; false when it has none.
bool TimerRemove(CTimer& timer);
// Number of timers in this thread's table, and the slot (from 1) that holds
// `timer`, 0 when none does.
int RunningTimerCount();
int TimerSlot(const CTimer& timer);

void CALLBACK TimerProc(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

} // namespace qel
