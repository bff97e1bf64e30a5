#include "mainwindow_helper.h"

#include "engine/ruleengine.h"
#include "preview/previewbuilder.h"
#include "ui/errorwindow.h"
#include "ui/job.h"
#include "ui/messagewindow.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>

using namespace tallowin;
using namespace testing;

namespace {

const QStringList Ten = {"a1.txt", "b2.txt", "c3.txt", "d4.txt", "e5.txt",
                         "f6.txt", "g7.txt", "h8.txt", "i9.txt", "j10.txt"};

// Answers the next blocking message box with `button` as soon as it shows.
void answerMessageBox(QMessageBox::StandardButton button, bool *seen) {
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerMessageBox(button, seen);
            return;
        }
        *seen = true;
        box->button(button)->click();
    });
}

// Runs every event posted before the call (a queued signal, a deferred call) and returns true
// once they have run: what they would start has started when it returns.
bool drainPostedEvents() {
    bool drained = false;
    QTimer::singleShot(0, [&drained] { drained = true; });
    return QTest::qWaitFor([&drained] { return drained; }, 10000);
}

} // namespace

class TestFileSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTicksAndCounts();
    void filterRunsOnlyOnClick();
    void settingsSurviveRestart();
    void removedLastFolderDoesNotStopLoading();
    void unreadableStoredOptionIsReported();
    void failedSettingsWriteIsTold();
    void driveWithoutMediumKeepsThePickers();
    void systemFilesWarning_data();
    void systemFilesWarning();
    void headerClickSortsEachColumn();
    void tickDuringSortIsKept();
    void previewReadsSharedRowsInTheOrderShown();
    void listingReplacesARunningSort();
    void pictureButtonShowsPressedLook();
    void draggingMovesWindowWithLeftButtonOnly_data();
    void draggingMovesWindowWithLeftButtonOnly();
};

void TestFileSelection::listsTicksAndCounts() {
    QTemporaryDir dir;
    makeFiles(dir.path(), Ten);
    Fixture f;
    f.chooseFolder(dir.path());
    QCOMPARE(f.names().size(), 10);
    QCOMPARE(f.names().first(), QStringLiteral("a1.txt"));
    QCOMPARE(f.text("lblFilesShown"), QStringLiteral("10 Files Shown"));
    QCOMPARE(f.text("lblFilesSelected"), QStringLiteral("10 Files Selected"));

    // Untick two rows the way the list does: through its model's check state.
    auto *view = f.get<QTableView>("lstFilesToRename");
    view->model()->setData(view->model()->index(2, 0), Qt::Unchecked, Qt::CheckStateRole);
    view->setCurrentIndex(view->model()->index(5, 0));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(f.text("lblFilesSelected"), QStringLiteral("8 Files Selected"));
    QCOMPARE(f.text("lblFilesShown"), QStringLiteral("10 Files Shown"));

    f.click("cmdSelectAllFiles");
    QCOMPARE(f.text("lblFilesSelected"), QStringLiteral("10 Files Selected"));
    f.click("cmdClearAllFiles");
    QCOMPARE(f.text("lblFilesSelected"), QStringLiteral("0 Files Selected"));
    QCOMPARE(f.w().fileList()->checkedCount(), 0);

    // Choosing the folder stores it at once.
    QTRY_COMPARE(f.settings.setting(Settings::App, Settings::Section, Settings::LastPath),
                 QDir(dir.path()).absolutePath());
}

void TestFileSelection::filterRunsOnlyOnClick() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"My song.mp3", "my picture.jpg", "MYdoc.txt", "other.txt", "readme"});
    Fixture f;
    f.chooseFolder(dir.path());
    QCOMPARE(f.names().size(), 5);

    QSignalSpy listed(&f.files(), &ui::FileSelectionPanel::listingFinished);
    f.get<QLineEdit>("txtFileName")->setText(QStringLiteral("My*"));
    f.get<QLineEdit>("txtFileType")->setText(QStringLiteral("t"));
    // Typing alone lists nothing new: no listing started, now or queued.
    QVERIFY(drainPostedEvents());
    QVERIFY(!f.files().isListing());
    QCOMPARE(f.names().size(), 5);

    QVERIFY(f.listAfter([&] { f.click("cmdFilterFiles"); }));
    QCOMPARE(listed.size(), 1);
    QCOMPARE(f.names(), QStringList{"MYdoc.txt"});
    QCOMPARE(f.get<QLineEdit>("txtFileName")->text(), QStringLiteral("My"));
    QCOMPARE(f.text("lblFilesShown"), QStringLiteral("1 Files Shown"));

    QVERIFY(f.listAfter([&] { f.click("cmdClearFilter"); }));
    QCOMPARE(f.get<QLineEdit>("txtFileName")->text(), QStringLiteral("*"));
    QCOMPARE(f.get<QLineEdit>("txtFileType")->text(), QStringLiteral("*"));
    QCOMPARE(f.names().size(), 5);
    QCOMPARE(f.w().fileList()->checkedCount(), 5);
}

void TestFileSelection::settingsSurviveRestart() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"visible.txt", ".hidden.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    QCOMPARE(f.names(), QStringList{"visible.txt"});
    QVERIFY(f.listAfter([&] { f.click("chkShowHiddenFiles"); }));
    QCOMPARE(f.names().size(), 2);

    f.restart();
    QCOMPARE(f.w().folder(), QDir(dir.path()).absolutePath());
    QCOMPARE(f.get<QLineEdit>("dirFileLocation")->text(), QDir(dir.path()).absolutePath());
    QVERIFY(f.get<QCheckBox>("chkShowHiddenFiles")->isChecked());
    QVERIFY(!f.get<QCheckBox>("chkShowSystemFiles")->isChecked());
    QCOMPARE(f.names(), (QStringList{".hidden.txt", "visible.txt"}));

    QVERIFY(f.listAfter([&] { f.click("chkShowHiddenFiles"); }));
    f.restart();
    QVERIFY(!f.get<QCheckBox>("chkShowHiddenFiles")->isChecked());
    QCOMPARE(f.names(), QStringList{"visible.txt"});
}

void TestFileSelection::removedLastFolderDoesNotStopLoading() {
    Fixture f;
    QTemporaryDir gone;
    const QString path = gone.path();
    f.settings.saveSetting(Settings::App, Settings::Section, Settings::LastPath, path);
    f.settings.saveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                           QStringLiteral("1"));
    gone.remove();
    f.restart();
    QCOMPARE(f.w().folder(), QDir::currentPath());
    // The rest of the loading still ran.
    QVERIFY(f.get<QCheckBox>("chkShowHiddenFiles")->isChecked());
    QVERIFY(f.w().isVisible());
}

void TestFileSelection::unreadableStoredOptionIsReported() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"x.txt"});
    Fixture f;
    f.settings.saveSetting(Settings::App, Settings::Section, Settings::LastPath, dir.path());
    f.settings.saveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                           QStringLiteral("yes"));
    f.restart();
    QTRY_VERIFY(f.app->errorWindow()->isVisible());
    QCOMPARE(f.app->errorWindow()->report().location, 92);
    QCOMPARE(f.app->errorWindow()->report().number, int(ErrorNumbers::TypeMismatch));
    // The window still lists its folder.
    QCOMPARE(f.names(), QStringList{"x.txt"});
    f.app->errorWindow()->hide();
}

// The folder is stored off the window's thread; a write that fails is still told, as the
// system's error where the folder was chosen, and the folder is listed all the same.
void TestFileSelection::failedSettingsWriteIsTold() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"a.txt"});
    Fixture f;
    // A folder where the settings file should be: the write cannot replace it.
    QVERIFY(QFile::remove(f.settings.fileName()) || !QFile::exists(f.settings.fileName()));
    QVERIFY(QDir().mkpath(f.settings.fileName()));
    f.chooseFolder(dir.path());
    QCOMPARE(f.names(), QStringList{"a.txt"});
    QTRY_VERIFY(f.app->errorWindow()->isVisible());
    QCOMPARE(f.app->errorWindow()->report().location, Locations::FolderChange);
    QCOMPARE(f.app->errorWindow()->report().number, EISDIR);
    f.app->errorWindow()->hide();
}

void TestFileSelection::driveWithoutMediumKeepsThePickers() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"x.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    auto *drives = f.get<QComboBox>("drvFileLocation");
    const int before = drives->currentIndex();
    // A mount point whose medium is gone cannot be opened.
    drives->addItem(QStringLiteral("/media/cdrom"), dir.filePath(QStringLiteral("no-medium")));
    drives->setCurrentIndex(drives->count() - 1);
    Q_EMIT drives->activated(drives->count() - 1);
    QTRY_VERIFY(f.app->messageWindow()->isVisible());
    QCOMPARE(f.app->messageWindow()->message(),
             QStringLiteral("I am unable to display this drive because the media is not currently "
                            "inserted.  Please insert a disc into this drive."));
    QCOMPARE(drives->currentIndex(), before);
    QCOMPARE(f.w().folder(), QDir(dir.path()).absolutePath());
    QCOMPARE(f.names(), QStringList{"x.txt"});
    f.app->messageWindow()->hide();

    // A drive that can be opened moves the folder picker to it, stored and listed.
    const int root = drives->findData(QStringLiteral("/"));
    QVERIFY(root >= 0);
    QVERIFY(f.listAfter([&] { Q_EMIT drives->activated(root); }));
    QCOMPARE(f.w().folder(), QStringLiteral("/"));
    QTRY_COMPARE(f.settings.setting(Settings::App, Settings::Section, Settings::LastPath),
                 QStringLiteral("/"));
}

void TestFileSelection::systemFilesWarning_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("stored");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << "0";
    QTest::newRow("ok") << int(QMessageBox::Ok) << true << "1";
}

void TestFileSelection::systemFilesWarning() {
    QFETCH(int, answer);
    QFETCH(bool, ticked);
    QFETCH(QString, stored);
    QTemporaryDir dir;
    makeFiles(dir.path(), {"x.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    bool warned = false;
    answerMessageBox(QMessageBox::StandardButton(answer), &warned);
    QVERIFY(f.listAfter([&] { f.click("chkShowSystemFiles"); }));
    QVERIFY(warned);
    QCOMPARE(f.get<QCheckBox>("chkShowSystemFiles")->isChecked(), ticked);
    QTRY_COMPARE(f.settings.setting(Settings::App, Settings::Section, Settings::ShowSystem),
                 stored);
    if (ticked) {
        // Turning it off never warns; turning it on again warns again.
        QVERIFY(f.listAfter([&] { f.click("chkShowSystemFiles"); }));
        QTRY_COMPARE(f.settings.setting(Settings::App, Settings::Section, Settings::ShowSystem),
                     QStringLiteral("0"));
        bool again = false;
        answerMessageBox(QMessageBox::Ok, &again);
        QVERIFY(f.listAfter([&] { f.click("chkShowSystemFiles"); }));
        QVERIFY(again);
        // A stored 1 restored at start-up raises no warning.
        f.restart();
        QVERIFY(f.get<QCheckBox>("chkShowSystemFiles")->isChecked());
    }
}

void TestFileSelection::headerClickSortsEachColumn() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"b12.txt", "a7.txt", "c100.txt", "d.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    auto *header = f.get<QTableView>("lstFilesToRename")->horizontalHeader();
    auto clickHeader = [&](int column) {
        QSignalSpy sorted(&f.model(), &ui::FileListModel::sortFinished);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
        QVERIFY(sorted.wait(10000));
    };
    clickHeader(2); // number, ascending
    QCOMPARE(f.names(), (QStringList{"d.txt", "a7.txt", "b12.txt", "c100.txt"}));
    QCOMPARE(f.w().fileList()->rows().front().numberAdjName, QString());
    clickHeader(2); // descending
    QCOMPARE(f.names(), (QStringList{"c100.txt", "b12.txt", "a7.txt", "d.txt"}));
    clickHeader(0); // name: its first click is ascending
    QCOMPARE(f.names(), (QStringList{"a7.txt", "b12.txt", "c100.txt", "d.txt"}));
    clickHeader(0);
    QCOMPARE(f.names(), (QStringList{"d.txt", "c100.txt", "b12.txt", "a7.txt"}));
    clickHeader(1); // date: all rows keep a valid order and their ticks
    QCOMPARE(f.names().size(), 4);
    QCOMPARE(f.w().fileList()->checkedCount(), 4);
}

void TestFileSelection::tickDuringSortIsKept() {
    QTemporaryDir dir;
    QStringList many;
    for (int i = 0; i < 3000; ++i)
        many << QStringLiteral("file%1.txt").arg(i, 4, 10, QLatin1Char('0'));
    makeFiles(dir.path(), many);
    Fixture f;
    f.chooseFolder(dir.path());
    QSignalSpy sorted(&f.model(), &ui::FileListModel::sortFinished);
    f.files().sortByColumn(0);
    f.files().sortByColumn(0);              // descending
    f.w().fileList()->setChecked(0, false); // "file0000.txt", unticked while the sort runs
    QTRY_VERIFY_WITH_TIMEOUT(!f.model().isSorting(), 10000);
    QCOMPARE(f.names().first(), QStringLiteral("file2999.txt"));
    QCOMPARE(f.names().last(), QStringLiteral("file0000.txt"));
    QVERIFY(!f.w().fileList()->rows().back().checked);
    QCOMPARE(f.w().fileList()->checkedCount(), 2999);
}

// A preview reads the listing's own rows (shared, not copied) and the ticked ones in the order
// the list shows them, whatever sorts and ticks came before; a sort moves no tick.
void TestFileSelection::previewReadsSharedRowsInTheOrderShown() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"a7.txt", "b12.txt", "c100.txt", "d.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    ui::FileListModel &model = *f.w().fileList();
    const TickedRows first = model.tickedRows();
    QSignalSpy sorted(&model, &ui::FileListModel::sortFinished);
    f.files().sortByColumn(0);
    QVERIFY(sorted.wait(10000));
    f.files().sortByColumn(0); // descending
    QVERIFY(sorted.wait(10000));
    model.setChecked(1, false); // "c100.txt"
    f.files().sortByColumn(2);  // number, ascending
    QVERIFY(sorted.wait(10000));
    QCOMPARE(f.names(), (QStringList{"d.txt", "a7.txt", "b12.txt", "c100.txt"}));
    QVERIFY(!model.isChecked(3));

    const TickedRows now = model.tickedRows();
    QCOMPARE(now.rows.get(), first.rows.get());
    QStringList ticked;
    for (quint32 at : now.ticked)
        ticked << (*now.rows)[at].fileName;
    QCOMPARE(ticked, (QStringList{"d.txt", "a7.txt", "b12.txt"}));

    RuleTable rules;
    rules.addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
    CollectingErrorReporter errors;
    const RuleEngine engine(rules, errors);
    const PreviewResult preview = PreviewBuilder(engine, errors).build(now);
    QCOMPARE(preview.rows.size(), size_t(3));
    for (size_t i = 0; i < preview.rows.size(); ++i) {
        QCOMPARE(preview.rows[i].oldName(), ticked[qsizetype(i)]);
        QCOMPARE(preview.rows[i].newName, QStringLiteral("x") + ticked[qsizetype(i)]);
        QCOMPARE(preview.rows[i].sourceIndex, qsizetype(now.ticked[i]));
    }
}

void TestFileSelection::listingReplacesARunningSort() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"b.txt", "a.txt", "c.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    QSignalSpy sorted(&f.model(), &ui::FileListModel::sortFinished);
    f.files().sortByColumn(0);
    f.files().sortByColumn(0); // descending, still running when the new listing starts
    QVERIFY(f.model().isSorting());
    QVERIFY(f.listAfter([&] { f.files().listFiles(); }));
    QVERIFY(!f.model().isSorting());
    // Both sorts have ended and handed in their rows; neither was put in place.
    QTRY_VERIFY(f.model().findChildren<ui::Job *>().isEmpty());
    QCOMPARE(f.names(), (QStringList{"a.txt", "b.txt", "c.txt"}));
    QCOMPARE(sorted.size(), 0);
    QVERIFY(!f.get<QWidget>("prgListing")->isVisible());
}

void TestFileSelection::pictureButtonShowsPressedLook() {
    QTemporaryDir dir;
    makeFiles(dir.path(), {"x.txt"});
    Fixture f;
    f.chooseFolder(dir.path());
    auto *filter = f.get<ui::PictureButton>("cmdFilterFiles");
    const QPoint centre = filter->rect().center();
    QSignalSpy listed(&f.files(), &ui::FileSelectionPanel::listingFinished);
    QTest::mousePress(filter, Qt::LeftButton, {}, centre);
    QVERIFY(filter->pressedLook());
    QTest::mouseRelease(filter, Qt::LeftButton, {}, centre);
    QVERIFY(!filter->pressedLook());
    QVERIFY(listed.wait(10000));
    // One click, one listing: none follows once the queue has run.
    QVERIFY(drainPostedEvents());
    QVERIFY(!f.files().isListing());
    QCOMPARE(listed.size(), 1);
}

void TestFileSelection::draggingMovesWindowWithLeftButtonOnly_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("moves");
    QTest::newRow("header/left") << "pictHeaderBar" << int(Qt::LeftButton) << 1;
    QTest::newRow("header/right") << "pictHeaderBar" << int(Qt::RightButton) << 0;
    QTest::newRow("background/left") << "frmMain" << int(Qt::LeftButton) << 1;
}

void TestFileSelection::draggingMovesWindowWithLeftButtonOnly() {
    QFETCH(QString, where);
    QFETCH(int, button);
    QFETCH(int, moves);
    Fixture f;
    QWidget *target =
        where == u"frmMain" ? static_cast<QWidget *>(&f.w()) : f.get<QWidget>("pictHeaderBar");
    const int before = f.w().dragger()->movesStarted();
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 5), target->mapToGlobal(QPointF(20, 5)),
                     Qt::NoButton, Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QCOMPARE(f.w().dragger()->movesStarted() - before, moves);
}

QTEST_MAIN(TestFileSelection)
#include "tst_fileselection.moc"
