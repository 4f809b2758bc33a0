#include "tests/support/AllocationFaults.h"

#include <cstdlib>
#include <new>

namespace {

// The allocations still to pass before one fails; negative when none is armed.
// One thread: the programs that use the seam are single-threaded while armed.
long long countdown = -1;
bool failed = false;
int spared = 0;

void* Allocate(std::size_t size) {
    if (spared == 0 && countdown == 0) {
        countdown = -1;
        failed = true;
        throw std::bad_alloc();
    }
    if (spared == 0 && countdown > 0) --countdown;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace qel::test {

FailAllocation::FailAllocation(std::size_t index) {
    failed = false;
    countdown = static_cast<long long>(index);
}

FailAllocation::~FailAllocation() {
    countdown = -1;
}

bool FailAllocation::Failed() const {
    return failed;
}

} // namespace qel::test

namespace qel::test {

AllocationsSpared::AllocationsSpared() {
    ++spared;
}

AllocationsSpared::~AllocationsSpared() {
    --spared;
}

} // namespace qel::test
