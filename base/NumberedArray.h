// A fixed array indexed by the numbers that name its members (a control
// array's indexes, or an enumeration whose values are those numbers), First to
// Last, rather than by offsets from 0; another number throws std::out_of_range.
// An aggregate, as std::array (scalars start uninitialised unless it is
// value-initialised with {}), so that tables can be constants.
#pragma once
#include <array>

namespace qel {

template <typename T, auto First, auto Last>
struct NumberedArray : std::array<T, static_cast<int>(Last) - static_cast<int>(First) + 1> {
    using Number = decltype(First);

    constexpr T& operator[](Number n) { return this->at(Offset(n)); }
    constexpr const T& operator[](Number n) const { return this->at(Offset(n)); }

    // The numbers First to Last.
    static constexpr auto Numbers() {
        std::array<Number, static_cast<int>(Last) - static_cast<int>(First) + 1> numbers{};
        for (int i = 0; i < static_cast<int>(numbers.size()); ++i)
            numbers[i] = static_cast<Number>(static_cast<int>(First) + i);
        return numbers;
    }

private:
    static constexpr std::size_t Offset(Number n) {
        return static_cast<std::size_t>(static_cast<int>(n) - static_cast<int>(First));
    }
};

} // namespace qel
