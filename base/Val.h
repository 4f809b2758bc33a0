// The platform's Val(): the number at the start of a text.
#pragma once
#include <string_view>

namespace qel {

// Reads a leading number from `text`, ignoring blanks, tabs and line feeds
// anywhere; stops at the first character that cannot continue the number and
// gives 0 when there is none. Decimal numbers take a sign, one period and an
// exponent (E or D); "&H" and "&O" introduce hexadecimal and octal integers,
// read as 16-bit signed values when they fit in 16 bits, else as 32-bit ones.
double Val(std::string_view text);

} // namespace qel
