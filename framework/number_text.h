#pragma once
// Reading numbers from text the forgiving way: the number at the start of the
// text, up to the first character that does not fit; 0 when there is none.
#include <QString>
#include <optional>

namespace fw {

// Decimal with optional sign, fraction and exponent; "&h" hexadecimal and
// "&b" binary prefixes. Leading blanks are skipped.
double Val(const QString& text);

// A double as a 32-bit integer, dropping the fraction; nullopt when it does
// not fit (or is not a number).
std::optional<int> ToInt32(double value);

}  // namespace fw
