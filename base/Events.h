// Events through connection points. An object raises events of one outgoing
// dispinterface through its EventSource; its clients advise IDispatch sinks. An
// owner inside the library receives them through an EventConnection, which
// advises a sink that hands each event to a callback.
#pragma once
#include "base/ComObject.h"

#include <ocidl.h>
#include <olectl.h>
#include <functional>
#include <initializer_list>
#include <vector>

namespace qel {

class ConnectionPoint;

// An object's outgoing interface. The owning object answers
// IConnectionPointContainer by forwarding to Find and Enum. A source of
// IPropertyNotifySink tells its sinks with NotifyChanged; any other is a
// dispinterface and fires events.
class EventSource {
public:
    EventSource(IConnectionPointContainer* owner, const IID& iid);
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    HRESULT Find(REFIID iid, IConnectionPoint** cp);
    HRESULT Enum(IEnumConnectionPoints** e);

    // Calls every advised sink with the arguments in their declared order
    // (by-reference arguments are VT_BYREF variants; sinks may change them).
    void Fire(DISPID id, std::initializer_list<VARIANTARG> args = {});
    // IPropertyNotifySink::OnChanged on every advised sink.
    void NotifyChanged(DISPID id);

private:
    friend HRESULT EnumPoints(std::initializer_list<const EventSource*>, IEnumConnectionPoints**);
    ComPtr<ConnectionPoint> point_;
};

// IConnectionPointContainer::EnumConnectionPoints of an object with these sources.
HRESULT EnumPoints(std::initializer_list<const EventSource*> sources, IEnumConnectionPoints** e);

// Receives a source's events and passes each to a callback.
class EventSink final : public ComObject<EventSink, IDispatch> {
public:
    using Handler = std::function<void(DISPID, DISPPARAMS&)>;
    EventSink(const IID& iid, Handler handler) : iid_(iid), handler_(std::move(handler)) {}

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;
    // Stops calling the handler (its owner is going away).
    void Disconnect() { handler_ = nullptr; }

private:
    void* FindOther(REFIID iid) override {
        return iid == iid_ ? static_cast<IDispatch*>(this) : nullptr;
    }
    IID iid_;
    Handler handler_;
};

// An advised sink on one source, unadvised when the connection goes.
class EventConnection {
public:
    EventConnection() = default;
    EventConnection(IUnknown* source, const IID& iid, EventSink::Handler handler);
    EventConnection(EventConnection&& o) noexcept;
    EventConnection& operator=(EventConnection&& o) noexcept;
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    ~EventConnection() { reset(); }

    explicit operator bool() const { return cookie_ != 0; }
    void reset();

private:
    ComPtr<IConnectionPoint> point_;
    ComPtr<EventSink> sink_;
    DWORD cookie_ = 0;
};

// Reads the by-reference Boolean argument `index` (declared order) of an event.
VARIANT_BOOL* ByRefBoolArg(DISPPARAMS& params, UINT index);

} // namespace qel
