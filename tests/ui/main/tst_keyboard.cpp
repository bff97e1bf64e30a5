#include "mainwindow_helper.h"

#include "ui/previewmodel.h"
#include "ui/previewwindow.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>

using namespace tallowin;
using namespace tallowin::ui;
using namespace testing;

// The main road with the keyboard alone: no mouse event is sent. Offscreen has no window
// manager, so the test activates a window where a desktop would when it opens.
class TestKeyboard : public QObject {
    Q_OBJECT

    static QWidget *focus() { return QApplication::focusWidget(); }
    static QString focusName() { return focus() ? focus()->objectName() : QStringLiteral("-"); }
    static void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(focus() ? focus() : QApplication::activeWindow(), Qt::Key(k), m);
    }
    // Presses Tab (or Shift+Tab) until `name` has the focus; false when it never gets it.
    static bool tabTo(const QString &name, Qt::KeyboardModifiers m = Qt::NoModifier) {
        for (int i = 0; i < 60 && focusName() != name; ++i)
            key(Qt::Key_Tab, m);
        return focusName() == name;
    }
    static bool activate(QWidget *w) {
        QApplication::setActiveWindow(w);
        return QTest::qWaitForWindowActive(w);
    }

private Q_SLOTS:
    void addPreviewAndRenameByKeyboard() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"apple.txt", "berry.txt"});
        Fixture f;
        QVERIFY(activate(&f.w()));
        f.get("dirFileLocation")->setFocus(Qt::OtherFocusReason);
        QVERIFY(f.listAfter([&] {
            key(Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(focus(), dir.path());
            key(Qt::Key_Return);
        }));
        QCOMPARE(f.names(), (QStringList{"apple.txt", "berry.txt"}));

        // Tab leaves the file list, both ways.
        QVERIFY2(tabTo(QStringLiteral("lstFilesToRename")), qPrintable(focusName()));
        key(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdSelectAllFiles"));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QStringLiteral("lstFilesToRename"));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(focusName() != QStringLiteral("lstFilesToRename"));

        // A File Name rule: choose Replace, fill both boxes, Enter adds it.
        QVERIFY2(tabTo(QStringLiteral("optStandardReplace")), qPrintable(focusName()));
        key(Qt::Key_Space);
        QVERIFY(f.get<QRadioButton>("optStandardReplace")->isChecked());
        key(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtStandardReplaceThis"));
        QTest::keyClicks(focus(), QStringLiteral("e"));
        key(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtStandardReplaceWith"));
        QTest::keyClicks(focus(), QStringLiteral("E"));
        key(Qt::Key_Return);
        QCOMPARE(f.rules(), QStringList{"File Name: Replace e with E"});
        // Tab from the boxes reaches the page's add button.
        QVERIFY2(tabTo(QStringLiteral("cmdStandardFileNameAddNewRule")), qPrintable(focusName()));

        // Alt+P previews; Escape cancels the preview; Alt+P again, Alt+R renames.
        key(Qt::Key_P, Qt::AltModifier);
        PreviewWindow *preview = f.app->previewWindow();
        QTRY_VERIFY(preview->isVisible());
        QVERIFY(activate(preview));
        key(Qt::Key_Escape);
        QVERIFY(!preview->isVisible());
        QCOMPARE(preview->model()->rowCount(), 0);
        QVERIFY(activate(&f.w()));
        key(Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(preview->isVisible());
        QVERIFY(activate(preview));
        QCOMPARE(preview->model()->rowCount(), 2);
        QVERIFY(f.listAfter([&] { key(Qt::Key_R, Qt::AltModifier); }));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"applE.txt", "bErry.txt"}));
        QCOMPARE(f.w().status(), QStringLiteral("2 files renamed."));
    }

    // Delete in the rules list deletes the selected rule; the arrows choose it.
    void deleteKeyDeletesTheSelectedRule() {
        Fixture f;
        QVERIFY(activate(&f.w()));
        for (const char *d : {"first", "second"})
            f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"),
                                  {}, {}, {}, {}, QLatin1String(d));
        f.w().displayRules();
        f.get("lstStandardRules")->setFocus(Qt::TabFocusReason);
        key(Qt::Key_End);
        key(Qt::Key_Delete);
        QCOMPARE(f.rules(), QStringList{"first"});
        key(Qt::Key_Home);
        key(Qt::Key_Delete);
        QCOMPARE(f.rules(), QStringList{});
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
