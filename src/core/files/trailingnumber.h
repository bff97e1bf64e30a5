#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tallowin {

// A number as the file list reads it: blanks around it, an optional sign, digits with ","
// thousands separators among them, and an optional "." with more digits. At least one digit.
// Exponents and other radixes are not numbers here, so "e5" or "&H1" in a name stay text.
bool readsAsNumber(QStringView text);

// The number at the end of a file's base name, as written ("track07" -> "07", "Part A-3" ->
// "-3"), or "0" when the name does not end in one.
QString numberAdjName(QStringView baseName);
// The length of that number at the end of `baseName`; 0 when it does not end in one. Every
// character a number holds is ASCII, so this is also its length in the name's bytes.
qsizetype trailingNumberLength(QStringView baseName);

// A number cell reduced to a canonical decimal: no blanks, separators, "+" or leading zeros,
// no trailing fraction zeros; "" for zero. Nothing when the text is not a number. Comparing
// these exactly (see compareDecimals) orders numbers of any length without rounding.
std::optional<QString> canonicalDecimal(QStringView text);
// Orders two canonical decimals by value: negative, zero, positive.
int compareDecimals(const QString &a, const QString &b);

} // namespace tallowin
