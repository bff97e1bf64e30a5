#include "ui/errorwindow.h"
#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/renamesummary.h"
#include "ui/statuswindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <unistd.h>

using namespace tallowin;
using namespace tallowin::ui;

namespace {
// Holds a rename until the test lets it go, or fails every rename with one error number.
class TestFileSystem : public RenameFileSystem {
public:
    int failWith = 0;
    // The rename with this number (from 1) waits for `gate`.
    int holdAt = 0;
    QSemaphore gate;
    std::atomic<int> calls{0};
    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        // Bounded, so a test that fails before opening the gate still ends.
        if (++calls == holdAt && !gate.tryAcquire(1, 20000))
            return EIO;
        if (failWith)
            return failWith;
        return RenameFileSystem::renameNoReplace(dirFd, from, to);
    }
};
} // namespace

class TestPreviewFlow : public QObject {
    Q_OBJECT

    QWidget owner; // stands in for the main window
    // The windows the flow works with, connected as the application controller does.
    ErrorWindow errors;
    MessageWindow messages;
    StatusWindow status;
    PreviewWindow preview{status, errors.reporter()};
    std::unique_ptr<PreviewFlow> flow;

    static void touch(const QString &path, const QByteArray &content = "x") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static std::vector<FileEntry> listed(const QString &folder) {
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        return listDirectory(folder, filter, errors).rows.entries();
    }
    static QStringList onDisk(const QString &folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static std::vector<FileEntry> untick(std::vector<FileEntry> rows, const QString &name) {
        for (auto &r : rows)
            if (r.fileName == name)
                r.checked = false;
        return rows;
    }
    // Runs a preview to its end; returns the Preview button's states in order.
    QList<bool> runPreview(const QString &folder, const std::vector<FileEntry> &files,
                           const RuleTable &rules) {
        QSignalSpy enabled(flow.get(), &PreviewFlow::previewEnabledChanged);
        QSignalSpy finished(flow.get(), &PreviewFlow::previewFinished);
        flow->preview(folder, files, rules);
        if (finished.isEmpty())
            finished.wait(20000);
        QList<bool> states;
        for (const auto &args : enabled)
            states << args.first().toBool();
        return states;
    }
    void clickRename() {
        QSignalSpy renamed(flow.get(), &PreviewFlow::renameFinished);
        QTest::mouseClick(flow->window()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
                          Qt::LeftButton);
        QVERIFY(renamed.wait(20000));
    }

private Q_SLOTS:
    void initTestCase() {
        connect(&preview, &PreviewWindow::messageRequested, &messages, &MessageWindow::showMessage);
    }
    void init() {
        flow = std::make_unique<PreviewFlow>(preview, status, errors.reporter(), &owner);
        connect(flow.get(), &PreviewFlow::messageRequested, &messages, &MessageWindow::showMessage);
        messages.hide();
        errors.hide();
        preview.summary()->hide();
        flow->window()->clearRows();
        flow->window()->hide();
    }
    void cleanup() {
        flow->window()->setRenameFileSystem(nullptr);
        flow.reset();
    }

    void previewThenRenameOnDisk() {
        QTemporaryDir dir;
        for (const char *name : {"b.txt", "a.txt", "keep.txt", "README"})
            touch(dir.filePath(QString::fromLatin1(name)));
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("new "), QStringLiteral("Start"));
        QSignalSpy relist(flow.get(), &PreviewFlow::renameFinished);

        const auto states =
            runPreview(dir.path(), untick(listed(dir.path()), QStringLiteral("keep.txt")), rules);
        QCOMPARE(states, (QList<bool>{false, true}));
        QVERIFY(flow->window()->isVisible());
        QVERIFY(!status.isVisible());
        QCOMPARE(owner.cursor().shape(), Qt::ArrowCursor);
        const auto &rows = flow->window()->model()->review().rows();
        QCOMPARE(rows.size(), size_t(3));
        const auto readme = std::find_if(rows.begin(), rows.end(), [](const PreviewEntry &e) {
            return e.oldName() == QLatin1String("README");
        });
        QVERIFY(readme != rows.end());
        QCOMPARE(readme->newName, QStringLiteral("new README."));
        // Nothing is renamed before the user asks.
        QCOMPARE(onDisk(dir.path()), (QStringList{"README", "a.txt", "b.txt", "keep.txt"}));

        clickRename();
        QCOMPARE(onDisk(dir.path()),
                 (QStringList{"keep.txt", "new README", "new a.txt", "new b.txt"}));
        QCOMPARE(relist.size(), 1);
        QVERIFY(!flow->window()->isVisible());
        QVERIFY(!status.isVisible());
        QCOMPARE(flow->window()->model()->rowCount(), 0);
        QVERIFY(!messages.isVisible());
    }

    void renameFailuresAreToldAndTheRunGoesOn_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("unticked");
        QTest::addColumn<QString>("vanished");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("failure");
        QTest::newRow("target-exists") << QStringList{"a.txt", "b.txt", "c.txt"} << "b.txt"
                                       << QString() << QStringList{"a.txt", "b.txt", "d.txt"}
                                       << "a.txt\tb.txt\ta file with that name already exists";
        QTest::newRow("vanished-after-preview")
            << QStringList{"c.txt", "x.txt"} << QString() << "x.txt" << QStringList{"d.txt"}
            << "x.txt\ty.txt\tthe file no longer exists";
    }
    void renameFailuresAreToldAndTheRunGoesOn() {
        QFETCH(QStringList, files);
        QFETCH(QString, unticked);
        QFETCH(QString, vanished);
        QFETCH(QStringList, after);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        for (const QString &name : files)
            touch(dir.filePath(name), name.toUtf8());
        RuleTable rules;
        rules.addRule(RuleKinds::Replace, QStringLiteral("a"), QStringLiteral("b"),
                      QStringLiteral("0"));
        rules.addRule(RuleKinds::Replace, QStringLiteral("c"), QStringLiteral("d"),
                      QStringLiteral("0"));
        rules.addRule(RuleKinds::Replace, QStringLiteral("x"), QStringLiteral("y"),
                      QStringLiteral("0"));
        runPreview(dir.path(), untick(listed(dir.path()), unticked), rules);
        QVERIFY(flow->window()->isVisible());
        if (!vanished.isEmpty())
            QVERIFY(QFile::remove(dir.filePath(vanished)));

        clickRename();
        QCOMPARE(onDisk(dir.path()), after);
        // No file was overwritten: each still holds its own name.
        for (const QString &name : after) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            if (files.contains(name))
                QCOMPARE(f.readAll(), name.toUtf8());
        }
        // Told in the summary, which lists every failure; not one message replacing another.
        QVERIFY(preview.summary()->isVisible());
        QCOMPARE(preview.summary()->failures(), QStringList{failure});
        QVERIFY(!messages.isVisible());
        QVERIFY(!flow->window()->isVisible());
        QVERIFY(!errors.isVisible());
    }

    void otherFailuresGoToTheErrorWindow_data() {
        QTest::addColumn<int>("errnoValue");
        QTest::newRow("no-space") << int(ENOSPC);
        QTest::newRow("io-error") << int(EIO);
    }
    void otherFailuresGoToTheErrorWindow() {
        QFETCH(int, errnoValue);
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("a.txt")));
        TestFileSystem fs;
        fs.failWith = errnoValue;
        flow->window()->setRenameFileSystem(&fs);
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("b"), QStringLiteral("Start"));
        runPreview(dir.path(), listed(dir.path()), rules);
        clickRename();
        QTRY_VERIFY(errors.isVisible());
        QCOMPARE(errors.report().location, 216);
        QCOMPARE(errors.report().number, errnoValue);
        const QString folder = QDir(dir.path()).absolutePath() + u'/';
        QVERIFY2(errors.report().description.endsWith(QStringLiteral(" - ") + folder +
                                                      QStringLiteral("a.txt - ") + folder +
                                                      QStringLiteral("ba.txt")),
                 qPrintable(errors.report().description));
        QVERIFY(!messages.isVisible());
        QCOMPARE(onDisk(dir.path()), QStringList{"a.txt"});
        QVERIFY(!flow->window()->isVisible());
    }

    // The folder is moved away and another put in its place (a link or a new folder) between
    // the preview and its Rename: nothing is renamed, the user is told to list it again, and
    // the main window lists afresh.
    void renameRefusedWhenTheFolderChangedAfterThePreview_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("link-to-another-folder") << true;
        QTest::newRow("new-folder") << false;
    }
    void renameRefusedWhenTheFolderChangedAfterThePreview() {
        QFETCH(bool, link);
        QTemporaryDir dir;
        const QString folder = dir.filePath("d"), other = dir.filePath("other");
        QVERIFY(QDir().mkdir(folder) && QDir().mkdir(other));
        touch(folder + "/a.txt", "mine");
        touch(other + "/a.txt", "other");
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
        DirectoryFilter filter;
        CollectingErrorReporter listingErrors;
        const DirectoryListing listing = listDirectory(folder, filter, listingErrors);
        QSignalSpy finished(flow.get(), &PreviewFlow::previewFinished);
        flow->preview(folder, listing.rows.entries(), rules, listing.folder);
        QVERIFY(finished.wait(20000));
        QVERIFY(flow->window()->isVisible());

        QVERIFY(QDir().rename(folder, dir.filePath("d.moved")));
        if (link)
            QVERIFY(QFile::link(other, folder));
        else
            QVERIFY(QDir().mkdir(folder));
        QSignalSpy told(&preview, &PreviewWindow::messageRequested);
        QSignalSpy statusLine(&preview, &PreviewWindow::statusRequested);
        clickRename();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().first().toString(), folderChangedMessage(folder));
        QCOMPARE(statusLine.size(), 1);
        QCOMPARE(statusLine.first().first().toString(), QStringLiteral("Nothing was renamed."));
        QCOMPARE(onDisk(other), QStringList{"a.txt"});
        QCOMPARE(onDisk(dir.filePath("d.moved")), QStringList{"a.txt"});
        QVERIFY(!flow->window()->isVisible());
        QVERIFY(!errors.isVisible());
    }

    void cancelStopsARenameBetweenFiles() {
        QTemporaryDir dir;
        QStringList names;
        for (int i = 0; i < 60; ++i)
            touch(dir.filePath(
                names.emplace_back(QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0')))));
        TestFileSystem fs;
        fs.holdAt = 3; // the cancel comes while the third rename runs
        flow->window()->setRenameFileSystem(&fs);
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
        runPreview(dir.path(), listed(dir.path()), rules);

        QSignalSpy renamed(flow.get(), &PreviewFlow::renameFinished);
        // However the test ends, the held rename goes on and the run ends before `fs` goes.
        const auto endRun = qScopeGuard([&] {
            fs.gate.release();
            if (!QTest::qWaitFor([&] { return !renamed.isEmpty(); }, 20000))
                qWarning("the rename run did not end");
        });
        QTest::mouseClick(flow->window()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
                          Qt::LeftButton);
        QVERIFY(status.isVisible());
        QTRY_COMPARE(fs.calls.load(), 3);
        QTest::mouseClick(status.findChild<QPushButton *>(QStringLiteral("cmdCancel")),
                          Qt::LeftButton);
        fs.gate.release();
        QVERIFY(renamed.wait(20000));
        const QStringList after = onDisk(dir.path());
        const qsizetype done = std::count_if(after.begin(), after.end(),
                                             [](const QString &n) { return n.startsWith(u'x'); });
        // The rename held when Cancel came is finished; none after it is begun.
        QCOMPARE(done, 3);
        QCOMPARE(after.size(), 60);
        QVERIFY(!status.isVisible());
        QVERIFY(!flow->window()->isVisible());
        QCOMPARE(flow->window()->model()->rowCount(), 0);
    }

    void nameThatIsNotUtf8IsRenamedFromItsBytes() {
        QTemporaryDir dir;
        const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9.txt";
        {
            QFile f;
            QVERIFY(f.open(::fopen(latin1.constData(), "w"), QIODevice::WriteOnly,
                           QFile::AutoCloseHandle));
        }
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("menu "), QStringLiteral("Start"));
        runPreview(dir.path(), listed(dir.path()), rules);
        QCOMPARE(flow->window()->model()->rowCount(), 1);
        clickRename();
        QVERIFY(!messages.isVisible());
        QVERIFY(::access(latin1.constData(), F_OK) != 0);
        // The one file left has the new name, its byte that is not UTF-8 as it was (QDir cannot
        // list such a name: read the folder itself).
        QList<QByteArray> after;
        DIR *d = ::opendir(QFile::encodeName(dir.path()).constData());
        QVERIFY(d);
        while (dirent *e = ::readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                after << QByteArray(e->d_name);
        ::closedir(d);
        QCOMPARE(after, QList<QByteArray>{"menu caf\xe9.txt"});
        ::unlink((QFile::encodeName(dir.path()) + "/menu caf\xe9.txt").constData());
    }

    // Swaps go through only with "Allow swaps and chains"; without it nothing is overwritten.
    void swapsNeedAllowSwaps_data() {
        QTest::addColumn<bool>("allow");
        QTest::addColumn<QByteArray>("aHolds");
        QTest::newRow("off") << false << QByteArray("A");
        QTest::newRow("allowed") << true << QByteArray("B");
    }
    void swapsNeedAllowSwaps() {
        QFETCH(bool, allow);
        QFETCH(QByteArray, aHolds);
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("a.txt")), "A");
        touch(dir.filePath(QStringLiteral("b.txt")), "B");
        flow->setFolderSource([&dir] { return dir.path(); });
        auto *box = preview.findChild<QCheckBox *>(QStringLiteral("chkAllowSwaps"));
        QVERIFY(box);
        QVERIFY(!box->accessibleName().isEmpty());
        box->setChecked(allow);
        std::vector<PreviewEntry> rows(2);
        rows[0].setOldName(rows[1].newName = QStringLiteral("a.txt"));
        rows[1].setOldName(rows[0].newName = QStringLiteral("b.txt"));
        rows[0].checked = rows[1].checked = true;
        preview.showRows(rows);
        clickRename();
        box->setChecked(false);
        QFile a(dir.filePath(QStringLiteral("a.txt")));
        QVERIFY(a.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), aHolds);
        QCOMPARE(onDisk(dir.path()), (QStringList{"a.txt", "b.txt"}));
        // Without swaps the first row finds b.txt taken: its failure is told in the summary.
        QCOMPARE(preview.summary()->isVisible(), !allow);
    }

    void renameUsesTheFolderShownWhenItStarts() {
        QTemporaryDir first, second;
        touch(first.filePath(QStringLiteral("song.mp3")));
        touch(second.filePath(QStringLiteral("song.mp3")));
        QString shown = first.path();
        flow->setFolderSource([&shown] { return shown; });
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("01 "), QStringLiteral("Start"));
        runPreview(first.path(), listed(first.path()), rules);
        shown = second.path(); // the user picked another folder before renaming
        clickRename();
        QCOMPARE(onDisk(first.path()), QStringList{"song.mp3"});
        QCOMPARE(onDisk(second.path()), QStringList{"01 song.mp3"});
    }

    void noRulesIsToldAndNothingRuns() {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("a.txt")));
        const auto states = runPreview(dir.path(), listed(dir.path()), RuleTable{});
        QCOMPARE(states, (QList<bool>{false, true}));
        QVERIFY(messages.isVisible());
        QCOMPARE(messages.message(), NoRulesMessage);
        QVERIFY(!flow->window()->isVisible());
        QVERIFY(!status.isVisible());
    }

    void noTickedFileOpensAnEmptyPreview() {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("a.txt")));
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("End"));
        runPreview(dir.path(), untick(listed(dir.path()), QStringLiteral("a.txt")), rules);
        QVERIFY(flow->window()->isVisible());
        QCOMPARE(flow->window()->findChild<QLabel *>(QStringLiteral("lblFilesSelected"))->text(),
                 QStringLiteral("0 Files Selected"));
        QCOMPARE(flow->window()->findChild<QLabel *>(QStringLiteral("lblFilesShown"))->text(),
                 QStringLiteral("0 Files Shown"));
    }

    void failedPreviewRestoresEverything() {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("ab.txt")));
        RuleTable rules;
        rules.addRule(RuleKinds::Remove, QStringLiteral("10"), QStringLiteral("Start"));
        const auto states = runPreview(dir.path(), listed(dir.path()), rules);
        QCOMPARE(states, (QList<bool>{false, true}));
        // The rule's report first, then the run's, which is the one left in view.
        QTRY_VERIFY(errors.isVisible());
        QCOMPARE(errors.report().location, 50);
        QVERIFY(errors.report().description.endsWith(QStringLiteral(" Position: 8")));
        QVERIFY(!flow->window()->isVisible());
        QVERIFY(!status.isVisible());
        QCOMPARE(owner.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!flow->isRunning());
    }

    void cancelledPreviewShowsNothingAndEnablesPreview() {
        std::vector<FileEntry> files(200000);
        for (size_t i = 0; i < files.size(); ++i)
            files[i].fileName = QStringLiteral("file %1.txt").arg(i);
        RuleTable rules;
        for (int i = 0; i < MaxRules; ++i)
            rules.addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("End"));
        QSignalSpy finished(flow.get(), &PreviewFlow::previewFinished);
        QSignalSpy enabled(flow.get(), &PreviewFlow::previewEnabledChanged);
        flow->preview(QDir::tempPath(), files, rules);
        QVERIFY(status.isVisible());
        QVERIFY(flow->isRunning());
        // A second click while running is ignored.
        flow->preview(QDir::tempPath(), files, rules);
        QTest::mouseClick(status.findChild<QPushButton *>(QStringLiteral("cmdCancel")),
                          Qt::LeftButton);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(enabled.size(), 2);
        QCOMPARE(enabled.last().first().toBool(), true);
        QVERIFY(!flow->window()->isVisible());
        QVERIFY(!status.isVisible());
    }
};

QTEST_MAIN(TestPreviewFlow)
#include "tst_previewflow.moc"
