#include "mainwindow_helper.h"

#include "shell/filesystem.h"
#include "shell/programfolder.h"
#include "ui/errorwindow.h"
#include "ui/messagewindow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/ruleswindows.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QStandardItemModel>
#include <QTreeView>

#include <cerrno>

using namespace tallowin;
using namespace testing;

namespace {

// Writes the first half of every write and then fails as a full disk would.
class HalfWriteFileSystem : public FileSystem {
public:
    int write(int fd, QByteArrayView data) override {
        if (const int err = FileSystem::write(fd, data.first(data.size() / 2)))
            return err;
        ++failed;
        return ENOSPC;
    }
    int failed = 0;
};

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Three rules whose texts a careless writer or reader would change: a comma, quotes, leading
// spaces, non-ASCII letters.
void addThreeRules(RuleTable &rules) {
    rules.addRule(RuleKinds::Replace, QStringLiteral("a, b"), QStringLiteral(" c"),
                  QStringLiteral("0"), {}, {}, {}, QStringLiteral("File Name: Replace a, b"));
    rules.addRule(RuleKinds::Insert, QStringLiteral("\"Ä\" "), QStringLiteral("Start"), {}, {}, {},
                  {}, QStringLiteral("File Name: Insert \"Ä\" at the start"));
    rules.addRule(RuleKinds::LetterLowerCase, {}, {}, {}, {}, {}, {},
                  QStringLiteral("Letters: lower case"));
}

} // namespace

// The save and load windows, driven by their controls as a user would: the rules go to a file
// and come back the same, in order; every refusal says why and leaves the window open.
class TestRulesWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedRulesLoadBackInOrder();
    void windowsKeepTheirStateAndListAfresh();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
    void failedSaveLeavesThePreviousFileWhole();
    void unreadableFileKeepsTheCurrentRules();
    void linesThatAreNotRulesAreSkippedAndTold();
    void windowsCloseWithEscapeAndNameEveryControl_data();
    void windowsCloseWithEscapeAndNameEveryControl();

private:
    template <typename T = QWidget> static T *in(QWidget *window, const char *name) {
        T *c = window->findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning("no control %s in %s", name, qPrintable(window->objectName()));
        return c;
    }
    static void click(QWidget *window, const char *name) {
        QTest::mouseClick(in(window, name), Qt::LeftButton);
    }
    static void chooseFolder(QWidget *window, const QString &folder) {
        auto *path = in<QLineEdit>(window, "dirFileLocation");
        path->setFocus();
        path->selectAll();
        QTest::keyClicks(path, folder);
        QTest::keyClick(path, Qt::Key_Return);
    }
    static ui::SaveRulesWindow *openSave(Fixture &f, const QString &folder) {
        f.click("cmdSave");
        ui::SaveRulesWindow *w = f.app->saveRulesWindow();
        if (w && !folder.isEmpty())
            chooseFolder(w, folder);
        return w;
    }
    static ui::LoadRulesWindow *openLoad(Fixture &f, const QString &folder) {
        f.click("cmdLoad");
        ui::LoadRulesWindow *w = f.app->loadRulesWindow();
        if (w && !folder.isEmpty())
            chooseFolder(w, folder);
        return w;
    }
    static void select(QWidget *window, const QString &name) {
        auto *list = in<QTreeView>(window, "lstFiles");
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(found.first()).center());
    }
};

void TestRulesWindows::savedRulesLoadBackInOrder() {
    QTemporaryDir dir;
    Fixture f;
    addThreeRules(f.w().rules());
    f.w().displayRules();
    const RuleTable saved = f.w().rules();
    const QStringList shown = f.rules();
    QCOMPARE(shown.size(), 3);

    ui::SaveRulesWindow *save = openSave(f, dir.path());
    QVERIFY(save && save->isVisible());
    QTest::keyClicks(in<QLineEdit>(save, "txtFileName"), QStringLiteral("my rules"));
    click(save, "cmdSave");
    QTRY_COMPARE(f.app->messageWindow()->message(), ui::SaveRulesWindow::SavedMessage);
    QVERIFY(!save->isVisible());
    const QByteArray file = contents(dir.filePath(QStringLiteral("my rules.rul")));
    QCOMPARE(file.count("\r\n"), 3);

    f.w().rules().clearRules();
    f.w().displayRules();
    QVERIFY(f.rules().isEmpty());

    ui::LoadRulesWindow *load = openLoad(f, dir.path());
    QVERIFY(load && load->isVisible());
    QCOMPARE(load->listedNames(), QStringList{QStringLiteral("my rules.rul")});
    select(load, QStringLiteral("my rules.rul"));
    click(load, "cmdSave");
    QTRY_COMPARE(f.app->messageWindow()->message(), ui::LoadRulesWindow::LoadedMessage);
    QVERIFY(!load->isVisible());
    QCOMPARE(f.w().rules(), saved);
    QCOMPARE(f.rules(), shown);
}

void TestRulesWindows::windowsKeepTheirStateAndListAfresh() {
    QTemporaryDir dir;
    Fixture f;
    addThreeRules(f.w().rules());
    f.w().displayRules();

    // The first opening starts in the program's rules folder.
    ui::SaveRulesWindow *save = openSave(f, {});
    QCOMPARE(QDir(save->folder()).canonicalPath(),
             QDir(ensureRulesFolder(programFolder()).path).canonicalPath());
    chooseFolder(save, dir.path());
    QTest::keyClicks(in<QLineEdit>(save, "txtFileName"), QStringLiteral("first"));
    QTest::keyClick(in<QLineEdit>(save, "txtFileName"), Qt::Key_Return);
    QTRY_VERIFY(!save->isVisible());

    // A file that came meanwhile is listed at the next opening; folder and name are kept.
    makeFiles(dir.path(), {"other.RUL", "notes.txt", ".hidden.rul"});
    save = openSave(f, {});
    QCOMPARE(save->folder(), QDir(dir.path()).absolutePath());
    QCOMPARE(in<QLineEdit>(save, "txtFileName")->text(), QStringLiteral("first"));
    QCOMPARE(save->listedNames(), (QStringList{"first.rul", "other.RUL"}));
    // Choosing a listed file offers its name for saving over it.
    select(save, QStringLiteral("other.RUL"));
    QCOMPARE(in<QLineEdit>(save, "txtFileName")->text(), QStringLiteral("other"));
    click(save, "cmdCancel");
    QVERIFY(!save->isVisible());

    ui::LoadRulesWindow *load = openLoad(f, dir.path());
    select(load, QStringLiteral("other.RUL"));
    QTest::keyClick(load, Qt::Key_Escape);
    QVERIFY(!load->isVisible());
    makeFiles(dir.path(), {"a-new.rul"});
    load = openLoad(f, {});
    QCOMPARE(load->listedNames(), (QStringList{"a-new.rul", "first.rul", "other.RUL"}));
    QCOMPARE(load->selectedName(), QStringLiteral("other.RUL"));
}

void TestRulesWindows::refusalsSayWhy_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("setup"); // what the user did before pressing the button
    QTest::addColumn<QString>("expected");
    QTest::newRow("save/no-name") << "save"
                                  << "" << ui::SaveRulesWindow::NoNameMessage;
    QTest::newRow("save/spaces-only") << "save"
                                      << "   " << ui::SaveRulesWindow::NoNameMessage;
    QTest::newRow("save/rules-cleared-meanwhile")
        << "save"
        << "cleared" << ui::SaveRulesWindow::NoRulesMessage;
    QTest::newRow("load/empty-folder") << "load"
                                       << "" << ui::LoadRulesWindow::NoFilesMessage;
    QTest::newRow("load/nothing-selected") << "load"
                                           << "deselect" << ui::LoadRulesWindow::NoNameMessage;
    QTest::newRow("load/not-rul") << "load"
                                  << "notes.txt" << ui::LoadRulesWindow::WrongTypeMessage;
}

void TestRulesWindows::refusalsSayWhy() {
    QFETCH(QString, window);
    QFETCH(QString, setup);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    Fixture f;
    addThreeRules(f.w().rules());
    f.w().displayRules();
    const RuleTable before = f.w().rules();
    QWidget *w = nullptr;
    if (window == u"save") {
        w = openSave(f, dir.path());
        if (setup == u"cleared") {
            f.w().rules().clearRules();
            setup = QStringLiteral("named");
        }
        QTest::keyClicks(in<QLineEdit>(w, "txtFileName"), setup);
    } else {
        if (setup != u"")
            makeFiles(dir.path(), {"kept.rul"});
        w = openLoad(f, dir.path());
        auto *list = in<QTreeView>(w, "lstFiles");
        if (setup == u"deselect") {
            list->selectionModel()->clearSelection();
        } else if (setup.endsWith(u".txt")) {
            // Only a row that did not come from the listing can name another type.
            qobject_cast<QStandardItemModel *>(list->model())->appendRow(new QStandardItem(setup));
            select(w, setup);
        }
    }
    click(w, "cmdSave");
    QTRY_VERIFY(f.app->messageWindow()->isVisible());
    QCOMPARE(f.app->messageWindow()->message(), expected);
    QVERIFY(w->isVisible());
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.rul")}, QDir::Files),
             setup == u"" || window == u"save" ? QStringList()
                                               : QStringList{QStringLiteral("kept.rul")});
    if (setup != u"named")
        QCOMPARE(f.w().rules(), before);
}

void TestRulesWindows::failedSaveLeavesThePreviousFileWhole() {
    QTemporaryDir dir;
    Fixture f;
    addThreeRules(f.w().rules());
    f.w().displayRules();
    ui::SaveRulesWindow *save = openSave(f, dir.path());
    QTest::keyClicks(in<QLineEdit>(save, "txtFileName"), QStringLiteral("kept"));
    click(save, "cmdSave");
    QTRY_VERIFY(!save->isVisible());
    const QString path = dir.filePath(QStringLiteral("kept.rul"));
    const QByteArray previous = contents(path);
    QVERIFY(!previous.isEmpty());

    // The disk fills halfway through the next save of a longer list.
    for (int i = 0; i < 20; ++i)
        f.w().rules().addRule(RuleKinds::MiscTrim, {}, {}, {}, {}, {}, {},
                              QStringLiteral("Misc: trim %1").arg(i));
    HalfWriteFileSystem full;
    save = openSave(f, {});
    save->setFileSystem(&full);
    click(save, "cmdSave");

    QTRY_VERIFY(f.app->errorWindow()->isVisible());
    QCOMPARE(full.failed, 1);
    QCOMPARE(f.app->errorWindow()->report().location, Locations::SaveRules);
    QCOMPARE(f.app->errorWindow()->report().number, ENOSPC);
    QVERIFY(save->isVisible());
    QCOMPARE(contents(path), previous);
    // Nothing half-written is left beside it either.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("kept.rul")});
}

void TestRulesWindows::unreadableFileKeepsTheCurrentRules() {
    QTemporaryDir dir;
    Fixture f;
    addThreeRules(f.w().rules());
    f.w().displayRules();
    const RuleTable before = f.w().rules();
    // A folder named like a rules file cannot be read as one.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.rul")));
    makeFiles(dir.path(), {"folder.rul/x"});
    ui::LoadRulesWindow *load = openLoad(f, dir.path());
    // Not listed: only files are.
    QVERIFY(load->listedNames().isEmpty());
    qobject_cast<QStandardItemModel *>(in<QTreeView>(load, "lstFiles")->model())
        ->appendRow(new QStandardItem(QStringLiteral("folder.rul")));
    select(load, QStringLiteral("folder.rul"));
    click(load, "cmdSave");
    QTRY_VERIFY(f.app->errorWindow()->isVisible());
    QCOMPARE(f.app->errorWindow()->report().location, Locations::LoadRules);
    QCOMPARE(f.app->errorWindow()->report().number, EISDIR);
    QVERIFY(load->isVisible());
    QCOMPARE(f.w().rules(), before);
    QVERIFY(!f.app->messageWindow()->isVisible());
}

// A hand-edited or newer rules file: its junk lines and rules of unknown kinds are left out
// and named in one message, and the rules it holds preview without a failure.
void TestRulesWindows::linesThatAreNotRulesAreSkippedAndTold() {
    QTemporaryDir dir;
    Fixture f;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("files")));
    makeFiles(dir.filePath(QStringLiteral("files")), QStringList{"a.txt"});
    const QString path = dir.filePath(QStringLiteral("edited.rul"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# my rules\r\nSTANDARDINSERT|x|Start|||||File Name: Insert x\r\n\r\n"
               "STANDARDFUTURE|1||||||later\r\nSTANDARDLETTERUPPERCASE|0||||||Letters: upper\r\n");
    file.close();

    ui::LoadRulesWindow *load = openLoad(f, dir.path());
    QVERIFY(load && load->isVisible());
    select(load, QStringLiteral("edited.rul"));
    click(load, "cmdSave");
    QTRY_VERIFY(f.app->messageWindow()->isVisible());
    QCOMPARE(f.app->messageWindow()->message(),
             "The rules file " + path +
                 " was loaded without these lines:\n"
                 "line 1: not a rule: a rule is eight fields separated by \"|\", this line has 1\n"
                 "line 4: unknown rule kind STANDARDFUTURE");
    QVERIFY(!load->isVisible());
    QCOMPARE(f.rules(), (QStringList{"File Name: Insert x", "Letters: upper"}));

    f.chooseFolder(dir.filePath(QStringLiteral("files")));
    f.click("cmdPreview");
    QTRY_VERIFY(f.app->previewWindow()->isVisible());
    QCOMPARE(f.app->previewWindow()->model()->index(0, 1).data().toString(),
             QStringLiteral("XA.txt"));
    QVERIFY(!f.app->errorWindow()->isVisible());
}

void TestRulesWindows::windowsCloseWithEscapeAndNameEveryControl_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::newRow("save") << "cmdSave"
                          << "frmSaveRules";
    QTest::newRow("load") << "cmdLoad"
                          << "frmLoadRules";
    QTest::newRow("from-file") << "cmdFromFile"
                               << "frmFromFile";
    QTest::newRow("help") << "cmdHelp"
                          << "frmHelp";
}

void TestRulesWindows::windowsCloseWithEscapeAndNameEveryControl() {
    QFETCH(QString, button);
    QFETCH(QString, window);
    Fixture f;
    addThreeRules(f.w().rules());
    f.w().displayRules();
    f.click(button.toLatin1().constData());
    QWidget *w = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == window && top->isVisible())
            w = top;
    QVERIFY(w);
    QVERIFY2(w->width() <= 1024 && w->height() <= 700,
             qPrintable(QStringLiteral("%1x%2").arg(w->width()).arg(w->height())));
    for (QWidget *c : w->findChildren<QWidget *>()) {
        if (c->focusPolicy() == Qt::NoFocus || !c->isVisibleTo(w) ||
            c->focusProxy()) // the proxy is the control
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(),
                 qPrintable(c->objectName() + u' ' + QLatin1String(c->metaObject()->className())));
    }
    // From the control that has the focus, as the user presses it.
    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(TestRulesWindows)
#include "tst_ruleswindows.moc"
