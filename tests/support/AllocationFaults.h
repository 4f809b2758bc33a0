// A seam for allocation failures: a test program that links AllocationFaults.cpp
// replaces the global operator new, and while a FailAllocation guard lives the
// allocation it names (0 the first, 1 the second, ...) throws std::bad_alloc.
#pragma once
#include <cstddef>

namespace qel::test {

class FailAllocation {
public:
    explicit FailAllocation(std::size_t index);
    ~FailAllocation();
    FailAllocation(const FailAllocation&) = delete;
    FailAllocation& operator=(const FailAllocation&) = delete;

    // True once the named allocation was reached (and failed).
    bool Failed() const;
};

// While it lives, allocations neither fail nor count: for test scaffolding
// (a test host) whose own failures are not the subject.
class AllocationsSpared {
public:
    AllocationsSpared();
    ~AllocationsSpared();
    AllocationsSpared(const AllocationsSpared&) = delete;
    AllocationsSpared& operator=(const AllocationsSpared&) = delete;
};

} // namespace qel::test
