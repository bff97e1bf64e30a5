#include "engine/ruletable.h"
#include "files/directorylisting.h"
#include "rulesfile/rulesfile.h"
#include "shell/errorreport.h"
#include "shell/filesystem.h"
#include "shell/locations.h"
#include "shell/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace tallowin;

namespace {

// The system's calls, but the named one fails with the given errno.
class FailingFileSystem : public FileSystem {
public:
    QByteArray failing;
    int error = 0;

    int open(int dirFd, const char *path, int flags, mode_t mode, int &fd) override {
        // Creating a file or opening a folder fails; reading the old file still works.
        if (failing == "open" && (flags & (O_CREAT | O_DIRECTORY))) {
            fd = -1;
            return error;
        }
        return FileSystem::open(dirFd, path, flags, mode, fd);
    }
    int readFolder(DIR *dir, const dirent *&entry) override {
        if (failing == "readFolder") {
            entry = nullptr;
            return error;
        }
        return FileSystem::readFolder(dir, entry);
    }
    int readFile(const QByteArray &path, QByteArray &bytes) override {
        return failing == "readFile" ? error : FileSystem::readFile(path, bytes);
    }
    int write(int fd, QByteArrayView data) override {
        return failing == "write" ? error : FileSystem::write(fd, data);
    }
    int sync(int fd) override { return failing == "sync" ? error : FileSystem::sync(fd); }
    int rename(const char *from, const char *to) override {
        return failing == "rename" ? error : FileSystem::rename(from, to);
    }
};

QString systemText(int e) {
    return QString::fromLocal8Bit(std::strerror(e));
}

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestSystemErrors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program's numbers and errno values overlap; each keeps its own text.
    void numbersKeepTheirOrigin_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("programText");
        QTest::newRow("13/TypeMismatch-vs-EACCES") << 13 << "Type mismatch";
        QTest::newRow("5/InvalidProcedureCall-vs-EIO") << 5 << "Invalid procedure call or argument";
        QTest::newRow("6/Overflow-vs-ENXIO") << 6 << "Overflow";
        QTest::newRow("9/SubscriptOutOfRange-vs-EBADF") << 9 << "Subscript out of range";
        QTest::newRow("2/unknown-to-the-program-vs-ENOENT")
            << 2 << "Application-defined or object-defined error";
    }
    void numbersKeepTheirOrigin() {
        QFETCH(int, number);
        QFETCH(QString, programText);
        CollectingErrorReporter errors;
        errors.report(7, number);
        errors.reportSystem(7, number);
        QCOMPARE(errors.reports[0], (ErrorReport{7, number, programText}));
        QCOMPARE(errors.reports[0].origin, ErrorOrigin::Program);
        QCOMPARE(errors.reports[1], ErrorReport::system(7, number, systemText(number)));
        QVERIFY(errors.reports[1].isSystem());
        QVERIFY(errors.reports[0] != errors.reports[1]);
    }

    // Each failure of each file operation is told by the system's number and words (or, for a
    // rules file that may not be written, by the message the user is shown), and loses nothing.
    void failureIsToldAndLosesNothing_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("toldAsInUse"); // rules file: the message window's text instead

        const struct {
            const char *name;
            int error;
            QByteArray listing, rulesWrite, settings;
        } cases[] = {
            {"EACCES", EACCES, "open", "open", "open"},
            {"EROFS", EROFS, "open", "open", "open"},
            {"ENOSPC", ENOSPC, "readFolder", "write", "write"},
            {"ENOENT", ENOENT, "open", "rename", "rename"},
            {"EIO", EIO, "readFolder", "sync", "sync"},
        };
        for (const auto &c : cases) {
            const bool inUse = c.error == EACCES || c.error == EROFS;
            QTest::addRow("listing/%s", c.name) << "listing" << c.listing << c.error << false;
            QTest::addRow("rulesfile-write/%s", c.name)
                << "rulesfile-write" << c.rulesWrite << c.error << inUse;
            QTest::addRow("rulesfile-read/%s", c.name)
                << "rulesfile-read" << QByteArray("readFile") << c.error << false;
            QTest::addRow("settings/%s", c.name) << "settings" << c.settings << c.error << false;
        }
    }
    void failureIsToldAndLosesNothing() {
        QFETCH(QString, operation);
        QFETCH(QByteArray, call);
        QFETCH(int, error);
        QFETCH(bool, toldAsInUse);
        QTemporaryDir dir;
        FailingFileSystem fs;
        fs.failing = call;
        fs.error = error;
        CollectingErrorReporter errors;
        qint32 location = 0;
        QString description = systemText(error);
        QString concerns; // the file or folder the report names

        if (operation == u"listing") {
            QFile(dir.filePath("a.txt")).open(QIODevice::WriteOnly);
            DirectoryFilter filter;
            const DirectoryListing l = listDirectory(dir.path(), filter, errors, nullptr, fs);
            QVERIFY(l.failed);
            location = Locations::ListFolder;
            concerns = dir.path();
            description += " Position: 2 - " + dir.path() + "/**.**";
        } else if (operation == u"rulesfile-write") {
            const QString path = dir.filePath("mine.rul");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("OLD|1|2|3|4|5|6|old\r\n");
            f.close();
            RuleTable rules;
            rules.addRule(QStringLiteral("STANDARDMISCTRIM"));
            const auto r = RulesFile::write(dir.path(), "mine", rules, errors, fs);
            QCOMPARE(contents(path), QByteArray("OLD|1|2|3|4|5|6|old\r\n"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"mine.rul"});
            if (toldAsInUse) {
                QCOMPARE(r.outcome, RulesFile::WriteOutcome::InUse);
                QVERIFY(r.message.contains("Linux says the file is in use"));
                QVERIFY(errors.empty());
                return;
            }
            QCOMPARE(r.outcome, RulesFile::WriteOutcome::Failed);
            location = Locations::SaveRules;
            concerns = dir.filePath("mine.rul");
        } else if (operation == u"rulesfile-read") {
            const QString path = dir.filePath("mine.rul");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("OLD|1|2|3|4|5|6|old\r\n");
            f.close();
            RuleTable rules;
            QVERIFY(!RulesFile::read(path, rules, errors, fs));
            QCOMPARE(rules.ruleCount(), 0);
            QCOMPARE(contents(path), QByteArray("OLD|1|2|3|4|5|6|old\r\n"));
            location = Locations::LoadRules;
            concerns = path;
        } else {
            const QString path = dir.filePath("tallowin.ini");
            QVERIFY(SettingsStore(path).saveSetting(Settings::App, Settings::Section,
                                                    Settings::LastPath, "/old"));
            const QByteArray before = contents(path);
            SettingsStore failing(path, fs);
            QVERIFY(!failing.saveSetting(Settings::App, Settings::Section, Settings::LastPath,
                                         "/new", errors, Locations::FolderChange));
            QCOMPARE(failing.lastError(), error);
            QCOMPARE(contents(path), before);
            QCOMPARE(
                SettingsStore(path).setting(Settings::App, Settings::Section, Settings::LastPath),
                "/old");
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"tallowin.ini"});
            location = Locations::FolderChange;
            concerns = path;
        }
        QCOMPARE(errors.reports.size(), size_t(1));
        QCOMPARE(errors.last(), ErrorReport::system(location, error, description).about(concerns));
    }
};

QTEST_GUILESS_MAIN(TestSystemErrors)
#include "tst_systemerrors.moc"
