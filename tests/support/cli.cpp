#include "support/cli.h"

#include <QProcess>

namespace tallowin::test {

QList<QByteArray> CliRun::lines() const {
    QList<QByteArray> l = out.split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

CliRun runProgram(const QString &program, const QStringList &args, const RunOptions &options) {
    QProcess p;
    if (!options.workingDir.isEmpty())
        p.setWorkingDirectory(options.workingDir);
    if (options.environment)
        p.setProcessEnvironment(*options.environment);
    if (options.inChild)
        p.setChildProcessModifier(options.inChild);
    p.start(program, args);
    CliRun r;
    if (!p.waitForFinished(options.timeoutMs))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

CliRun runCli(const QStringList &args, const RunOptions &options) {
    return runProgram(QStringLiteral(TALLOWIN_CLI), args, options);
}

CliRun runCli(const QStringList &args, const QString &workingDir) {
    RunOptions options;
    options.workingDir = workingDir;
    return runCli(args, options);
}

CliRun runCliWith(const QStringList &args, const QProcessEnvironment &env) {
    RunOptions options;
    options.environment = env;
    options.timeoutMs = 300000;
    return runCli(args, options);
}

} // namespace tallowin::test
