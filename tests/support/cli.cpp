#include "support/cli.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>
#include <vector>

extern char **environ;

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

CliRun runCliBytes(const QList<QByteArray> &args, const RunOptions &options) {
    // QProcess sets up the pipes; the child then starts the program itself with the exact
    // bytes. Everything it uses is made before the fork.
    const QByteArray program = QByteArrayLiteral(TALLOWIN_CLI);
    QList<QByteArray> env;
    if (options.environment)
        for (const QString &entry : options.environment->toStringList())
            env << QFile::encodeName(entry);
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    for (const QByteArray &a : args)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const QByteArray &e : env)
        envp.push_back(const_cast<char *>(e.constData()));
    envp.push_back(nullptr);
    RunOptions own = options;
    own.workingDir.clear();
    own.inChild = [&, inChild = options.inChild] {
        if (inChild)
            inChild();
        ::execve(argv[0], argv.data(), options.environment ? envp.data() : environ);
        ::_exit(127);
    };
    return runProgram(QString::fromUtf8(program), {}, own);
}

CliRun runCliWith(const QStringList &args, const QProcessEnvironment &env) {
    RunOptions options;
    options.environment = env;
    options.timeoutMs = 300000;
    return runCli(args, options);
}

} // namespace tallowin::test
