#include "mainwindow_helper.h"

#include "ui/errorwindow.h"
#include "ui/listfilewindow.h"
#include "ui/messagewindow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/statuswindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QRadioButton>
#include <QSemaphore>

#include <cerrno>

using namespace tallowin;
using namespace testing;

namespace {

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Fails every reading as a disk would.
class FailingReader : public ListFile::Reader {
public:
    int open(const QString &, qint64 &) override { return EIO; }
};

// Holds the reading until the test lets it go, so a Cancel surely comes before its lines.
class HeldReader : public ListFile::Reader {
public:
    int open(const QString &path, qint64 &size) override {
        entered.release();
        go.acquire();
        return ListFile::Reader::open(path, size);
    }
    QSemaphore entered;
    QSemaphore go;
};

} // namespace

// The rename-from-list-file window driven by its controls: the rows go through the preview
// window to a real rename; refusals and failures are told and leave no progress window up.
class TestListFileWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headerRowAndTabsRenameThreeFiles();
    void skippedLinesAreTold_data();
    void skippedLinesAreTold();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
    void failedReadingIsReportedAndHidesProgress();
    void cancelEndsTheReadingWithoutPreview();
    void fileDialogOffersTheListTypes();

private:
    struct Window {
        Fixture f;
        ui::ListFileWindow *w = nullptr;
        QTemporaryDir dir;
        QString files;
        Window() {
            files = dir.filePath(QStringLiteral("files"));
            QDir().mkpath(files);
            f.click("cmdFromFile");
            w = f.app->listFileWindow();
        }
        template <typename T = QWidget> T *get(const char *name) {
            T *c = w->findChild<T *>(QLatin1String(name));
            if (!c)
                qWarning("no control %s", name);
            return c;
        }
        void click(const char *name) {
            QWidget *c = get(name);
            QTest::mouseClick(c, Qt::LeftButton, {},
                              QPoint(qMin(8, c->width() / 2), c->height() / 2));
        }
        void type(const char *name, const QString &text) {
            auto *box = get<QLineEdit>(name);
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, text);
        }
        void chooseFolder(const QString &folder) {
            type("dirFileLocation", folder);
            QTest::keyClick(get("dirFileLocation"), Qt::Key_Return);
        }
        // Presses Preview and waits until the reading has ended.
        bool preview() {
            QSignalSpy done(w, &ui::ListFileWindow::loadFinished);
            click("cmdPreview");
            return QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000);
        }
    };
};

void TestListFileWindow::headerRowAndTabsRenameThreeFiles() {
    Window t;
    QVERIFY(t.w && t.w->isVisible());
    makeFiles(t.files, {"a.txt", "b.txt", "c.txt", "d.txt", ".hidden.txt"});
    const QString list = t.dir.filePath(QStringLiteral("names.tab"));
    // A header, mixed line ends, quotes and spaces around names, a name not in the folder,
    // a hidden file, a line without the delimiter, and a comma that must not split.
    writeFile(list, "Old Name\tNew Name\r\n"
                    "a.txt\tone.txt\n"
                    "\"b.txt\" \t  two, too.txt\r\n"
                    "c.txt\tthree.txt\tignored\r"
                    "missing.txt\tfour.txt\r\n"
                    ".hidden.txt\tfive.txt\r\n"
                    "d.txt,six.txt\r\n");
    t.chooseFolder(t.files);
    t.type("txtFile", list);
    t.click("optTab");
    t.click("chkFirstRowNames");
    QVERIFY(t.get<QRadioButton>("optTab")->isChecked());
    QVERIFY(t.get<QCheckBox>("chkFirstRowNames")->isChecked());
    QVERIFY(t.preview());

    ui::PreviewWindow *preview = t.f.app->previewWindow();
    QTRY_VERIFY(preview->isVisible());
    QCOMPARE(preview->model()->rowCount(), 3);
    QCOMPARE(preview->findChild<QLabel *>(QStringLiteral("lblFilesSelected"))->text(),
             QStringLiteral("3 Files Selected"));
    QCOMPARE(preview->findChild<QLabel *>(QStringLiteral("lblFilesShown"))->text(),
             QStringLiteral("3 Files Shown"));
    // The main window shows the folder the rename works in.
    QCOMPARE(t.f.w().folder(), QDir(t.files).absolutePath());
    QVERIFY(!t.f.app->statusWindow()->isVisible());
    // The lines that gave no row are told, with their line numbers (the header is line 1).
    const QString skipped = "3 lines of the list file were skipped:\n"
                            "line 5, \"missing.txt\": no such file\n"
                            "line 6, \".hidden.txt\": names a hidden file\n"
                            "line 7, \"d.txt,six.txt\": has no delimiter";
    QTRY_VERIFY(t.f.app->messageWindow()->isVisible());
    QCOMPARE(t.f.app->messageWindow()->message(), skipped);

    QSignalSpy renamed(preview, &ui::PreviewWindow::renameFinished);
    QTest::mouseClick(preview->findChild<QWidget *>(QStringLiteral("cmdRename")), Qt::LeftButton);
    QTRY_COMPARE(renamed.size(), 1);
    QCOMPARE(QDir(t.files).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{".hidden.txt", "d.txt", "one.txt", "three.txt", "two, too.txt"}));
    // The rename had nothing to add.
    QCOMPARE(t.f.app->messageWindow()->message(), skipped);
}

void TestListFileWindow::skippedLinesAreTold_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("rows"); // old|new
    QTest::addColumn<QString>("message");  // empty: none shown
    QTest::newRow("quoted-names-nothing-skipped") << QByteArray("\"a,b.txt\",\"c,d.txt\"\r\n\r\n")
                                                  << QStringList{"a,b.txt|c,d.txt"} << QString();
    QTest::newRow("some-skipped") << QByteArray(
                                         "a,b.txt,x.txt\r\n\"a,b.txt\",y.txt\r\nsub,z.txt\r\n")
                                  << QStringList{"a,b.txt|y.txt"}
                                  << "2 lines of the list file were skipped:\n"
                                     "line 1, \"a\": no such file\n"
                                     "line 3, \"sub\": names a folder, not a file";
    // Nothing to preview: the message says so and no preview opens.
    QTest::newRow("nothing-left")
        << QByteArray("Old,New\r\n../a,b\r\n") << QStringList{}
        << "2 lines of the list file were skipped:\n"
           "line 1, \"Old\": no such file\n"
           "line 2, \"../a\": names a path, not a file in the folder\n"
           "No line names a file in the folder: there is nothing to rename.";
}

void TestListFileWindow::skippedLinesAreTold() {
    QFETCH(QByteArray, list);
    QFETCH(QStringList, rows);
    QFETCH(QString, message);
    Window t;
    makeFiles(t.files, {"a,b.txt"});
    QVERIFY(QDir(t.files).mkdir(QStringLiteral("sub")));
    const QString path = t.dir.filePath(QStringLiteral("names.csv"));
    writeFile(path, list);
    t.chooseFolder(t.files);
    t.type("txtFile", path);
    QVERIFY(t.preview());
    ui::PreviewWindow *preview = t.f.app->previewWindow();
    if (rows.isEmpty()) {
        QTRY_VERIFY(t.f.app->messageWindow()->isVisible());
        QVERIFY(!preview->isVisible());
    } else {
        QTRY_VERIFY(preview->isVisible());
        QStringList shown;
        for (int r = 0; r < preview->model()->rowCount(); ++r)
            shown << preview->model()->index(r, 0).data().toString() + u'|' +
                         preview->model()->index(r, 1).data().toString();
        QCOMPARE(shown, rows);
    }
    QCOMPARE(t.f.app->messageWindow()->isVisible(), !message.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(t.f.app->messageWindow()->message(), message);
    QVERIFY(!t.f.app->statusWindow()->isVisible());
}

void TestListFileWindow::refusalsSayWhy_data() {
    QTest::addColumn<QString>("file"); // "LIST" stands for an existing list file
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no-file") << ""
                             << "comma"
                             << "You must specify a file containing the rename information you "
                                "wish to use.";
    QTest::newRow("other-without-delimiter")
        << "LIST"
        << "other"
        << "You have indicated that your file uses a delimiter other than tab or comma, but you "
           "have not specified a delimiter, please do so.";
    QTest::newRow("missing-file") << "/nowhere/list.csv"
                                  << "comma"
                                  << "The rename information file you have specified: "
                                     "/nowhere/list.csv could not be located.";
    QTest::newRow("folder-as-file") << "FOLDER"
                                    << "tab"
                                    << "The rename information file you have specified: FOLDER "
                                       "could not be located.";
}

void TestListFileWindow::refusalsSayWhy() {
    QFETCH(QString, file);
    QFETCH(QString, delimiter);
    QFETCH(QString, expected);
    Window t;
    makeFiles(t.files, {"a.txt"});
    const QString list = t.dir.filePath(QStringLiteral("names.csv"));
    writeFile(list, "a.txt,b.txt\r\n");
    file.replace(QStringLiteral("LIST"), list);
    file.replace(QStringLiteral("FOLDER"), t.files);
    expected.replace(QStringLiteral("FOLDER"), t.files);
    t.chooseFolder(t.files);
    t.type("txtFile", file);
    t.click(delimiter == u"tab" ? "optTab" : delimiter == u"other" ? "optOther" : "optComma");
    QVERIFY(t.preview());
    QTRY_VERIFY(t.f.app->messageWindow()->isVisible());
    QCOMPARE(t.f.app->messageWindow()->message(), expected);
    QVERIFY(!t.f.app->statusWindow()->isVisible());
    QVERIFY(!t.f.app->previewWindow()->isVisible());
    QVERIFY(t.w->isVisible());
    QVERIFY(QFileInfo::exists(t.files + QStringLiteral("/a.txt")));
}

void TestListFileWindow::failedReadingIsReportedAndHidesProgress() {
    Window t;
    makeFiles(t.files, {"a.txt"});
    const QString list = t.dir.filePath(QStringLiteral("names.csv"));
    writeFile(list, "a.txt,b.txt\r\n");
    FailingReader failing;
    t.w->setReader(&failing);
    t.chooseFolder(t.files);
    t.type("txtFile", list);
    QVERIFY(t.preview());
    QTRY_VERIFY(t.f.app->errorWindow()->isVisible());
    QCOMPARE(t.f.app->errorWindow()->report().location, Locations::ListFilePreview);
    QCOMPARE(t.f.app->errorWindow()->report().number, EIO);
    QVERIFY(!t.f.app->statusWindow()->isVisible());
    QVERIFY(!t.f.app->previewWindow()->isVisible());
    QVERIFY(t.get("cmdPreview")->isEnabled());

    // The next reading works: nothing of the failed one stayed open or in the way.
    t.w->setReader(nullptr);
    QVERIFY(t.preview());
    QTRY_VERIFY(t.f.app->previewWindow()->isVisible());
    QCOMPARE(t.f.app->previewWindow()->model()->rowCount(), 1);
}

void TestListFileWindow::cancelEndsTheReadingWithoutPreview() {
    Window t;
    makeFiles(t.files, {"a.txt", "b.txt"});
    const QString list = t.dir.filePath(QStringLiteral("names.csv"));
    writeFile(list, "a.txt,x.txt\r\nb.txt,y.txt\r\n");
    HeldReader held;
    t.w->setReader(&held);
    t.chooseFolder(t.files);
    t.type("txtFile", list);
    QSignalSpy done(t.w, &ui::ListFileWindow::loadFinished);
    t.click("cmdPreview");
    // The reading runs off the user-interface thread: the window answers meanwhile.
    QTRY_VERIFY(t.f.app->statusWindow()->isVisible());
    QVERIFY(held.entered.tryAcquire(1, 10000));
    QVERIFY(t.w->isLoading());
    QVERIFY(!t.get("cmdPreview")->isEnabled());
    t.click("cmdPreview"); // a second press while it runs starts nothing
    QTest::mouseClick(t.f.app->statusWindow()->findChild<QWidget *>(QStringLiteral("cmdCancel")),
                      Qt::LeftButton);
    held.go.release();
    QTRY_COMPARE(done.size(), 1);
    QVERIFY(!t.f.app->statusWindow()->isVisible());
    QVERIFY(!t.f.app->previewWindow()->isVisible());
    QCOMPARE(t.f.app->previewWindow()->model()->rowCount(), 0);
    QVERIFY(t.get("cmdPreview")->isEnabled());
    QCOMPARE(held.entered.available(), 0);
}

void TestListFileWindow::fileDialogOffersTheListTypes() {
    Window t;
    const QString list = t.dir.filePath(QStringLiteral("names.csv"));
    writeFile(list, "a.txt,b.txt\r\n");
    t.chooseFolder(t.dir.path());
    t.click("cmdLocate");
    auto *dialog = t.w->findChild<QFileDialog *>(QStringLiteral("CD1"));
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->nameFilters(), (QStringList{"Text Files (*.txt)", "Comma Seperated (*.csv)",
                                                 "Tab Seperated (*.tab)", "All Files (*)"}));
    dialog->selectFile(list);
    static_cast<QDialog *>(dialog)->accept();
    QCOMPARE(t.get<QLineEdit>("txtFile")->text(), QDir::toNativeSeparators(list));

    // A cancelled dialog leaves the box as it was.
    QTRY_VERIFY(t.w->findChildren<QFileDialog *>().isEmpty()); // the chosen one has gone
    t.click("cmdLocate");
    dialog = t.w->findChild<QFileDialog *>(QStringLiteral("CD1"));
    QVERIFY(dialog && dialog->isVisible());
    dialog->reject();
    QCOMPARE(t.get<QLineEdit>("txtFile")->text(), QDir::toNativeSeparators(list));
}

QTEST_MAIN(TestListFileWindow)
#include "tst_listfilewindow.moc"
