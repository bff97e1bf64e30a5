#include "ui/errorwindow.h"
#include "ui/previewflow.h"
#include "ui/previewwindow.h"
#include "ui/renamesummary.h"
#include "ui/statuswindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace tallowin;
using namespace tallowin::ui;

namespace {
// Fails the rename of chosen files, each with its own error number.
class PickyFileSystem : public RenameFileSystem {
public:
    QHash<QByteArray, int> failures;
    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        if (const int e = failures.value(QByteArray(from)))
            return e;
        return RenameFileSystem::renameNoReplace(dirFd, from, to);
    }
};
} // namespace

// After a rename run, every failed file is listed with its true reason in one window, and the
// main window's status line says how the run went.
class TestRenameSummary : public QObject {
    Q_OBJECT

    QWidget owner;
    ErrorWindow errors;
    StatusWindow status;
    PreviewWindow preview{status, errors.reporter()};

    // Previews "x" + name for every file of `dir`, renames through `fs`, returns the status
    // line's words.
    QString previewAndRename(const QString &dir, PickyFileSystem &fs) {
        PreviewFlow flow(preview, status, errors.reporter(), &owner);
        preview.setRenameFileSystem(&fs);
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
        QSignalSpy previewed(&flow, &PreviewFlow::previewFinished);
        DirectoryFilter filter;
        CollectingErrorReporter listingErrors;
        flow.preview(dir, listDirectory(dir, filter, listingErrors).rows.entries(), rules);
        if (previewed.isEmpty() && !previewed.wait(20000))
            return QStringLiteral("no preview");
        QSignalSpy told(&preview, &PreviewWindow::statusRequested);
        QSignalSpy renamed(&flow, &PreviewFlow::renameFinished);
        QTest::keyClick(preview.findChild<QPushButton *>(QStringLiteral("cmdRename")),
                        Qt::Key_Space);
        if (!renamed.wait(20000))
            return QStringLiteral("no rename");
        preview.setRenameFileSystem(nullptr);
        return told.isEmpty() ? QString() : told.last().first().toString();
    }

    static void touch(const QString &dir, const QStringList &names) {
        for (const QString &n : names) {
            QFile f(dir + u'/' + n);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }

private Q_SLOTS:
    void init() {
        preview.summary()->hide();
        errors.hide();
    }

    void everyFailureListedWithItsTrueReason() {
        QTemporaryDir dir;
        touch(dir.path(), {"a.txt", "b.txt", "c.txt", "d.txt"});
        PickyFileSystem fs;
        fs.failures = {{"a.txt", EACCES}, {"b.txt", EROFS}, {"c.txt", EIO}};
        const QString told = previewAndRename(dir.path(), fs);

        QCOMPARE(told, QStringLiteral("1 renamed, 3 failed"));
        RenameSummaryWindow *summary = preview.summary();
        QVERIFY(summary->isVisible());
        QCOMPARE(summary->counts(), QStringLiteral("1 renamed, 3 failed"));
        const QStringList rows{"a.txt\txa.txt\tpermission denied",
                               "b.txt\txb.txt\tthe file system is read-only",
                               "c.txt\txc.txt\tinput/output error"};
        QCOMPARE(summary->failures(), rows);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{"a.txt", "b.txt", "c.txt", "xd.txt"}));
        // A failure the program did not foresee is also reported for the maker.
        QVERIFY(errors.isVisible());
        QCOMPARE(errors.report().number, EIO);

        QTest::keyClick(summary->findChild<QPushButton *>(QStringLiteral("cmdCopy")),
                        Qt::Key_Space);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(QStringLiteral("1 renamed, 3 failed\n")), qPrintable(copied));
        for (const QString &row : rows)
            QVERIFY2(copied.contains(row + u'\n'), qPrintable(copied));

        QTest::keyClick(summary, Qt::Key_Escape);
        QVERIFY(!summary->isVisible());
    }

    void runWithoutFailureSaysHowManyWereRenamed_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("told");
        QTest::newRow("one") << QStringList{"a.txt"} << "1 file renamed.";
        QTest::newRow("three") << QStringList{"a.txt", "b.txt", "c.txt"} << "3 files renamed.";
    }
    void runWithoutFailureSaysHowManyWereRenamed() {
        QFETCH(QStringList, files);
        QFETCH(QString, told);
        QTemporaryDir dir;
        touch(dir.path(), files);
        PickyFileSystem fs;
        QCOMPARE(previewAndRename(dir.path(), fs), told);
        QVERIFY(!preview.summary()->isVisible());
        QVERIFY(!errors.isVisible());
    }
};

QTEST_MAIN(TestRenameSummary)
#include "tst_renamesummary.moc"
