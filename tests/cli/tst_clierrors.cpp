#include "cli_helper.h"

#include <QtTest>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs tallowin-cli as a user the file permissions hold back. Root reads a folder of mode 000
// all the same, and test machines often run as root: then the run drops to "nobody" through
// setpriv, the way an administrator would try it. The shipped binary keeps no test switch.
bool runUnprivileged(const QStringList &args, CliRun &r, QString &why, const QString &cli) {
    if (::geteuid() != 0) {
        r = runCli(args);
        return true;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        why = QStringLiteral("running as root and setpriv is missing");
        return false;
    }
    QProcess p;
    p.start(setpriv,
            QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--", cli} + args);
    p.waitForFinished(120000);
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    if (r.err.contains("setpriv:")) {
        why = QStringLiteral("setpriv cannot drop to nobody here: ") + QString::fromUtf8(r.err);
        return false;
    }
    return true;
}

void chmodPath(const QString &path, mode_t mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

} // namespace

class TestCliErrors : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_cli;

private Q_SLOTS:
    void initTestCase() {
        // Another user must reach the folders under test; only they themselves are closed.
        chmodPath(m_dir.path(), 0755);
        QVERIFY(QDir(m_dir.path()).mkdir("open"));
        QFile f(m_dir.filePath("open/a.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(m_dir.path()).mkdir("locked"));
        chmodPath(m_dir.filePath("locked"), 0);
        QFile rules(m_dir.filePath("locked.rul"));
        QVERIFY(rules.open(QIODevice::WriteOnly));
        rules.write("STANDARDMISCTRIM||||||| \r\n");
        rules.close();
        chmodPath(m_dir.filePath("locked.rul"), 0);
        // The build folder may lie where "nobody" cannot go (under /root): run a copy.
        m_cli = m_dir.filePath("tallowin-cli");
        QVERIFY(QFile::copy(QStringLiteral(TALLOWIN_CLI), m_cli));
        chmodPath(m_cli, 0755);
    }
    void cleanupTestCase() { chmodPath(m_dir.filePath("locked"), 0755); }

    // The error number is the system's, and so are its words: EACCES is "Permission denied",
    // never the program's text for its own number 13.
    void unreadableInputIsToldInTheSystemsWords_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("told");
        const QByteArray denied = std::strerror(EACCES);
        const QByteArray number = QByteArray::number(EACCES);
        const QString locked = m_dir.filePath("locked");
        QTest::newRow("list/folder-mode-000")
            << QStringList{"list", locked} << 3
            << "Error Location: 26\nError Number: " + number + "\nError Description: " + denied +
                   " Position: 2 - " + locked.toUtf8() + "/**.**\n";
        const QString rules = m_dir.filePath("locked.rul");
        QTest::newRow("preview/rules-file-mode-000")
            << QStringList{"preview", "--rules", rules, m_dir.filePath("open")} << 2
            << "Error Location: 19\nError Number: " + number + "\nError Description: " + denied +
                   "\ntallowin-cli: cannot read the rules file " + rules.toUtf8() + "\n";
    }
    void unreadableInputIsToldInTheSystemsWords() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, told);
        CliRun r;
        QString why;
        if (!runUnprivileged(args, r, why, m_cli))
            QSKIP(qPrintable(why));
        QCOMPARE(r.err, told);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestCliErrors)
#include "tst_clierrors.moc"
