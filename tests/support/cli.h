#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tallowin::test {

// How a run of a program ended: its exit status (-1 when it crashed or did not end in time),
// stdout and stderr.
struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
    // The lines of stdout without their line ends.
    QList<QByteArray> lines() const;
};

struct RunOptions {
    QString workingDir;
    std::optional<QProcessEnvironment> environment; // the test's own when not given
    std::function<void()> inChild;                  // runs in the child before exec (limits)
    int timeoutMs = 120000;
};

// Runs `program` with `args` and waits for its end.
CliRun runProgram(const QString &program, const QStringList &args, const RunOptions &options = {});
// Runs the tallowin-cli of this build.
CliRun runCli(const QStringList &args, const RunOptions &options = {});
CliRun runCli(const QStringList &args, const QString &workingDir);
// Runs the tallowin-cli of this build with arguments that are bytes, not text: QProcess would
// turn bytes that are not UTF-8 into "?". Takes `options` but for workingDir.
CliRun runCliBytes(const QList<QByteArray> &args, const RunOptions &options = {});
// With the environment `env` and five minutes' patience, for runs of many files.
CliRun runCliWith(const QStringList &args, const QProcessEnvironment &env);

} // namespace tallowin::test
