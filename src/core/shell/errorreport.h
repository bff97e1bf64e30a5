#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace tallowin {

// An unexpected failure: where it happened, its number and its text.
struct ErrorReport {
    qint32 ErrorLocation = 0;
    qint32 ErrorNumber = 0;
    QString ErrorDescription;

    friend bool operator==(const ErrorReport &, const ErrorReport &) = default;
};

// Error numbers used where a failure has no operating-system number of its own.
namespace ErrorNumbers {
constexpr qint32 InvalidProcedureCall = 5;
constexpr qint32 Overflow = 6;
constexpr qint32 SubscriptOutOfRange = 9;
constexpr qint32 TypeMismatch = 13;
} // namespace ErrorNumbers

QString errorText(qint32 number);

// Receives error reports; the windows show them, the command line prints them.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const ErrorReport &report) = 0;

    void report(qint32 location, qint32 number, const QString &description) {
        report(ErrorReport{location, number, description});
    }
    void report(qint32 location, qint32 number) { report(location, number, errorText(number)); }
};

// Keeps every report; the last one is what an error window would show.
class CollectingErrorReporter : public ErrorReporter {
public:
    using ErrorReporter::report;
    void report(const ErrorReport &r) override { reports.push_back(r); }
    bool empty() const { return reports.empty(); }
    const ErrorReport &last() const { return reports.back(); }
    std::vector<ErrorReport> reports;
};

// Drops every report; for callers that only want the results.
class NullErrorReporter : public ErrorReporter {
public:
    using ErrorReporter::report;
    void report(const ErrorReport &) override {}
};

} // namespace tallowin
