// A counted COM reference: the one owner of an interface pointer.
#pragma once
#include <unknwn.h>
#include <functional>
#include <utility>

namespace qel {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to p.
    ComPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U> ComPtr(const ComPtr<U>& o) : ComPtr(static_cast<T*>(o.get())) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Adopts a pointer whose reference the caller already owns.
    static ComPtr Adopt(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For out-parameters: releases the current object and exposes the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    // Hands the reference to the caller (for out-parameters of COM methods).
    T* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

    template <class U> ComPtr<U> as() const {
        ComPtr<U> u;
        if (p_) p_->QueryInterface(__uuidof(U), u.put_void());
        return u;
    }
    ComPtr<IUnknown> identity() const { return as<IUnknown>(); }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }
    friend bool operator<(const ComPtr& a, const ComPtr& b) { return std::less<T*>()(a.p_, b.p_); }

private:
    T* p_ = nullptr;
};

// Hands out a new reference through an out-parameter; E_POINTER when there is none.
template <class T, class U> HRESULT CopyTo(const ComPtr<T>& p, U** out) {
    if (!out) return E_POINTER;
    *out = p.get();
    if (*out) (*out)->AddRef();
    return S_OK;
}

} // namespace qel
