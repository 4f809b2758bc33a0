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

template <class T> class WindowTable {
public:
    WindowTable() = default;
    WindowTable(const WindowTable&) = delete;
    WindowTable& operator=(const WindowTable&) = delete;

    // Calls read(const T&) with the window's entry; false when there is none.
    template <class F> bool Read(HWND hwnd, F&& read) const {
        AcquireSRWLockShared(&lock_);
        auto it = entries_.find(hwnd);
        const bool found = it != entries_.end();
        if (found) read(static_cast<const T&>(it->second));
        ReleaseSRWLockShared(&lock_);
        return found;
    }
    // Calls write(T&) with the window's entry, made when missing; the entry is
    // removed when write returns false.
    template <class F> void Write(HWND hwnd, F&& write) {
        AcquireSRWLockExclusive(&lock_);
        try {
            auto it = entries_.try_emplace(hwnd).first;
            if (!write(it->second)) entries_.erase(it);
        } catch (...) {
            ReleaseSRWLockExclusive(&lock_);
            throw;
        }
        ReleaseSRWLockExclusive(&lock_);
    }
    void Erase(HWND hwnd) {
        AcquireSRWLockExclusive(&lock_);
        entries_.erase(hwnd);
        ReleaseSRWLockExclusive(&lock_);
    }

private:
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, T> entries_;
};

} // namespace qel
