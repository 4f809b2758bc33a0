#include "forms/ControlsCollection.h"
#include "base/ComObject.h"
#include "base/Variant.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/RuntimeError.h"

#include <vector>

namespace qel::forms {
namespace {

// Enumerates a snapshot of the collection's objects.
class Enumerator final : public ComObject<Enumerator, IEnumVARIANT> {
public:
    Enumerator(std::vector<Variant> items, size_t next) : items_(std::move(items)), next_(next) {}

    STDMETHODIMP Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        for (; n < count && next_ < items_.size(); ++n, ++next_) {
            VariantInit(&out[n]);
            VariantCopy(&out[n], items_[next_].ptr());
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        next_ += count;
        if (next_ <= items_.size()) return S_OK;
        next_ = items_.size();
        return S_FALSE;
    }
    STDMETHODIMP Reset() override {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumVARIANT** out) override {
        if (!out) return E_POINTER;
        *out = Create(items_, next_).detach();
        return S_OK;
    }

private:
    std::vector<Variant> items_;
    size_t next_;
};

} // namespace

HRESULT ControlsCollection::Invoke(DispatchCall& call) {
    const auto& controls = form_.Controls();
    switch (call.Id()) {
    case DISPID_FORMS_COUNT:
        return call.ReadOnly<long>([&] { return static_cast<long>(controls.size()); });
    case DISPID_FORMS_ITEM:
        return call.ReadOnly<ComPtr<IDispatch>>([&] {
            Control* found = nullptr;
            if (call.ArgType(0) == VT_BSTR) {
                found = form_.FindControl(call.Arg<std::string>(0));
            } else if (long i = call.Arg<long>(0); i >= 0 && size_t(i) < controls.size()) {
                found = controls[i].get();
            }
            if (!found)
                throw RuntimeError(kInvalidArrayIndex, "Control array element does not exist");
            return ComPtr<IDispatch>(found->Object());
        });
    case DISPID_FORMS_NEWENUM:
        return call.ReadOnly<ComPtr<IUnknown>>([&] {
            std::vector<Variant> items;
            for (const auto& c : controls)
                items.emplace_back(c->Object());
            return ComPtr<IUnknown>(Enumerator::Create(std::move(items), 0)->Unknown());
        });
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace qel::forms
