// A process-wide table from window handles to values, behind a reader-writer
// lock: the in-process mirror of facts that are also kept in window
// properties, for the paths that run on every message. Under Wine every
// property read is a round trip to the server; a lookup here is a hash probe.
// Readers never allocate; writers may (they run on attachment, not dispatch).
// The callbacks run under the lock and must not call back into the table.
#pragma once
#include <windows.h>

#include <unordered_map>

namespace qel {

// An SRW lock held for a scope: shared for readers, exclusive for writers.
template <auto Acquire, auto Release> class SrwLockHeld {
public:
    explicit SrwLockHeld(SRWLOCK& lock) : lock_(lock) { Acquire(&lock_); }
    ~SrwLockHeld() { Release(&lock_); }
    SrwLockHeld(const SrwLockHeld&) = delete;
    SrwLockHeld& operator=(const SrwLockHeld&) = delete;

private:
    SRWLOCK& lock_;
};
using SharedLockHeld = SrwLockHeld<AcquireSRWLockShared, ReleaseSRWLockShared>;
using ExclusiveLockHeld = SrwLockHeld<AcquireSRWLockExclusive, ReleaseSRWLockExclusive>;

template <class T> class WindowTable {
public:
    WindowTable() = default;
    WindowTable(const WindowTable&) = delete;
    WindowTable& operator=(const WindowTable&) = delete;

    // Calls read(const T&) with the window's entry; false when there is none.
    template <class F> bool Read(HWND hwnd, F&& read) const {
        SharedLockHeld held(lock_);
        auto it = entries_.find(hwnd);
        if (it == entries_.end()) return false;
        read(static_cast<const T&>(it->second));
        return true;
    }
    // Calls write(T&) with the window's entry, made when missing; the entry is
    // removed when write returns false.
    template <class F> void Write(HWND hwnd, F&& write) {
        ExclusiveLockHeld held(lock_);
        auto it = entries_.try_emplace(hwnd).first;
        if (!write(it->second)) entries_.erase(it);
    }
    void Erase(HWND hwnd) {
        ExclusiveLockHeld held(lock_);
        entries_.erase(hwnd);
    }

private:
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, T> entries_;
};

} // namespace qel
