#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <ctime>
#include <optional>
#include <vector>

namespace tallowin {

// The text of a vanished or unreadable file's date.
inline const QString UnknownDateText = QStringLiteral("1/1/1900");

// Writes dates in a locale's general date format: its short date followed by its time with
// seconds. Formatting is done here rather than through QLocale per call because a listing writes
// one date per file and QLocale is too slow for 100,000 of them.
class DateText {
public:
    explicit DateText(const QLocale &locale = QLocale::system());

    // The Qt format pattern used (for example "M/d/yy h:mm:ss AP").
    const QString &pattern() const { return m_pattern; }
    // Local date and time of `secs` since the epoch.
    QString format(std::time_t secs) const;
    QString format(const QDateTime &when) const;
    // Reads a text this class wrote (or "1/1/1900"); nothing when it is not a date.
    std::optional<QDateTime> parse(const QString &text) const;

private:
    struct Token {
        char kind; // 'L' literal, else the pattern letter
        int width;
        QString literal;
    };
    QLocale m_locale;
    QString m_pattern;
    std::vector<Token> m_tokens;
    bool m_fast = true;       // every token is one this class writes itself
    bool m_hasMarker = false; // an AM/PM marker makes "h" a 12-hour clock
    QStringList m_monthShort, m_monthLong, m_dayShort, m_dayLong;
    QString m_am, m_pm;
};

} // namespace tallowin
