// An owned BSTR: freed when it goes.
#pragma once
#include <oleauto.h>
#include <string>
#include <utility>

namespace qel {

class Bstr {
public:
    Bstr() = default;
    // Takes over `owned`.
    explicit Bstr(BSTR owned) : s_(owned) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
    ~Bstr() { SysFreeString(s_); }

    BSTR get() const { return s_; }
    // For out-parameters: frees the value and exposes the slot.
    BSTR* put() {
        SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }
    std::wstring str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

} // namespace qel
