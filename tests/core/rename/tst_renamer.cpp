#include "preview/previewbuilder.h"
#include "preview_helper.h"
#include "rename/renamer.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace tallowin;
using namespace tallowin::test;

using State = QMap<QByteArray, QByteArray>;
Q_DECLARE_METATYPE(State)

namespace {

// What a run told, one line per ticked row: "ok|old|new" or "NUMBER|old|new".
QStringList outcomesText(const RenameRun &run) {
    QStringList out;
    for (const auto &o : run.outcomes)
        out << (o.ok ? QStringLiteral("ok") : QString::number(o.errorNumber)) + u'|' +
                   QString::fromUtf8(o.oldBytes) + u'|' + o.newName;
    return out;
}

// A file system whose calls fail on demand or change the folder just before they run.
class FaultyFileSystem : public RenameFileSystem {
public:
    int renameError = 0;
    int unlinkError = 0;
    bool noRenameFlag = false;     // renameat2 without RENAME_NOREPLACE support
    QByteArray createBeforeRename; // made in the folder right before the rename runs
    QList<QByteArray> sameFile;    // names that stand for one file, as letter case would
    QStringList calls;
    // Runs right before each rename, with the folder it works in.
    std::function<void(int dirFd, const char *from, const char *to)> beforeRename;

    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        calls << QStringLiteral("rename %1 %2").arg(from, to);
        if (beforeRename)
            beforeRename(dirFd, from, to);
        if (!createBeforeRename.isEmpty()) {
            const int fd =
                ::openat(dirFd, createBeforeRename.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            (void)!::write(fd, "raced", 5);
            ::close(fd);
            createBeforeRename.clear();
        }
        if (renameError)
            return renameError;
        if (noRenameFlag)
            return EINVAL;
        if (sameFile.contains(QByteArray(from)) && sameFile.contains(QByteArray(to)))
            return EEXIST;
        return RenameFileSystem::renameNoReplace(dirFd, from, to);
    }
    int link(int dirFd, const char *from, const char *to) override {
        calls << QStringLiteral("link %1 %2").arg(from, to);
        if (renameError)
            return renameError;
        return RenameFileSystem::link(dirFd, from, to);
    }
    int unlink(int dirFd, const char *name) override {
        calls << QStringLiteral("unlink %1").arg(name);
        if (unlinkError && calls.size() == 3)
            return unlinkError;
        return RenameFileSystem::unlink(dirFd, name);
    }
    int identify(int dirFd, const char *name, Identity &id) override {
        if (sameFile.contains(QByteArray(name)))
            name = sameFile.first().constData();
        return RenameFileSystem::identify(dirFd, name, id);
    }
};

// A file system that calls `step(name)` at named points of a listing and a rename, so a test
// can change the folder in exactly that moment.
class SteppingFileSystem : public RenameFileSystem {
public:
    std::function<void(const QString &point)> step;

    void closeFolderStream(DIR *dir) override {
        RenameFileSystem::closeFolderStream(dir);
        step(QStringLiteral("listed"));
    }
    int open(int dirFd, const char *path, int flags, mode_t mode, int &fd) override {
        const bool renameOpen = flags & O_PATH;
        if (renameOpen)
            step(QStringLiteral("opening"));
        const int e = RenameFileSystem::open(dirFd, path, flags, mode, fd);
        if (renameOpen)
            step(QStringLiteral("opened"));
        return e;
    }
    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        const int e = RenameFileSystem::renameNoReplace(dirFd, from, to);
        step(QStringLiteral("renamed"));
        return e;
    }
};

} // namespace

class TestRenamer : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QByteArray m_dir;
    NullErrorReporter m_errorsIgnored;

private Q_SLOTS:
    void init() {
        // Each test works in a fresh folder inside the temporary one, so the temporary folder
        // itself shows whether anything left the folder.
        static int n = 0;
        m_dir = QFile::encodeName(m_tmp.path()) + "/f" + QByteArray::number(++n);
        QVERIFY(::mkdir(m_dir.constData(), 0755) == 0);
    }

    void renames_data() {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("outcomes");
        QTest::addColumn<State>("after");
        using L = QList<QByteArray>;
        QTest::newRow("plain") << L{"a.txt"} << QStringList{"1|a.txt|b.txt"}
                               << QStringList{"ok|a.txt|b.txt"} << State{{"b.txt", "a.txt"}};
        QTest::newRow("unticked-untouched")
            << L{"a.txt", "c.txt"} << QStringList{"0|a.txt|b.txt", "1|c.txt|d.txt"}
            << QStringList{"ok|c.txt|d.txt"} << State{{"a.txt", "a.txt"}, {"d.txt", "c.txt"}};
        QTest::newRow("exists/both-kept-run-goes-on")
            << L{"a.txt", "b.txt", "c.txt"} << QStringList{"1|a.txt|b.txt", "1|c.txt|d.txt"}
            << QStringList{"58|a.txt|b.txt", "ok|c.txt|d.txt"}
            << State{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"d.txt", "c.txt"}};
        QTest::newRow("exists/ignoring-case-is-another-file")
            << L{"a.txt", "B.txt"} << QStringList{"1|a.txt|B.txt"} << QStringList{"58|a.txt|B.txt"}
            << State{{"a.txt", "a.txt"}, {"B.txt", "B.txt"}};
        QTest::newRow("chain/target-freed-later-fails")
            << L{"a.txt", "b.txt"} << QStringList{"1|a.txt|b.txt", "1|b.txt|c.txt"}
            << QStringList{"58|a.txt|b.txt", "ok|b.txt|c.txt"}
            << State{{"a.txt", "a.txt"}, {"c.txt", "b.txt"}};
        QTest::newRow("chain/target-freed-earlier-works")
            << L{"a.txt", "b.txt"} << QStringList{"1|b.txt|c.txt", "1|a.txt|b.txt"}
            << QStringList{"ok|b.txt|c.txt", "ok|a.txt|b.txt"}
            << State{{"b.txt", "a.txt"}, {"c.txt", "b.txt"}};
        QTest::newRow("vanished") << L{} << QStringList{"1|gone.txt|new.txt"}
                                  << QStringList{"53|gone.txt|new.txt"} << State{};
        QTest::newRow("case-only") << L{"a.txt"} << QStringList{"1|a.txt|A.TXT"}
                                   << QStringList{"ok|a.txt|A.TXT"} << State{{"A.TXT", "a.txt"}};
        QTest::newRow("unchanged-name")
            << L{"README"} << QStringList{"1|README|README."} << QStringList{"ok|README|README"}
            << State{{"README", "README"}};
        QTest::newRow("trailing/dot") << L{"a.txt"} << QStringList{"1|a.txt|x."}
                                      << QStringList{"ok|a.txt|x"} << State{{"x", "a.txt"}};
        QTest::newRow("trailing/spaces-and-dots")
            << L{"a.txt"} << QStringList{"1|a.txt|x . .  "} << QStringList{"ok|a.txt|x"}
            << State{{"x", "a.txt"}};
        QTest::newRow("trailing/leading-kept")
            << L{"a.txt"} << QStringList{"1|a.txt| .x"} << QStringList{"ok|a.txt| .x"}
            << State{{" .x", "a.txt"}};
        const QByteArray longest(251, 'n');
        const QString longName = QString::fromLatin1(longest) + ".txt";
        QTest::newRow("hostile/old-names")
            << L{"tab\there", "new\nline", "back\\slash", "-dash", "%artist%.mp3", longest + ".txt"}
            << QStringList{"1|tab\there|1", "1|new\nline|2",    "1|back\\slash|3",
                           "1|-dash|4",     "1|%artist%.mp3|5", "1|" + longName + "|6"}
            << QStringList{"ok|tab\there|1", "ok|new\nline|2",    "ok|back\\slash|3",
                           "ok|-dash|4",     "ok|%artist%.mp3|5", "ok|" + longName + "|6"}
            << State{{"1", "tab\there"}, {"2", "new\nline"},    {"3", "back\\slash"},
                     {"4", "-dash"},     {"5", "%artist%.mp3"}, {"6", longest + ".txt"}};
        QTest::newRow("hostile/new-names")
            << L{"a"}
            << QStringList{"1|a|-x", "1|-x|t\tab\\%artist%", "1|t\tab\\%artist%|" + longName}
            << QStringList{"ok|a|-x", "ok|-x|t\tab\\%artist%", "ok|t\tab\\%artist%|" + longName}
            << State{{longest + ".txt", "a"}};
        // None of these reaches the file system; each is refused and the next row still runs.
        const QString tooLong = QString(252, u'n') + ".txt";
        const QString nul = QStringLiteral("x") + QChar(u'\0') + u'y';
        QTest::newRow("refused/unsafe-new-names")
            << L{"a.txt", "b.txt"}
            << QStringList{"1|a.txt|../x",       "1|a.txt|a/b",    "1|a.txt|",
                           "1|a.txt|.",          "1|a.txt|..",     "1|a.txt|...",
                           "1|a.txt|" + tooLong, "1|a.txt|" + nul, "1|b.txt|c.txt"}
            << QStringList{"52|a.txt|../x",       "52|a.txt|a/b",    "52|a.txt|",
                           "52|a.txt|",           "52|a.txt|",       "52|a.txt|",
                           "52|a.txt|" + tooLong, "52|a.txt|" + nul, "ok|b.txt|c.txt"}
            << State{{"a.txt", "a.txt"}, {"c.txt", "b.txt"}};
        QTest::newRow("refused/unsafe-old-names")
            << L{"a.txt"} << QStringList{"1|../a.txt|b", "1|/etc/passwd|c", "1|.|d", "1||e"}
            << QStringList{"52|../a.txt|b", "52|/etc/passwd|c", "52|.|d", "52||e"}
            << State{{"a.txt", "a.txt"}};
    }
    void renames() {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, outcomes);
        QFETCH(State, after);
        makeFiles(m_dir, files);
        makeFiles(m_dir + "/..", {m_dir.mid(m_dir.lastIndexOf('/') + 1) + "-outside"});
        const State around = folderState(m_dir + "/..");
        CollectingErrorReporter errors;
        const RenameRun run = Renamer(errors).run(QFile::decodeName(m_dir), rowsFrom(rows));
        QCOMPARE(outcomesText(run), outcomes);
        QCOMPARE(folderState(m_dir), after);
        QCOMPARE(folderState(m_dir + "/..").keys(), around.keys());
        QVERIFY(errors.empty());
        QVERIFY(!run.cancelled);
    }

    void messages_data() {
        QTest::addColumn<int>("injected");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("message");
        const QString head = QStringLiteral("Unable to rename the file a.txt to b.txt");
        const QString says = head + " because Linux says ";
        // The message names the name the rename tried: the row's "b.txt." without its trailing
        // dot. Only a file held busy is said to be in use.
        QTest::newRow("exists") << EEXIST << 58 << "a file with that name already exists"
                                << head + " because a file with that name already exist.";
        QTest::newRow("not-empty") << ENOTEMPTY << 58 << "a file with that name already exists"
                                   << head + " because a file with that name already exist.";
        QTest::newRow("vanished") << ENOENT << 53 << "the file no longer exists"
                                  << says + "the file no longer exists.";
        QTest::newRow("too-long") << ENAMETOOLONG << 52 << "the new name is too long"
                                  << says + "the new name is too long.";
        QTest::newRow("bad-sequence")
            << EILSEQ << 52 << "the file system does not accept the new name"
            << says + "the file system does not accept the new name.";
        QTest::newRow("invalid") << EINVAL << 5 << "invalid argument" << says + "invalid argument.";
        QTest::newRow("access") << EACCES << 75 << "permission denied"
                                << says + "permission denied.";
        QTest::newRow("immutable")
            << EPERM << 75 << "permission denied" << says + "permission denied.";
        QTest::newRow("read-only") << EROFS << 75 << "the file system is read-only"
                                   << says + "the file system is read-only.";
        QTest::newRow("busy") << EBUSY << 55 << "the file is in use"
                              << head + ", Linux says the file is in use.";
        QTest::newRow("text-busy")
            << ETXTBSY << 55 << "the file is in use" << head + ", Linux says the file is in use.";
    }
    void messages() {
        QFETCH(int, injected);
        QFETCH(int, number);
        QFETCH(QString, reason);
        QFETCH(QString, message);
        makeFiles(m_dir, {"a.txt", "c.txt"});
        FaultyFileSystem fs;
        fs.renameError = injected;
        CollectingErrorReporter errors;
        const auto rows = rowsFrom({"1|a.txt|b.txt."});
        const RenameRun run = Renamer(errors, &fs).run(QFile::decodeName(m_dir), rows);
        QCOMPARE(run.outcomes.size(), size_t(1));
        QCOMPARE(run.outcomes[0].errorNumber, number);
        QVERIFY(!run.outcomes[0].reported);
        QCOMPARE(run.outcomes[0].reason, reason);
        QCOMPARE(run.outcomes[0].message, message);
        QVERIFY(errors.empty());
        QCOMPARE(folderState(m_dir), (State{{"a.txt", "a.txt"}, {"c.txt", "c.txt"}}));
    }

    // A name the program refuses says what is wrong with it, never that the file is gone.
    void refusedNamesSayWhy_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << ""
                               << "the new name is empty";
        QTest::newRow("only-dots-and-spaces") << ". . "
                                              << "the new name is empty";
        QTest::newRow("dot") << "."
                             << "the new name is empty";
        QTest::newRow("dot-dot-with-slash") << "../x"
                                            << "the new name holds \"/\"";
        QTest::newRow("slash") << "a/b"
                               << "the new name holds \"/\"";
        QTest::newRow("nul") << QStringLiteral("x") + QChar(u'\0') + u'y'
                             << "the new name holds a null character";
        QTest::newRow("too-long") << QString(252, u'n') + ".txt"
                                  << "the new name is too long (256 bytes, at most 255)";
        QTest::newRow("too-long-in-bytes")
            << QString(128, QChar(0x00e9)) << "the new name is too long (256 bytes, at most 255)";
    }
    void refusedNamesSayWhy() {
        QFETCH(QString, newName);
        QFETCH(QString, reason);
        makeFiles(m_dir, {"a.txt"});
        CollectingErrorReporter errors;
        const RenameRun run =
            Renamer(errors).run(QFile::decodeName(m_dir), rowsFrom({"1|a.txt|" + newName}));
        QCOMPARE(run.outcomes.size(), size_t(1));
        QCOMPARE(run.outcomes[0].errorNumber, 52);
        QCOMPARE(run.outcomes[0].reason, reason);
        QCOMPARE(run.outcomes[0].message,
                 "Unable to rename the file a.txt to " + newName + " because " + reason + ".");
        QVERIFY(errors.empty());
        QCOMPARE(folderState(m_dir), (State{{"a.txt", "a.txt"}}));
    }

    void otherFailuresGoToErrorWindowAndRunGoesOn() {
        makeFiles(m_dir, {"a.txt", "c.txt"});
        FaultyFileSystem fs;
        fs.renameError = ENOSPC;
        CollectingErrorReporter errors;
        const QString dir = QFile::decodeName(m_dir);
        const RenameRun run =
            Renamer(errors, &fs).run(dir, rowsFrom({"1|a.txt|b.txt", "1|c.txt|d.txt"}));
        QCOMPARE(run.failedCount(), 2);
        QVERIFY(run.outcomes[0].reported);
        QCOMPARE(errors.reports.size(), size_t(2));
        QCOMPARE(errors.reports[0],
                 ErrorReport::system(216, ENOSPC,
                                     QString::fromLocal8Bit(strerror(ENOSPC)) + " - " + dir +
                                         "/a.txt - " + dir + "/b.txt")
                     .about(dir + "/a.txt"));
        QCOMPARE(run.outcomes[0].message, errors.reports[0].description);
        QCOMPARE(run.outcomes[0].reason, "no space left on device");
    }

    // The target appears after the preview was made: both files survive with their content.
    void targetMadeAfterPreviewIsKept() {
        makeFiles(m_dir, {"a.txt"});
        FileEntry f;
        f.fileName = QStringLiteral("a.txt");
        f.nativeName = "a.txt";
        const RuleTable rules = rulesFrom({"STANDARDSETTO|b||||||"});
        NullErrorReporter ignored;
        RuleEngine engine(rules, ignored);
        const auto preview = PreviewBuilder(engine, ignored).build(std::vector<FileEntry>{f});
        QCOMPARE(rowsText(preview.rows), QStringList{"1|a.txt|b.txt"});

        makeFiles(m_dir, {"b.txt"});
        CollectingErrorReporter errors;
        RenameRun run = Renamer(errors).run(QFile::decodeName(m_dir), preview.rows);
        QCOMPARE(outcomesText(run), QStringList{"58|a.txt|b.txt"});
        QCOMPARE(folderState(m_dir), (State{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));

        // The same when the target appears in the very moment of the rename.
        QVERIFY(::unlink((m_dir + "/b.txt").constData()) == 0);
        FaultyFileSystem racing;
        racing.createBeforeRename = "b.txt";
        run = Renamer(errors, &racing).run(QFile::decodeName(m_dir), preview.rows);
        QCOMPARE(outcomesText(run), QStringList{"58|a.txt|b.txt"});
        QCOMPARE(folderState(m_dir), (State{{"a.txt", "a.txt"}, {"b.txt", "raced"}}));
    }

    // Without RENAME_NOREPLACE the rename links and unlinks, which can never replace either.
    void linkFallbackNeverReplaces() {
        makeFiles(m_dir, {"a.txt", "b.txt", "c.txt"});
        FaultyFileSystem fs;
        fs.noRenameFlag = true;
        CollectingErrorReporter errors;
        RenameRun run =
            Renamer(errors, &fs)
                .run(QFile::decodeName(m_dir), rowsFrom({"1|a.txt|b.txt", "1|c.txt|d.txt"}));
        QCOMPARE(outcomesText(run), (QStringList{"58|a.txt|b.txt", "ok|c.txt|d.txt"}));
        QCOMPARE(folderState(m_dir),
                 (State{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"d.txt", "c.txt"}}));

        // When the old name cannot be removed the new link goes again: one file, one name.
        FaultyFileSystem stuck;
        stuck.noRenameFlag = true;
        stuck.unlinkError = EACCES;
        run = Renamer(errors, &stuck).run(QFile::decodeName(m_dir), rowsFrom({"1|d.txt|e.txt"}));
        QCOMPARE(outcomesText(run), QStringList{"75|d.txt|e.txt"});
        QCOMPARE(stuck.calls, (QStringList{"rename d.txt e.txt", "link d.txt e.txt", "unlink d.txt",
                                           "unlink e.txt"}));
        QCOMPARE(folderState(m_dir),
                 (State{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"d.txt", "c.txt"}}));
        QVERIFY(errors.empty());
    }

    // On a file system that ignores case the new name "exists": it is the file itself.
    void caseOnlyOnCaseInsensitiveFileSystem() {
        makeFiles(m_dir, {"photo.jpg"});
        FaultyFileSystem fs;
        fs.sameFile = {"photo.jpg", "PHOTO.JPG"};
        CollectingErrorReporter errors;
        const RenameRun run =
            Renamer(errors, &fs).run(QFile::decodeName(m_dir), rowsFrom({"1|photo.jpg|PHOTO.JPG"}));
        QCOMPARE(outcomesText(run), QStringList{"ok|photo.jpg|PHOTO.JPG"});
        QCOMPARE(folderState(m_dir), (State{{"PHOTO.JPG", "photo.jpg"}}));
    }

    // Two names of one file (a hard link) are still two names: no rename onto the other.
    void hardLinkedTargetIsNotReplaced() {
        makeFiles(m_dir, {"a.txt"});
        QVERIFY(::link((m_dir + "/a.txt").constData(), (m_dir + "/b.txt").constData()) == 0);
        CollectingErrorReporter errors;
        const RenameRun run =
            Renamer(errors).run(QFile::decodeName(m_dir), rowsFrom({"1|a.txt|b.txt"}));
        QCOMPARE(outcomesText(run), QStringList{"58|a.txt|b.txt"});
        QCOMPARE(folderState(m_dir), (State{{"a.txt", "a.txt"}, {"b.txt", "a.txt"}}));
    }

    void namesThatAreNotUtf8RenameFromTheirBytes() {
        makeFiles(m_dir, {"caf\xE9.txt", "caf\xE8.txt"});
        PreviewEntry row;
        row.setOldBytes("caf\xE9.txt");
        row.newName = QStringLiteral("café.txt");
        row.checked = true;
        CollectingErrorReporter errors;
        const RenameRun run = Renamer(errors).run(QFile::decodeName(m_dir), {row});
        QVERIFY(run.outcomes.at(0).ok);
        QCOMPARE(run.outcomes[0].oldBytes, QByteArray("caf\xE9.txt"));
        QCOMPARE(folderState(m_dir),
                 (State{{"caf\xC3\xA9.txt", "caf\xE9.txt"}, {"caf\xE8.txt", "caf\xE8.txt"}}));
        // QTemporaryDir cannot remove a name that is not UTF-8.
        QVERIFY(::unlink((m_dir + "/caf\xE8.txt").constData()) == 0);
    }

    void missingFolderFailsEveryTickedRow() {
        CollectingErrorReporter errors;
        const RenameRun run = Renamer(errors).run(QFile::decodeName(m_dir) + "/nowhere",
                                                  rowsFrom({"1|a.txt|b.txt", "0|c|d"}));
        QCOMPARE(outcomesText(run), QStringList{"53|a.txt|b.txt"});
    }

    // Another folder put in place of the listed one, by a link or a move, at each step from the
    // listing to the renames: the run renames in the listed folder or refuses as a whole, and
    // never reaches the other folder.
    void folderSwappedUnderTheRun_data() {
        QTest::addColumn<QString>("point");       // where the swap happens
        QTest::addColumn<QString>("replacement"); // "link" to the other folder, or a new "folder"
        QTest::addColumn<bool>("listedViaLink");  // the folder was named through a link
        QTest::addColumn<bool>("refused");
        QTest::newRow("after-listing/link") << "listed"
                                            << "link" << false << true;
        QTest::newRow("after-listing/new-folder") << "listed"
                                                  << "folder" << false << true;
        QTest::newRow("as-the-rename-opens/link") << "opening"
                                                  << "link" << false << true;
        QTest::newRow("as-the-rename-opens/new-folder") << "opening"
                                                        << "folder" << false << true;
        // Once open, the folder is held by its descriptor: the renames stay in it.
        QTest::newRow("after-the-rename-opened") << "opened"
                                                 << "link" << false << false;
        QTest::newRow("between-two-renames") << "renamed"
                                             << "link" << false << false;
        QTest::newRow("through-a-link/retargeted") << "listed"
                                                   << "link" << true << true;
        QTest::newRow("through-a-link/unchanged") << ""
                                                  << "" << true << false;
    }
    void folderSwappedUnderTheRun() {
        QFETCH(QString, point);
        QFETCH(QString, replacement);
        QFETCH(bool, listedViaLink);
        QFETCH(bool, refused);
        makeFiles(m_dir, {"a.txt", "b.txt"});
        const QByteArray other = m_dir + "-other", moved = m_dir + "-moved";
        QVERIFY(::mkdir(other.constData(), 0755) == 0);
        makeFiles(other, {"a.txt", "b.txt"});
        const State otherBefore = folderState(other);
        // The path the user named: the folder itself, or a link to it.
        QByteArray named = m_dir;
        if (listedViaLink) {
            named = m_dir + "-link";
            QVERIFY(::symlink(m_dir.constData(), named.constData()) == 0);
        }
        SteppingFileSystem fs;
        bool swapped = false;
        fs.step = [&](const QString &at) {
            if (swapped || at != point)
                return;
            swapped = true;
            if (listedViaLink) { // the link now leads elsewhere; the folder stays where it is
                QVERIFY(::unlink(named.constData()) == 0);
                QVERIFY(::symlink(other.constData(), named.constData()) == 0);
                return;
            }
            QVERIFY(::rename(m_dir.constData(), moved.constData()) == 0);
            if (replacement == u"link")
                QVERIFY(::symlink(other.constData(), m_dir.constData()) == 0);
            else
                QVERIFY(::mkdir(m_dir.constData(), 0755) == 0);
        };
        const QString folder = QFile::decodeName(named);
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        const DirectoryListing listing = listDirectory(folder, filter, errors, nullptr, fs);
        QVERIFY(listing.folder.known);
        QCOMPARE(listing.folder.viaLink, listedViaLink);
        QCOMPARE(listing.rows.size(), size_t(2));
        const RuleTable rules = rulesFrom({"STANDARDINSERT|x|Start|||||"});
        RuleEngine engine(rules, errors);
        const auto preview =
            PreviewBuilder(engine, errors).build(std::make_shared<const FileRows>(listing.rows));
        Renamer renamer(errors, &fs);
        renamer.setExpectedFolder(listing.folder);
        const RenameRun run = renamer.run(folder, preview.rows);
        QCOMPARE(swapped, !point.isEmpty());
        QVERIFY(errors.empty());
        QCOMPARE(folderState(other), otherBefore);
        // Where the listed folder is now.
        const QByteArray listed = swapped && !listedViaLink ? moved : m_dir;
        if (refused) {
            QCOMPARE(run.refusal, folderChangedMessage(folder));
            QVERIFY(run.outcomes.empty());
            QCOMPARE(folderState(listed), (State{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));
        } else {
            QVERIFY(run.refusal.isEmpty());
            QCOMPARE(outcomesText(run), (QStringList{"ok|a.txt|xa.txt", "ok|b.txt|xb.txt"}));
            QCOMPARE(folderState(listed), (State{{"xa.txt", "a.txt"}, {"xb.txt", "b.txt"}}));
        }
    }

    // The way through a temporary name (a file that "exists" under its new name is itself, as
    // on a file system that ignores case) meets a file made meanwhile: the temporary name never
    // stays behind unannounced.
    void temporaryNameNeverHidden_data() {
        QTest::addColumn<QList<QByteArray>>("madeMeanwhile"); // just before temp -> new name
        QTest::addColumn<bool>("stranded");
        QTest::newRow("back-to-old-name") << QList<QByteArray>{"PHOTO.JPG"} << false;
        QTest::newRow("old-name-taken-too") << QList<QByteArray>{"PHOTO.JPG", "photo.jpg"} << true;
    }
    void temporaryNameNeverHidden() {
        QFETCH(QList<QByteArray>, madeMeanwhile);
        QFETCH(bool, stranded);
        makeFiles(m_dir, {"photo.jpg"});
        FaultyFileSystem fs;
        fs.sameFile = {"photo.jpg", "PHOTO.JPG"};
        fs.beforeRename = [&](int dirFd, const char *from, const char *) {
            if (!QByteArray(from).startsWith(".tallowin-"))
                return;
            for (const QByteArray &name : std::exchange(madeMeanwhile, {})) {
                const int fd = ::openat(dirFd, name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
                QVERIFY(fd >= 0);
                QVERIFY(::write(fd, "raced", 5) == 5);
                ::close(fd);
            }
        };
        CollectingErrorReporter errors;
        const QString dir = QFile::decodeName(m_dir);
        const RenameRun run = Renamer(errors, &fs).run(dir, rowsFrom({"1|photo.jpg|PHOTO.JPG"}));
        QCOMPARE(outcomesText(run), QStringList{"58|photo.jpg|PHOTO.JPG"});
        const State after = folderState(m_dir);
        const QString exists = QStringLiteral("Unable to rename the file photo.jpg to PHOTO.JPG "
                                              "because a file with that name already exist.");
        if (!stranded) {
            QCOMPARE(after, (State{{"photo.jpg", "photo.jpg"}, {"PHOTO.JPG", "raced"}}));
            QCOMPARE(run.outcomes[0].message, exists);
            return;
        }
        // The file is kept under its temporary name, and the message says which and where.
        QCOMPARE(after.size(), 3);
        const QByteArray temp = after.firstKey();
        QVERIFY2(temp.startsWith(".tallowin-") && temp.endsWith(".tmp"), temp.constData());
        QCOMPARE(after.value(temp), QByteArray("photo.jpg"));
        QCOMPARE(run.outcomes[0].message,
                 exists + " The file is now named " + QString::fromUtf8(temp) + " in " + dir +
                     "/: its old name was taken meanwhile, so it could not go back.");
    }

    // Each row's outcome is told before the next row is touched, so it can be shown at once.
    void eachOutcomeToldBeforeTheNextRow() {
        makeFiles(m_dir, {"a", "b"});
        FaultyFileSystem fs;
        Renamer renamer(m_errorsIgnored, &fs);
        renamer.setRowDone([&](const RenameOutcome &o) {
            fs.calls << QStringLiteral("done ") + QString::fromUtf8(o.oldBytes);
        });
        renamer.run(QFile::decodeName(m_dir), rowsFrom({"1|a|x", "0|c|z", "1|b|y"}));
        QCOMPARE(fs.calls, (QStringList{"rename a x", "done a", "rename b y", "done b"}));
    }

    void progressNamesEveryRowAndCancelStops() {
        makeFiles(m_dir, {"a", "b", "c"});
        struct Recording : Progress {
            QStringList log;
            void setStatus(const QString &s) override {
                log << s;
                if (s.startsWith(u"b "))
                    cancel();
            }
            void setCompleted(qint32 m, qint32 c) override {
                log << QStringLiteral("%1/%2").arg(c).arg(m);
            }
        } progress;
        CollectingErrorReporter errors;
        const RenameRun run = Renamer(errors).run(QFile::decodeName(m_dir),
                                                  rowsFrom({"0|a|x", "1|b|y", "1|c|z"}), &progress);
        QVERIFY(run.cancelled);
        QCOMPARE(outcomesText(run), QStringList{"ok|b|y"});
        QCOMPARE(progress.log, (QStringList{"Preparing To Apply File Name Changes", "0/3",
                                            "a --> x", "1/3", "b --> y", "2/3"}));
        QCOMPARE(folderState(m_dir), (State{{"a", "a"}, {"y", "b"}, {"c", "c"}}));
    }
};

QTEST_GUILESS_MAIN(TestRenamer)
#include "tst_renamer.moc"
