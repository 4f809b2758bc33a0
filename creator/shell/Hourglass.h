// The busy pointer over every window of the creator for the life of a scope;
// the default pointer comes back on every path out of it.
#pragma once
#include "forms/Screen.h"

namespace qel::creator {

class Hourglass {
public:
    Hourglass() { forms::Screen::MousePointer(forms::Pointer::Hourglass); }
    ~Hourglass() { forms::Screen::MousePointer(forms::Pointer::Default); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

} // namespace qel::creator
