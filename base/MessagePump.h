// Processing of pending window messages from inside a running handler.
#pragma once

namespace qel {

// Dispatches every message waiting for the calling thread, then returns (the
// forms runtime's DoEvents). A quit request is put back for the main loop.
void DoEvents();

// While one lives, DoEvents on its thread dispatches no keyboard or mouse
// input: the input stays queued until the work that pumps is over, and
// painting, timers and sent messages go on meanwhile. Holds nest.
class InputHold {
public:
    InputHold();
    ~InputHold();
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    // Lifts the holds of its thread while it lives: a modal window's own
    // message loop, and what its handlers pump, take input.
    class Lift {
    public:
        Lift();
        ~Lift();
        Lift(const Lift&) = delete;
        Lift& operator=(const Lift&) = delete;

    private:
        int lifted_;
    };
};

} // namespace qel
