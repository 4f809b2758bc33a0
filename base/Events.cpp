#include "base/Events.h"
#include "base/ComGuard.h"

#include <algorithm>
#include <utility>

namespace qel {
namespace {

// Hands out a new reference of an enumerated item.
IConnectionPoint* Out(const ComPtr<IConnectionPoint>& point) {
    if (point) point->AddRef();
    return point.get();
}
CONNECTDATA Out(const std::pair<DWORD, ComPtr<IUnknown>>& sink) {
    if (sink.second) sink.second->AddRef();
    return {sink.second.get(), sink.first};
}

// An enumerator over a copy of a list taken when it was made.
template <class Itf, class Item, class Held>
class Enumerator final : public ComObject<Enumerator<Itf, Item, Held>, Itf> {
public:
    Enumerator(std::vector<Held> items, size_t next = 0) : items_(std::move(items)), next_(next) {}

    STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && next_ < items_.size(); ++n)
            out[n] = Out(items_[next_++]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const size_t left = items_.size() - next_;
        next_ += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Itf** out) override {
        if (!out) return E_POINTER;
        return ComGuard([&] {
            *out = Enumerator::Create(items_, next_).detach();
            return S_OK;
        });
    }

private:
    std::vector<Held> items_;
    size_t next_;
};

using PointEnumerator =
    Enumerator<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>;
using SinkEnumerator =
    Enumerator<IEnumConnections, CONNECTDATA, std::pair<DWORD, ComPtr<IUnknown>>>;

} // namespace

class ConnectionPoint final : public ComObject<ConnectionPoint, IConnectionPoint> {
public:
    ConnectionPoint(IConnectionPointContainer* owner, const IID& iid) : owner_(owner), iid_(iid) {}

    STDMETHODIMP GetConnectionInterface(IID* iid) override {
        if (!iid) return E_POINTER;
        *iid = iid_;
        return S_OK;
    }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** c) override {
        if (!c) return E_POINTER;
        *c = owner_;
        if (!owner_) return E_UNEXPECTED;
        owner_->AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
        if (!sink || !cookie) return E_POINTER;
        *cookie = 0;
        // The sink's pointer for the point's interface, kept as IUnknown.
        ComPtr<IUnknown> s;
        if (FAILED(sink->QueryInterface(iid_, s.put_void()))) return CONNECT_E_CANNOTCONNECT;
        *cookie = ++lastCookie_;
        sinks_.emplace_back(*cookie, std::move(s));
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override {
        auto it = std::find_if(sinks_.begin(), sinks_.end(),
                               [cookie](const auto& s) { return s.first == cookie; });
        if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
        ComPtr<IUnknown> released = std::move(it->second); // released after the erase
        sinks_.erase(it);
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections** e) override {
        if (!e) return E_POINTER;
        *e = nullptr;
        return ComGuard([&] {
            *e = SinkEnumerator::Create(sinks_).detach();
            return S_OK;
        });
    }

    void OwnerGone() { owner_ = nullptr; }
    const IID& iid() const { return iid_; }

    // The advised sinks now, each the pointer of the point's interface; sinks
    // may unadvise (or advise others) while one of them is called.
    std::vector<ComPtr<IUnknown>> Sinks() const {
        std::vector<ComPtr<IUnknown>> targets;
        for (auto& s : sinks_)
            targets.push_back(s.second);
        return targets;
    }

private:
    IConnectionPointContainer* owner_; // not counted: the owner outlives its point's use
    IID iid_;
    DWORD lastCookie_ = 0;
    std::vector<std::pair<DWORD, ComPtr<IUnknown>>> sinks_;
};

EventSource::EventSource(IConnectionPointContainer* owner, const IID& iid)
    : point_(ConnectionPoint::Create(owner, iid)) {}

EventSource::~EventSource() {
    point_->OwnerGone();
}

HRESULT EventSource::Find(REFIID iid, IConnectionPoint** cp) {
    if (!cp) return E_POINTER;
    *cp = nullptr;
    if (iid != point_->iid()) return CONNECT_E_NOCONNECTION;
    return CopyTo(ComPtr<IConnectionPoint>(point_.get()), cp);
}

HRESULT EventSource::Enum(IEnumConnectionPoints** e) {
    return EnumPoints({this}, e);
}

HRESULT EnumPoints(std::initializer_list<const EventSource*> sources, IEnumConnectionPoints** e) {
    if (!e) return E_POINTER;
    *e = nullptr;
    return ComGuard([&] {
        std::vector<ComPtr<IConnectionPoint>> points;
        for (const EventSource* source : sources)
            points.emplace_back(source->point_.get());
        *e = PointEnumerator::Create(std::move(points)).detach();
        return S_OK;
    });
}

void EventSource::Fire(DISPID id, std::initializer_list<VARIANTARG> args) {
    ComPtr<ConnectionPoint> keep = point_;
    auto sinks = keep->Sinks();
    if (sinks.empty()) return;
    // DISPPARAMS lists arguments last to first.
    std::vector<VARIANTARG> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    for (auto& sink : sinks)
        static_cast<IDispatch*>(sink.get())
            ->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                     nullptr);
}

void EventSource::NotifyChanged(DISPID id) {
    ComPtr<ConnectionPoint> keep = point_;
    for (auto& sink : keep->Sinks())
        static_cast<IPropertyNotifySink*>(sink.get())->OnChanged(id);
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                               EXCEPINFO*, UINT*) {
    if (!handler_ || !params) return S_OK;
    Handler handler = handler_; // the handler may disconnect this sink
    try {
        handler(id, *params);
    } catch (...) {
        return E_FAIL;
    }
    return S_OK;
}

EventConnection::EventConnection(IUnknown* source, const IID& iid, EventSink::Handler handler) {
    if (!source) return;
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, container.put_void()))) return;
    if (FAILED(container->FindConnectionPoint(iid, point_.put()))) return;
    sink_ = EventSink::Create(iid, std::move(handler));
    if (FAILED(point_->Advise(sink_->Unknown(), &cookie_))) {
        cookie_ = 0;
        point_.reset();
        sink_.reset();
    }
}

EventConnection::EventConnection(EventConnection&& o) noexcept
    : point_(std::move(o.point_)), sink_(std::move(o.sink_)), cookie_(std::exchange(o.cookie_, 0)) {
}

EventConnection& EventConnection::operator=(EventConnection&& o) noexcept {
    if (this != &o) {
        reset();
        point_ = std::move(o.point_);
        sink_ = std::move(o.sink_);
        cookie_ = std::exchange(o.cookie_, 0);
    }
    return *this;
}

void EventConnection::reset() {
    if (sink_) sink_->Disconnect();
    if (point_ && cookie_) point_->Unadvise(cookie_);
    cookie_ = 0;
    point_.reset();
    sink_.reset();
}

VARIANT_BOOL* ByRefBoolArg(DISPPARAMS& params, UINT index) {
    if (index >= params.cArgs) return nullptr;
    VARIANTARG& v = params.rgvarg[params.cArgs - 1 - index];
    return V_VT(&v) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(&v) : nullptr;
}

} // namespace qel
