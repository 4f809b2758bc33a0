#include "base/Val.h"

#include <cstdlib>
#include <cstdint>
#include <string>

namespace qel {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int DigitValue(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d >= 0 && d < base ? d : -1;
}

double RadixValue(const std::string& s, size_t pos, int base) {
    uint64_t value = 0;
    int digits = 0;
    for (; pos < s.size(); ++pos) {
        int d = DigitValue(s[pos], base);
        if (d < 0) break;
        value = value * base + d;
        ++digits;
        if (value > 0xFFFFFFFFull) return 0; // beyond 32 bits: overflow, no value
    }
    if (digits == 0) return 0;
    if (value <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

double Val(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!IsBlank(c)) s += c;
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return RadixValue(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o') return RadixValue(s, 2, 8);
    }
    // Copy the longest prefix that forms a decimal number, then convert it.
    std::string number;
    size_t i = 0;
    auto digits = [&] {
        size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            number += s[i++];
        return i > from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') number += '-';
        ++i;
    }
    bool any = digits();
    if (i < s.size() && s[i] == '.') {
        number += '.';
        ++i;
        any = digits() || any;
    }
    if (!any) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::string mantissa = number;
        number += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
        if (!digits()) number = mantissa;
    }
    // The number text always uses a period, and programs run in the "C" locale.
    return std::strtod(number.c_str(), nullptr);
}

} // namespace qel
