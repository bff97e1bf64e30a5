#include "base/numbers.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace tallowin {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Reads "&H..." (hex) or "&O..." (octal) at the start of s; returns digits read or 0.
int readRadix(const std::string &s, size_t pos, double &value) {
    if (pos + 2 > s.size() || s[pos] != '&')
        return 0;
    const char r = char(std::toupper(static_cast<unsigned char>(s[pos + 1])));
    int base = r == 'H' ? 16 : r == 'O' ? 8 : 0;
    if (base == 0)
        return 0;
    size_t i = pos + 2;
    double v = 0;
    while (i < s.size()) {
        const int c = std::toupper(static_cast<unsigned char>(s[i]));
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
        if (d >= base)
            break;
        v = v * base + d;
        ++i;
    }
    if (i == pos + 2)
        return 0;
    value = v;
    return int(i - pos);
}

// Length of the longest decimal number at the start of s: sign, digits, point, exponent.
size_t decimalPrefix(const std::string &s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t expDigits = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            ++j, ++expDigits;
        if (expDigits > 0)
            i = j;
    }
    return i;
}

double parseDecimal(std::string s) {
    for (char &c : s)
        if (c == 'd' || c == 'D')
            c = 'e';
    // strtod is locale-dependent; the program never changes LC_NUMERIC from "C".
    return std::strtod(s.c_str(), nullptr);
}

// Only ASCII can be part of a number; anything else ends it.
std::string toAscii(const QString &text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar c : text)
        out.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x7f');
    return out;
}

} // namespace

double leadingNumber(const QString &text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            compact.append(c);
    const std::string s = toAscii(compact);
    double radix = 0;
    if (readRadix(s, 0, radix) > 0)
        return radix;
    const size_t n = decimalPrefix(s);
    return n == 0 ? 0.0 : parseDecimal(s.substr(0, n));
}

std::optional<double> strictNumber(const QString &text) {
    const std::string s = toAscii(text.trimmed());
    if (s.empty())
        return std::nullopt;
    double radix = 0;
    if (size_t(readRadix(s, 0, radix)) == s.size())
        return radix;
    const size_t n = decimalPrefix(s);
    if (n == 0 || n != s.size())
        return std::nullopt;
    return parseDecimal(s);
}

double roundHalfEven(double value) {
    // nearbyint honours the rounding mode, which is round-to-nearest-even by default.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (mode != FE_TONEAREST)
        std::fesetround(mode);
    return r;
}

std::optional<qint16> toInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(r);
}

} // namespace tallowin
