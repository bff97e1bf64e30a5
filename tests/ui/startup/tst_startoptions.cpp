#include "rulesfile/rulesfile.h"
#include "ui/appcontroller.h"
#include "ui/commandlinehelpwindow.h"
#include "ui/errorwindow.h"
#include "ui/mainwindow.h"
#include "ui/messagewindow.h"
#include "ui/startoptions.h"
#include "ui/startup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tallowin;
using Action = ui::StartOptions::Action;

class TestStartOptions : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("photos")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.rul")));
        QFile f(path(QStringLiteral("notes.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
        qputenv("TALLOWIN_HOME", m_dir.filePath(QStringLiteral("home")).toUtf8());
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void parse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("ignored");
        const QString photos = path(QStringLiteral("photos"));
        const QString rul = path(QStringLiteral("holiday.RUL"));
        QTest::newRow("nothing") << QStringList{} << int(Action::Start) << QString() << QString()
                                 << QStringList{};
        // Either order; a rules file that is missing is still taken, to be told it is unread.
        QTest::newRow("folder and rules")
            << QStringList{rul, photos} << int(Action::Start) << photos << rul << QStringList{};
        // A folder whose name ends in .rul is a folder.
        QTest::newRow("folder named .rul")
            << QStringList{path(QStringLiteral("folder.rul"))} << int(Action::Start)
            << path(QStringLiteral("folder.rul")) << QString() << QStringList{};
        QTest::newRow("neither") << QStringList{path(QStringLiteral("notes.txt")),
                                                path(QStringLiteral("gone"))}
                                 << int(Action::Start) << QString() << QString()
                                 << QStringList{path(QStringLiteral("notes.txt")),
                                                path(QStringLiteral("gone"))};
        QTest::newRow("help wins")
            << QStringList{QStringLiteral("--check-install"), QStringLiteral("--help")}
            << int(Action::Help) << QString() << QString() << QStringList{};
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << int(Action::Version)
                                 << QString() << QString() << QStringList{};
        QTest::newRow("check with folder")
            << QStringList{QStringLiteral("--check-install"), photos} << int(Action::CheckInstall)
            << photos << QString() << QStringList{};
        QTest::newRow("command-line help")
            << QStringList{QStringLiteral("--command-line-help")} << int(Action::CommandLineHelp)
            << QString() << QString() << QStringList{};
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--frobnicate"), photos} << int(Action::BadUsage)
            << QString() << QString() << QStringList{};
        // After "--" a name that looks like an option is an operand.
        QTest::newRow("after --") << QStringList{QStringLiteral("--"), QStringLiteral("--help")}
                                  << int(Action::Start) << QString() << QString()
                                  << QStringList{QStringLiteral("--help")};
    }
    void parse() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        const ui::StartOptions o = ui::parseStartOptions(args);
        QCOMPARE(int(o.action), action);
        QTEST(o.folder, "folder");
        QTEST(o.rulesFile, "rules");
        QTEST(o.ignored, "ignored");
        if (o.action == Action::BadUsage)
            QVERIFY(o.error.contains(QStringLiteral("--frobnicate")));
    }

    // The desktop menu's "Command Line Help" shows what the command line prints, or why not.
    void commandLineHelpWindow() {
        ui::CommandLineHelpWindow shown(QStringLiteral(TALLOWIN_CLI));
        auto *text = shown.findChild<QPlainTextEdit *>(QStringLiteral("txtCommandLineHelp"));
        QVERIFY(text && !text->accessibleName().isEmpty());
        QVERIFY(text->toPlainText().startsWith(QStringLiteral("Usage:")));
        QVERIFY(text->toPlainText().contains(QStringLiteral("tallowin-cli rename")));
        shown.show();
        QVERIFY(shown.width() <= 1024 && shown.height() <= 700);
        auto *close = shown.findChild<QPushButton *>(QStringLiteral("cmdClose"));
        QVERIFY(close);
        QCOMPARE(shown.focusWidget(), close);
        QTest::keyClick(&shown, Qt::Key_Escape);
        QVERIFY(!shown.isVisible());

        ui::CommandLineHelpWindow missing(path(QStringLiteral("no-such-program")));
        const QString told =
            missing.findChild<QPlainTextEdit *>(QStringLiteral("txtCommandLineHelp"))
                ->toPlainText();
        QVERIFY2(told.contains(path(QStringLiteral("no-such-program"))), qPrintable(told));
    }

    // `tallowin FOLDER RULES.rul`: the window opens on the folder with the file's rules listed.
    void startsOnFolderWithRules() {
        RuleTable saved;
        saved.addRule(RuleKinds::Replace, QStringLiteral("IMG_"), QStringLiteral("Holiday "),
                      QStringLiteral("0"), {}, {}, {}, QStringLiteral("Replace IMG_"));
        saved.addRule(RuleKinds::LetterUpperCase, {}, {}, {}, {}, {}, {},
                      QStringLiteral("Upper case"));
        NullErrorReporter none;
        QCOMPARE(RulesFile::write(m_dir.path(), QStringLiteral("holiday"), saved, none).outcome,
                 RulesFile::WriteOutcome::Written);
        const QString photos = path(QStringLiteral("photos"));
        QPointer<ui::AppController> app = ui::startUp(photos, path(QStringLiteral("holiday.rul")));
        QTRY_VERIFY_WITH_TIMEOUT(app->mainWindow() && app->mainWindow()->isVisible(), 5000);
        ui::MainWindow *w = app->mainWindow();
        QCOMPARE(w->folder(), photos);
        QCOMPARE(w->rules(), saved);
        auto *list = w->findChild<QAbstractItemView *>(QStringLiteral("lstStandardRules"));
        QVERIFY(list);
        QCOMPARE(list->model()->rowCount(), 2);

        // Lines that are not rules are left out, and told in one message.
        const QString edited = path(QStringLiteral("edited.rul"));
        QFile file(edited);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("STANDARDLETTERUPPERCASE|0||||||Upper case\r\njunk\r\nNEWKIND|||||||n\r\n");
        file.close();
        app->loadRulesFile(edited);
        QCOMPARE(w->rules().ruleCount(), 1);
        QCOMPARE(list->model()->rowCount(), 1);
        QTRY_VERIFY(app->messageWindow()->isVisible());
        QCOMPARE(app->messageWindow()->message(),
                 "The rules file " + edited +
                     " was loaded without these lines:\n"
                     "line 2: not a rule: a rule is eight fields separated by \"|\", this line "
                     "has 1\n"
                     "line 3: unknown rule kind NEWKIND");

        // A rules file that cannot be read is reported and leaves no rules.
        app->loadRulesFile(path(QStringLiteral("missing.rul")));
        QCOMPARE(w->rules().ruleCount(), 0);
        QVERIFY(app->errorWindow()->isVisible());
        QCOMPARE(app->errorWindow()->report().location, RulesFile::ReadLocation);
        w->close();
        QTRY_VERIFY(!app);
    }
};

QTEST_MAIN(TestStartOptions)
#include "tst_startoptions.moc"
