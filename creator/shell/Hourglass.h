// The busy pointer over every window of the creator for the life of a scope;
// the pointer before it comes back on every path out of it, so that scopes
// can nest.
#pragma once
#include "forms/Screen.h"

namespace qel::creator {

class Hourglass {
public:
    Hourglass() : before_(forms::Screen::MousePointer()) {
        forms::Screen::MousePointer(forms::Pointer::Hourglass);
    }
    ~Hourglass() { forms::Screen::MousePointer(before_); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    forms::Pointer before_;
};

} // namespace qel::creator
