// A Windows timer as an object: setting Interval starts a system timer without
// a window, and every tick raises ThatTime. MTimer keeps the thread's table of
// running timers, which holds counted references: a running timer stays alive
// after its owner lets it go, until Interval is set to 0.
#pragma once
#include "base/Events.h"
#include "base/Handle.h"
#include "typelib/QelTypeLib.h"
#include "base/Variant.h"

namespace qel {

class CTimer final : public ComObject<CTimer, _CTimer, IConnectionPointContainer> {
public:
    CTimer();
    ~CTimer() override;

    STDMETHODIMP get_Item(VARIANT* ret) override;
    STDMETHODIMP put_Item(VARIANT value) override;
    STDMETHODIMP putref_Item(VARIANT value) override;
    STDMETHODIMP get_Interval(LONG* ret) override;
    STDMETHODIMP put_Interval(LONG iIntervalA) override;
    STDMETHODIMP PulseTimer() override;

    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
        return events_.Find(iid, cp);
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
        return events_.Enum(e);
    }

    // For the timer table: the system timer (0: none), started at Interval
    // with the table's procedure, and stopped.
    UINT_PTR TimerID() const { return timer_.id(); }
    void StartSystemTimer(TIMERPROC proc) {
        timer_ = SystemTimer::ForThread(static_cast<UINT>(interval_), proc);
    }
    void StopSystemTimer() { timer_.reset(); }
    LONG Interval() const { return interval_; }
    HRESULT RaiseTimerError(long number);

private:
    Variant item_;
    LONG interval_ = 0;
    SystemTimer timer_;
    EventSource events_{this, DIID___CTimer};
};

// The dispatch identifier of ThatTime in the timer's event interface.
inline constexpr DISPID kThatTime = DISPID_CTIMER_THATTIME;

} // namespace qel
