#include "mainwindow_helper.h"

#include "journal/journal.h"
#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewwindow.h"
#include "ui/undoflow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tallowin;
using namespace tallowin::ui;
using namespace testing;

namespace {

// Renames "old>new" pairs in `folder` as a journalled run, as the preview window does.
void journalledRename(const QString &folder, const QStringList &pairs) {
    std::vector<PreviewEntry> rows;
    for (const QString &p : pairs) {
        PreviewEntry row;
        row.setOldName(p.section(u'>', 0, 0));
        row.newName = p.section(u'>', 1);
        row.checked = true;
        rows.push_back(row);
    }
    JournalStore journals;
    JournalWriter journal(journals, folder);
    CollectingErrorReporter errors;
    Renamer renamer(errors);
    renamer.setObserver(&journal);
    QCOMPARE(renamer.run(folder, rows).failedCount(), 0);
}

QMessageBox *confirmation() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("msgUndoLastRename") && w->isVisible())
            return qobject_cast<QMessageBox *>(w);
    return nullptr;
}

} // namespace

class TestUndoLastRename : public QObject {
    Q_OBJECT
    QTemporaryDir m_state;

private Q_SLOTS:
    void init() {
        QDir(m_state.path()).removeRecursively();
        QDir().mkpath(m_state.path());
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path()));
    }

    // The button and Ctrl+Z ask first, showing how many files go back; the result lists the
    // file that could not, and the file list shows the folder afterwards.
    void undoAsksThenTellsWhatCouldNot_data() {
        QTest::addColumn<bool>("shortcut");
        QTest::newRow("toolbar-button") << false;
        QTest::newRow("ctrl-z") << true;
    }
    void undoAsksThenTellsWhatCouldNot() {
        QFETCH(bool, shortcut);
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.txt", "b.txt", "c.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        journalledRename(dir.path(), {"a.txt>x.txt", "b.txt>y.txt", "c.txt>z.txt"});
        // y.txt is changed by hand: another file now has the name.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("y.txt"))));
        makeFiles(dir.path(), {"y.txt"});
        if (shortcut) {
            QApplication::setActiveWindow(&f.w());
            f.get<QWidget>("lstFilesToRename")->setFocus();
            QTest::keyClick(&f.w(), Qt::Key_Z, Qt::ControlModifier);
        } else {
            f.click("cmdUndo");
        }
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = confirmation()) != nullptr);
        QVERIFY(box->text().contains(QStringLiteral("2 files go back to their old names.")));
        QVERIFY(box->text().contains(
            QStringLiteral("1 file changed since the rename and stays as it is.")));
        QVERIFY(f.listAfter([&] {
            QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdUndoConfirm")),
                              Qt::LeftButton);
        }));
        MessageWindow *messages = f.app->messageWindow();
        QTRY_VERIFY(messages->isVisible());
        QCOMPARE(messages->message(),
                 QStringLiteral("2 files went back to their old names.\nThese could not go "
                                "back:\ny.txt -> b.txt: it was changed since the rename: its new "
                                "name no longer names that file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{"a.txt", "c.txt", "y.txt"}));
        QCOMPARE(f.names(), (QStringList{"a.txt", "c.txt", "y.txt"}));
    }

    void cancelLeavesEverything() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        journalledRename(dir.path(), {"a.txt>b.txt"});
        f.click("cmdUndo");
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = confirmation()) != nullptr);
        QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdUndoCancel")),
                          Qt::LeftButton);
        QTRY_VERIFY(!confirmation());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"b.txt"});
        QCOMPARE(JournalStore().lastUndoable(), 1);
    }

    // The number of runs kept is the user's, whichever front end renames: a rename from the
    // window with 60 runs already kept keeps 60, not the default 50.
    void windowRenameKeepsAsManyRunsAsAsked() {
        qputenv("TALLOWIN_JOURNAL_KEEP", "60");
        const auto unset = qScopeGuard([] { qunsetenv("TALLOWIN_JOURNAL_KEEP"); });
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.txt", "b.txt"});
        for (int i = 0; i < 30; ++i) {
            journalledRename(dir.path(), {"a.txt>c.txt"});
            journalledRename(dir.path(), {"c.txt>a.txt"});
        }
        QCOMPARE(JournalStore().ids().size(), size_t(60));

        Fixture f;
        f.chooseFolder(dir.path());
        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
        f.w().displayRules();
        QSignalSpy finished(f.app->previewFlow(), &PreviewFlow::previewFinished);
        f.click("cmdPreview");
        QVERIFY(finished.wait(10000));
        QVERIFY(f.listAfter([&] {
            QTest::mouseClick(
                f.app->previewWindow()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
                Qt::LeftButton);
        }));
        QCOMPARE(f.names(), (QStringList{"xa.txt", "xb.txt"}));
        const std::vector<qint64> kept = JournalStore(JournalStore::defaultFolder(), 1000).ids();
        QCOMPARE(kept.size(), size_t(60));
        QCOMPARE(kept.front(), 2); // the oldest went, and only it
        QCOMPARE(kept.back(), 61);
    }

    void nothingToUndoIsTold() {
        Fixture f;
        f.click("cmdUndo");
        QTRY_VERIFY(f.app->messageWindow()->isVisible());
        QCOMPARE(f.app->messageWindow()->message(), QStringLiteral("There is no rename to undo."));
        QVERIFY(!confirmation());
    }
};

QTEST_MAIN(TestUndoLastRename)
#include "tst_undolastrename.moc"
