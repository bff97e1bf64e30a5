#include "mainwindow_helper.h"

#include "ui/errorwindow.h"
#include "ui/previewwindow.h"
#include "ui/renamesummary.h"
#include "ui/rulearea.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>

using namespace tallowin;
using namespace tallowin::ui;
using namespace testing;

// What a screen reader finds: every control that takes the keyboard focus, in every window the
// program opens, has a name to be announced by; the lists announce their rows.
class TestAccessibility : public QObject {
    Q_OBJECT

    // "window/control (class)" for each focusable control of the program's windows that a
    // screen reader could not name. Windows are found as they are, not from a list, so a new
    // window is checked as soon as it exists.
    static QStringList unnamedControls() {
        QStringList out;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            // Qt's own pop-ups and tool tips carry no name; every window of ours does.
            if (top->objectName().isEmpty())
                continue;
            QList<QWidget *> widgets = top->findChildren<QWidget *>();
            widgets.prepend(top);
            for (QWidget *w : std::as_const(widgets)) {
                if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
                    continue;
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
                if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                    out << QStringLiteral("%1/%2 (%3)")
                               .arg(top->objectName(), w->objectName(),
                                    QLatin1String(w->metaObject()->className()));
            }
        }
        return out;
    }

    static QString cell(QWidget *view, int row, int column) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(view);
        if (!a || !a->tableInterface())
            return QStringLiteral("<no table>");
        QAccessibleInterface *c = a->tableInterface()->cellAt(row, column);
        return c ? c->text(QAccessible::Name) : QStringLiteral("<no cell>");
    }

private Q_SLOTS:
    void everyFocusableControlHasAName() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.txt", "b.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        // Open every window there is: each command of the toolbar and the rule area, the MP3
        // view, a preview, a rename summary and the error window.
        for (const char *command : {"cmdWizard", "cmdFromFile", "cmdHelp", "cmdLoad", "cmdSave"})
            f.get<QAbstractButton>(command)->click();
        f.get<QAbstractButton>("cmdMP3")->click();
        f.get<QAbstractButton>("cmdStandard")->click();
        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"));
        f.w().displayRules();
        f.w().preview();
        QTRY_VERIFY(f.app->previewWindow()->isVisible());
        RenameRun run;
        RenameOutcome failed;
        failed.oldBytes = "a.txt";
        failed.newName = QStringLiteral("xa.txt");
        failed.reason = QStringLiteral("permission denied");
        run.outcomes.push_back(failed);
        f.app->previewWindow()->summary()->setRun(run);
        f.app->previewWindow()->summary()->show();
        f.app->errors().report(Locations::PreviewRename, ErrorNumbers::TypeMismatch);

        const QStringList unnamed = unnamedControls();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
    }

    // Rows are announced by what they show; a tick is a state of the row's first cell.
    void listsAnnounceTheirRows() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        QWidget *files = f.get("lstFilesToRename");
        QCOMPARE(cell(files, 0, 0), QStringLiteral("a.txt"));
        QAccessibleInterface *tick =
            QAccessible::queryAccessibleInterface(files)->tableInterface()->cellAt(0, 0);
        QVERIFY(tick->state().checkable);
        QVERIFY(tick->state().checked);

        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("x"), QStringLiteral("Start"), {},
                              {}, {}, {}, QStringLiteral("File Name: Insert x at the start"));
        f.w().displayRules();
        // A tree view lays out its rows when the event loop runs.
        QTRY_COMPARE(cell(f.get("lstStandardRules"), 0, 0),
                     QStringLiteral("File Name: Insert x at the start"));
        f.w().preview();
        QTRY_VERIFY(f.app->previewWindow()->isVisible());
        QWidget *preview =
            f.app->previewWindow()->findChild<QWidget *>(QStringLiteral("lstpreview"));
        QCOMPARE(cell(preview, 0, 0), QStringLiteral("a.txt"));
        QCOMPARE(cell(preview, 0, 1), QStringLiteral("xa.txt"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
