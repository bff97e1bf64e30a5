#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tallowin {

// Lenient reading: the leading numeric part of the text, blanks inside it ignored, else 0.
// "12abc" -> 12, "abc" -> 0, "" -> 0, " 1 2" -> 12, "&H1F" -> 31. Too large gives +-infinity.
double leadingNumber(const QString &text);

// Strict reading: the whole text (surrounding blanks allowed) must be a number.
// Empty text, "12abc" or "abc" give nothing.
std::optional<double> strictNumber(const QString &text);

// Rounds to the nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// A 16-bit signed integer from a double, rounded half to even; nothing when out of range.
std::optional<qint16> toInt16(double value);

} // namespace tallowin
