// The one owner of a "this work is running" flag: the first entry sets it and
// clears it on every way out of its scope, exceptions included; an entry
// while it is set is refused and leaves it set for the work running further up.
#pragma once

namespace qel {

class ReentryGuard {
public:
    explicit ReentryGuard(bool& running) : running_(running), entered_(!running) {
        running_ = true;
    }
    ~ReentryGuard() {
        if (entered_) running_ = false;
    }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

    // False when the work was already running: the caller turns back.
    explicit operator bool() const { return entered_; }

private:
    bool& running_;
    const bool entered_;
};

} // namespace qel
