// The one drive and folder picker as each window that shows it behaves: the same words for a
// drive that cannot be opened and a folder that is not there, the same way of taking a folder.

#include "mainwindow_helper.h"

#include "ui/listfilewindow.h"
#include "ui/messagewindow.h"
#include "ui/ruleswindows.h"
#include "ui/wizardwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>

using namespace tallowin;
using namespace testing;

namespace {

const QString NoMedia =
    QStringLiteral("I am unable to display this drive because the media is not currently "
                   "inserted.  Please insert a disc into this drive.");

// A window of the running application with its picker on screen, and where the picker stands.
struct PickerWindow {
    QWidget *window = nullptr;
    std::function<QString()> folder;

    template <typename T = QWidget> T *get(const char *name) const {
        T *c = window->findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning("no control %s in %s", name, qPrintable(window->objectName()));
        return c;
    }
};

PickerWindow open(Fixture &f, const QString &which) {
    if (which == u"main")
        return {&f.w(), [&f] { return f.w().folder(); }};
    if (which == u"wizard") {
        f.click("cmdWizard");
        ui::WizardWindow *w = f.app->wizardWindow();
        // The picker is on the files screen.
        QSignalSpy listed(w, &ui::WizardWindow::filesListed);
        QTest::mouseClick(w->findChild<QWidget *>(QStringLiteral("cmdPictureWizard")),
                          Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !listed.isEmpty(); }, 10000))
            qWarning("the wizard listed nothing");
        return {w, [w] { return w->folder(); }};
    }
    if (which == u"save-rules") {
        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
        f.w().displayRules();
        f.click("cmdSave");
        ui::SaveRulesWindow *w = f.app->saveRulesWindow();
        return {w, [w] { return w->folder(); }};
    }
    if (which == u"load-rules") {
        f.click("cmdLoad");
        ui::LoadRulesWindow *w = f.app->loadRulesWindow();
        return {w, [w] { return w->folder(); }};
    }
    f.click("cmdFromFile");
    ui::ListFileWindow *w = f.app->listFileWindow();
    return {w, [w] { return w->folder(); }};
}

const QStringList Windows = {"main", "wizard", "save-rules", "load-rules", "from-file"};

} // namespace

class TestFolderPicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusalsSayTheSameInEveryWindow_data();
    void refusalsSayTheSameInEveryWindow();
    void folderIsTakenInEveryWindow_data();
    void folderIsTakenInEveryWindow();
};

void TestFolderPicker::refusalsSayTheSameInEveryWindow_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("refusal");
    for (const QString &window : Windows) {
        QTest::addRow("%s/drive-without-medium", qPrintable(window)) << window << "drive";
        QTest::addRow("%s/folder-not-found", qPrintable(window)) << window << "folder";
    }
}

// A refused drive or folder is said in the same words everywhere, and the picker stays where
// it was: its drive, its folder, its box.
void TestFolderPicker::refusalsSayTheSameInEveryWindow() {
    QFETCH(QString, window);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    makeFiles(dir.path(), {"x.jpg"});
    Fixture f;
    f.chooseFolder(dir.path());
    const PickerWindow p = open(f, window);
    QVERIFY(p.window && p.window->isVisible());
    auto *drives = p.get<QComboBox>("drvFileLocation");
    auto *path = p.get<QLineEdit>("dirFileLocation");
    const QString before = p.folder();
    const int drive = drives->currentIndex();
    const QString shown = path->text();

    const QString gone = dir.filePath(QStringLiteral("no-medium"));
    QString expected;
    if (refusal == u"drive") {
        // A mount point whose medium is gone cannot be opened.
        drives->addItem(QStringLiteral("/media/cdrom"), gone);
        drives->setCurrentIndex(drives->count() - 1);
        Q_EMIT drives->activated(drives->count() - 1);
        expected = NoMedia;
    } else {
        path->setFocus();
        path->selectAll();
        QTest::keyClicks(path, gone);
        QTest::keyClick(path, Qt::Key_Return);
        expected = QStringLiteral("The folder \"%1\" cannot be found.").arg(gone);
    }
    QTRY_VERIFY(f.app->messageWindow()->isVisible());
    QCOMPARE(f.app->messageWindow()->message(), expected);
    QCOMPARE(p.folder(), before);
    QCOMPARE(drives->currentIndex(), drive);
    QCOMPARE(path->text(), shown);
    QVERIFY(!path->isModified());
}

void TestFolderPicker::folderIsTakenInEveryWindow_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    for (const QString &window : Windows) {
        QTest::addRow("%s/enter", qPrintable(window)) << window << "enter";
        QTest::addRow("%s/leaving-the-box", qPrintable(window)) << window << "leave";
        QTest::addRow("%s/drive", qPrintable(window)) << window << "drive";
        QTest::addRow("%s/up", qPrintable(window)) << window << "up";
    }
}

// Enter in the path box, leaving the box after typing, a drive that can be opened and the
// Up button each move the picker; the drive list shows the drive that holds the folder.
void TestFolderPicker::folderIsTakenInEveryWindow() {
    QFETCH(QString, window);
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString inner = dir.filePath(QStringLiteral("inner"));
    QVERIFY(QDir().mkpath(inner));
    Fixture f;
    const PickerWindow p = open(f, window);
    QVERIFY(p.window && p.window->isVisible());
    auto *drives = p.get<QComboBox>("drvFileLocation");
    auto *path = p.get<QLineEdit>("dirFileLocation");
    QString expected;
    if (how == u"enter" || how == u"leave") {
        // Offscreen has no window manager: the window is made active as a desktop would.
        QApplication::setActiveWindow(p.window);
        QVERIFY(QTest::qWaitForWindowActive(p.window));
        path->setFocus();
        QTRY_VERIFY(path->hasFocus());
        path->selectAll();
        QTest::keyClicks(path, inner);
        if (how == u"enter")
            QTest::keyClick(path, Qt::Key_Return);
        else
            p.get("drvFileLocation")->setFocus(Qt::TabFocusReason);
        expected = QDir(inner).absolutePath();
    } else if (how == u"drive") {
        const int root = drives->findData(QStringLiteral("/"));
        QVERIFY(root >= 0);
        Q_EMIT drives->activated(root);
        expected = QStringLiteral("/");
    } else {
        path->selectAll();
        QTest::keyClicks(path, inner);
        QTest::keyClick(path, Qt::Key_Return);
        QTRY_COMPARE(p.folder(), QDir(inner).absolutePath());
        auto *up = p.get("cmdFolderUp");
        if (window == u"wizard") {
            QVERIFY(!up); // the wizard's picker has none
            return;
        }
        QTest::mouseClick(up, Qt::LeftButton);
        expected = QDir(dir.path()).absolutePath();
    }
    QTRY_COMPARE(p.folder(), expected);
    QCOMPARE(path->text(), QDir::toNativeSeparators(expected));
    QVERIFY(!f.app->messageWindow()->isVisible());
    const QString driveRoot = drives->currentData().toString();
    QVERIFY2(driveRoot == u"/" || expected == driveRoot || expected.startsWith(driveRoot + u'/'),
             qPrintable(driveRoot));
    // The same drive list everywhere: a caption per mount point that starts with its path.
    for (int i = 0; i < drives->count(); ++i)
        QVERIFY(drives->itemText(i).startsWith(drives->itemData(i).toString()));
}

QTEST_MAIN(TestFolderPicker)
#include "tst_folderpicker.moc"
