// The boundary of a COM method: no C++ exception leaves it.
#pragma once
#include "base/ComError.h"

#include <exception>
#include <new>

namespace qel {

// Runs a method's body; an allocation failure answers E_OUTOFMEMORY, any other
// exception E_FAIL, each with the thread's error information naming `source`.
template <class Body> HRESULT ComGuard(const wchar_t* source, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return RaiseFailure(E_OUTOFMEMORY, source, L"Out of memory");
    } catch (...) {
        return RaiseFailure(E_FAIL, source, L"Unexpected failure");
    }
}

template <class Body> HRESULT ComGuard(Body&& body) noexcept {
    return ComGuard(kLibraryName, std::forward<Body>(body));
}

} // namespace qel
