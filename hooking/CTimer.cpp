#include "hooking/CTimer.h"
#include "base/ComError.h"
#include "base/ComGuard.h"
#include "hooking/MTimer.h"

#include <string>

namespace qel {

CTimer::CTimer() = default;

CTimer::~CTimer() {
    put_Interval(0);
}

STDMETHODIMP CTimer::get_Item(VARIANT* ret) {
    if (!ret) return E_POINTER;
    VariantInit(ret);
    return VariantCopy(ret, item_.ptr());
}

STDMETHODIMP CTimer::put_Item(VARIANT value) {
    return VariantCopy(item_.ptr(), &value);
}

STDMETHODIMP CTimer::putref_Item(VARIANT value) {
    return VariantCopy(item_.ptr(), &value);
}

STDMETHODIMP CTimer::get_Interval(LONG* ret) {
    if (!ret) return E_POINTER;
    *ret = interval_;
    return S_OK;
}

STDMETHODIMP CTimer::put_Interval(LONG iIntervalA) {
    return ComGuard([&] {
        ComPtr<CTimer> self(this); // freeing the slot may drop the last other reference
        if (iIntervalA < 1) {
            if (interval_ > 0) {
                interval_ = 0;
                TimerRemove(*this);
            }
            return S_OK;
        }
        if (iIntervalA == interval_) return S_OK;
        if (interval_ != 0) TimerRemove(*this);
        interval_ = iIntervalA;
        HRESULT hr = TimerAdd(*this);
        return hr == S_FALSE ? RaiseTimerError(eeCantCreateTimer) : hr;
    });
}

STDMETHODIMP CTimer::PulseTimer() {
    return ComGuard([&] {
        events_.Fire(kThatTime);
        return S_OK;
    });
}

HRESULT CTimer::RaiseTimerError(long number) {
    if (number <= 1000) return RaiseInvalidCall();
    std::wstring text;
    if (number == eeTooManyTimers)
        text = L"No more than " + std::to_wstring(kTimerSlots) + L" timers allowed per thread";
    if (number == eeCantCreateTimer) text = L"Can't create system timer";
    std::wstring source = std::wstring(kLibraryName) + L".WindowProc";
    return RaiseError(number, source.c_str(), text.c_str());
}

} // namespace qel
