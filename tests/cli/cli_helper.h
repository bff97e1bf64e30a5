#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// Runs tallowin-cli with `args` and returns its exit status, stdout and stderr.
struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> lines() const {
        QList<QByteArray> l = out.split('\n');
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }
};

inline CliRun runCli(const QStringList &args, const QString &workingDir = {}) {
    QProcess p;
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(QStringLiteral(TALLOWIN_CLI), args);
    p.waitForFinished(120000);
    CliRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
