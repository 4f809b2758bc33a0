// A seam for interactive work (message boxes, dialogs, the shell): while a Seam
// object lives, its handler answers instead of the user or the system; seams
// nest, the newest answering. `Tag` keeps seams with the same handler type apart.
#pragma once
#include <utility>

namespace qel::forms {

template <class Tag, class Handler> class Seam {
public:
    explicit Seam(Handler handler) : previous_(std::exchange(Current(), std::move(handler))) {}
    ~Seam() { Current() = std::move(previous_); }
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;

    // The handler answering now; empty when none does.
    static Handler& Current() {
        static Handler handler;
        return handler;
    }

private:
    Handler previous_;
};

} // namespace qel::forms
