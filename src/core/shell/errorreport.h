#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace tallowin {

// Whose numbering an error number belongs to. The program's own numbers and the operating
// system's errno values overlap (13 is "Type mismatch" to the program and EACCES to Linux), so
// a number alone cannot say which text belongs to it.
enum class ErrorOrigin : quint8 {
    Program, // one of ErrorNumbers, described by errorText()
    System,  // an errno value, described by the system's own text (systemErrorText())
};

// An unexpected failure: where it happened, its number and its text, and the file or folder
// it concerns when there is one.
struct ErrorReport {
    qint32 location = 0;
    qint32 number = 0;
    QString description;
    ErrorOrigin origin = ErrorOrigin::Program;
    QString path = {}; // empty when the failure concerns no one file or folder

    // A failure numbered by the program, described by its own table unless told otherwise.
    static ErrorReport program(qint32 location, qint32 number);
    static ErrorReport program(qint32 location, qint32 number, const QString &description);
    // A failed system call: its errno, described by the system's text unless told otherwise.
    static ErrorReport system(qint32 location, int errnoValue);
    static ErrorReport system(qint32 location, int errnoValue, const QString &description);

    // The same report, naming the file or folder it concerns.
    ErrorReport about(const QString &object) const {
        ErrorReport r = *this;
        r.path = object;
        return r;
    }

    bool isSystem() const { return origin == ErrorOrigin::System; }

    friend bool operator==(const ErrorReport &, const ErrorReport &) = default;
};

// The program's own error numbers.
namespace ErrorNumbers {
constexpr qint32 InvalidProcedureCall = 5;
constexpr qint32 Overflow = 6;
constexpr qint32 SubscriptOutOfRange = 9;
constexpr qint32 TypeMismatch = 13;
// Numbers a file operation's failure is told by (see classifyRenameError).
constexpr qint32 BadFileName = 52;
constexpr qint32 FileNotFound = 53;
constexpr qint32 FileAlreadyOpen = 55;
constexpr qint32 FileAlreadyExists = 58;
constexpr qint32 DeviceUnavailable = 68;
constexpr qint32 PathFileAccessError = 75;
constexpr qint32 PathNotFound = 76;
} // namespace ErrorNumbers

// The text of one of the program's own error numbers. A number outside its table gets a
// generic text: it is never looked up as an errno value.
QString errorText(qint32 number);
// The operating system's text for an errno value ("Permission denied" for EACCES).
QString systemErrorText(int errnoValue);
// The text a report's number stands for, from the table its origin names.
QString errorText(qint32 number, ErrorOrigin origin);

// Receives error reports; the windows show them, the command line prints them.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const ErrorReport &report) = 0;

    // A failure numbered by the program.
    void report(qint32 location, qint32 number, const QString &description) {
        report(ErrorReport::program(location, number, description));
    }
    void report(qint32 location, qint32 number) { report(ErrorReport::program(location, number)); }
    // A failed system call, by its errno.
    void reportSystem(qint32 location, int errnoValue) {
        report(ErrorReport::system(location, errnoValue));
    }
    void reportSystem(qint32 location, int errnoValue, const QString &description) {
        report(ErrorReport::system(location, errnoValue, description));
    }
    // A failed system call on the file or folder `path`.
    void reportSystemAbout(const QString &path, qint32 location, int errnoValue) {
        report(ErrorReport::system(location, errnoValue).about(path));
    }
    void reportSystemAbout(const QString &path, qint32 location, int errnoValue,
                           const QString &description) {
        report(ErrorReport::system(location, errnoValue, description).about(path));
    }
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
