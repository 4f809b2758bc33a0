// The boundary of a COM method: no C++ exception leaves it.
#pragma once
#include <windows.h>
#include <new>

namespace qel {

// Runs a method's body; an allocation failure answers E_OUTOFMEMORY, any other
// exception E_FAIL.
template <class Body> HRESULT ComGuard(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace qel
