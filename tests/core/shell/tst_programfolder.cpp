#include "shell/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <unistd.h>

using namespace tallowin;

class TestProgramFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingRulesFolderIsMade();
    void fileNamedRulesIsLeftAlone();
    void readOnlyProgramFolderUsesDataHome();
    void homeVariableNamesTheProgramFolder();
    void installedLayoutUsesItsDataFolder();
    void rulesNeverMadeInAFolderThatMustNotBeWritten();
    void folderThatCannotBeMadeKeepsItsErrno();
};

void TestProgramFolder::missingRulesFolderIsMade() {
    QTemporaryDir dir;
    const RulesFolderResult r = ensureRulesFolder(dir.path());
    QVERIFY(r.ok);
    QCOMPARE(r.path, dir.filePath(QStringLiteral("rules")));
    QVERIFY(QFileInfo(r.path).isDir());
}

void TestProgramFolder::fileNamedRulesIsLeftAlone() {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("rules")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep");
    f.close();
    const RulesFolderResult r = ensureRulesFolder(dir.path());
    QVERIFY(r.ok);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("rules"))).isFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep"));
}

void TestProgramFolder::readOnlyProgramFolderUsesDataHome() {
    if (geteuid() == 0)
        QSKIP("root writes through folder permissions");
    QTemporaryDir program, data;
    QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const RulesFolderResult r = ensureRulesFolder(program.path());
    qputenv("XDG_DATA_HOME", old);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(r.ok);
    QCOMPARE(r.path, data.filePath(QStringLiteral("tallowin/rules")));
    QVERIFY(QFileInfo(r.path).isDir());
}

void TestProgramFolder::homeVariableNamesTheProgramFolder() {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("TALLOWIN_HOME");
    qputenv("TALLOWIN_HOME", dir.path().toUtf8());
    QCOMPARE(programFolder(), QDir(dir.path()).absolutePath());
    qputenv("TALLOWIN_HOME", old);
}

// An installed program (PREFIX/bin beside PREFIX/share/tallowin) finds the data folder under
// any prefix; a build tree, without one, keeps the executable's folder.
void TestProgramFolder::installedLayoutUsesItsDataFolder() {
    QTemporaryDir prefix;
    QDir p(prefix.path());
    QVERIFY(p.mkpath(QStringLiteral("bin")));
    const QString bin = p.filePath(QStringLiteral("bin"));
    QCOMPARE(programFolderFor(bin), bin);
    QVERIFY(p.mkpath(QStringLiteral("share/tallowin/help")));
    QCOMPARE(programFolderFor(bin), p.filePath(QStringLiteral("share/tallowin")));
    // A build's folder beside a stray share/ of another program stays a build.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(other.path()).mkpath(QStringLiteral("share/other")));
    const QString otherBin = QDir(other.path()).filePath(QStringLiteral("bin"));
    QCOMPARE(programFolderFor(otherBin), otherBin);
}

void TestProgramFolder::rulesNeverMadeInAFolderThatMustNotBeWritten() {
    QTemporaryDir program, data;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const RulesFolderResult r = ensureRulesFolder(program.path(), false);
    const bool madeBeside =
        QFileInfo::exists(QDir(program.path()).filePath(QStringLiteral("rules")));
    // A rules folder shipped in it is still used.
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("rules")));
    const RulesFolderResult shipped = ensureRulesFolder(program.path(), false);
    qputenv("XDG_DATA_HOME", old);
    QVERIFY(!madeBeside);
    QVERIFY(r.ok);
    QCOMPARE(r.path, data.filePath(QStringLiteral("tallowin/rules")));
    QVERIFY(QFileInfo(r.path).isDir());
    QCOMPARE(shipped.path, QDir(program.path()).filePath(QStringLiteral("rules")));
}

// When no rules folder can be made, the failure says why in the system's number (a file stands
// where a folder of the path should be: ENOTDIR), not in a number of the program's own.
void TestProgramFolder::folderThatCannotBeMadeKeepsItsErrno() {
    QTemporaryDir program, data;
    QFile blocker(data.filePath(QStringLiteral("tallowin")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const RulesFolderResult r = ensureRulesFolder(program.path(), false);
    qputenv("XDG_DATA_HOME", old);
    QVERIFY(!r.ok);
    QCOMPARE(r.errorNumber, ENOTDIR);
    QCOMPARE(r.path, data.filePath(QStringLiteral("tallowin/rules")));
    QVERIFY(r.error.contains(r.path));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
