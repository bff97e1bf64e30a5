#include "files/datetext.h"

#include <QTimeZone>

namespace tallowin {

namespace {

// The locale's time format with seconds and without the time zone name.
QString timePatternWithSeconds(const QLocale &locale) {
    QString t = locale.timeFormat(QLocale::LongFormat);
    // Drop the zone ("t", "tt", ...) and the blank before it.
    for (qsizetype i = 0; i < t.size();) {
        if (t[i] == u't') {
            qsizetype j = i;
            while (j < t.size() && t[j] == u't')
                ++j;
            qsizetype from = i;
            while (from > 0 && t[from - 1] == u' ')
                --from;
            t.remove(from, j - from);
            i = from;
        } else if (t[i] == u'\'') {
            const qsizetype close = t.indexOf(u'\'', i + 1);
            i = close < 0 ? t.size() : close + 1;
        } else {
            ++i;
        }
    }
    return t.trimmed();
}

void appendNumber(QString &out, int value, int width) {
    char buf[16];
    int n = 0;
    do {
        buf[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i)
        out += u'0';
    while (n > 0)
        out += QChar(buf[--n]);
}

} // namespace

DateText::DateText(const QLocale &locale) : m_locale(locale) {
    m_pattern = locale.dateFormat(QLocale::ShortFormat) + u' ' + timePatternWithSeconds(locale);
    for (int m = 1; m <= 12; ++m) {
        m_monthShort << locale.monthName(m, QLocale::ShortFormat);
        m_monthLong << locale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 1; d <= 7; ++d) {
        m_dayShort << locale.dayName(d, QLocale::ShortFormat);
        m_dayLong << locale.dayName(d, QLocale::LongFormat);
    }
    m_am = locale.amText();
    m_pm = locale.pmText();

    // Split the pattern into runs of one letter and literal text.
    const QString &p = m_pattern;
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p[i];
        if (c == u'\'') {
            Token lit{'L', 0, {}};
            qsizetype j = i + 1;
            if (j < p.size() && p[j] == u'\'') { // '' is a quote
                lit.literal = QStringLiteral("'");
                i = j + 1;
            } else {
                while (j < p.size()) {
                    if (p[j] == u'\'') {
                        if (j + 1 < p.size() && p[j + 1] == u'\'') {
                            lit.literal += u'\'';
                            j += 2;
                            continue;
                        }
                        break;
                    }
                    lit.literal += p[j++];
                }
                i = j + 1;
            }
            m_tokens.push_back(lit);
            continue;
        }
        if (c.isLetter()) {
            qsizetype j = i;
            while (j < p.size() && p[j] == c)
                ++j;
            const int run = int(j - i);
            const char k = c.unicode() < 128 ? char(c.unicode()) : '?';
            if (k == 'A' || k == 'a') {
                // "AP" / "ap" / "A" / "a": the marker; a following P/p belongs to it.
                qsizetype end = j;
                if (end < p.size() && (p[end] == u'P' || p[end] == u'p'))
                    ++end;
                m_tokens.push_back({k, 1, {}});
                m_hasMarker = true;
                i = end;
                continue;
            }
            const bool known = (k == 'd' && run <= 4) || (k == 'M' && run <= 4) ||
                               (k == 'y' && (run == 2 || run == 4)) ||
                               ((k == 'h' || k == 'H' || k == 'm' || k == 's') && run <= 2);
            if (!known)
                m_fast = false;
            m_tokens.push_back({k, run, {}});
            i = j;
            continue;
        }
        Token lit{'L', 0, QString(c)};
        m_tokens.push_back(lit);
        ++i;
    }
}

QString DateText::format(std::time_t secs) const {
    struct tm tm {};
    if (!localtime_r(&secs, &tm))
        return UnknownDateText;
    if (!m_fast)
        return m_locale.toString(QDateTime::fromSecsSinceEpoch(secs), m_pattern);
    QString out;
    out.reserve(24);
    for (const Token &t : m_tokens) {
        switch (t.kind) {
        case 'L':
            out += t.literal;
            break;
        case 'd':
            if (t.width <= 2)
                appendNumber(out, tm.tm_mday, t.width);
            else
                out += (t.width == 3 ? m_dayShort : m_dayLong)[(tm.tm_wday + 6) % 7];
            break;
        case 'M':
            if (t.width <= 2)
                appendNumber(out, tm.tm_mon + 1, t.width);
            else
                out += (t.width == 3 ? m_monthShort : m_monthLong)[tm.tm_mon];
            break;
        case 'y':
            if (t.width == 2)
                appendNumber(out, (tm.tm_year + 1900) % 100, 2);
            else
                appendNumber(out, tm.tm_year + 1900, 4);
            break;
        case 'h': {
            int h = tm.tm_hour;
            if (m_hasMarker) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            appendNumber(out, h, t.width);
            break;
        }
        case 'H':
            appendNumber(out, tm.tm_hour, t.width);
            break;
        case 'm':
            appendNumber(out, tm.tm_min, t.width);
            break;
        case 's':
            appendNumber(out, tm.tm_sec, t.width);
            break;
        case 'A':
            out += (tm.tm_hour < 12 ? m_am : m_pm).toUpper();
            break;
        case 'a':
            out += (tm.tm_hour < 12 ? m_am : m_pm).toLower();
            break;
        default:
            break;
        }
    }
    return out;
}

QString DateText::format(const QDateTime &when) const {
    if (!when.isValid())
        return UnknownDateText;
    return format(std::time_t(when.toSecsSinceEpoch()));
}

std::optional<QDateTime> DateText::parse(const QString &text) const {
    if (text == UnknownDateText)
        return QDateTime(QDate(1900, 1, 1), QTime(0, 0));
    QDateTime d = m_locale.toDateTime(text, m_pattern);
    if (!d.isValid())
        return std::nullopt;
    // Two-digit years read as 19xx; the listing writes dates of files, so prefer 20xx.
    if (m_pattern.contains(QStringLiteral("yy")) && !m_pattern.contains(QStringLiteral("yyyy")) &&
        d.date().year() < 1970)
        d = d.addYears(100);
    return d;
}

} // namespace tallowin
