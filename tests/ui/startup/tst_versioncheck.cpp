// The start-up's version check against a loopback web site: only a newer release is announced,
// and the main window stays shown and responsive whatever the site does. How long the event
// loop may wait meanwhile is measured in bench/ui/bench_versioncheck.cpp, not bounded here.

#include "loopbackserver_helper.h"

#include "shell/settingsstore.h"
#include "shell/versioncheck.h"
#include "ui/appcontroller.h"
#include "ui/mainwindow.h"
#include "ui/messagewindow.h"
#include "ui/newreleasewindow.h"
#include "ui/site.h"
#include "ui/versioncheck.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QVersionNumber>
#include <QtTest>

#include <functional>

using namespace tallowin;

namespace {

QVersionNumber running() {
    return QVersionNumber::fromString(QStringLiteral(TALLOWIN_VERSION));
}

// Notes whether a widget is painted while `pending` holds.
class PaintWatcher : public QObject {
public:
    std::function<bool()> pending;
    bool paintedWhilePending = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && pending && pending())
            paintedWhilePending = true;
        return false;
    }
};

} // namespace

class TestVersionCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(running().segments().size() == 3);
    }

    void announcesOnlyANewerRelease_data() {
        QTest::addColumn<QString>("site"); // answer, silent or none
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("announced");
        const QVersionNumber v = running();
        const QByteArray newer = QVersionNumber(v.majorVersion() + 1, 0, 0).toString().toLatin1();
        const QByteArray newerRevision =
            QVersionNumber(v.majorVersion(), v.minorVersion(), v.microVersion() + 1)
                .toString()
                .toLatin1();
        QTest::newRow("newer/major") << "answer" << newer << true;
        if (newerRevision.size() == 5)
            QTest::newRow("newer/revision") << "answer" << newerRevision << true;
        QTest::newRow("equal") << "answer" << QByteArray(TALLOWIN_VERSION) << false;
        if (v > QVersionNumber(0, 0, 0))
            QTest::newRow("older") << "answer" << QByteArrayLiteral("0.0.0") << false;
        QTest::newRow("malformed/no-dot") << "answer" << QByteArrayLiteral("12345") << false;
        QTest::newRow("malformed/html")
            << "answer" << QByteArrayLiteral("<html><body>9.9.9</body></html>") << false;
        QTest::newRow("malformed/empty") << "answer" << QByteArray() << false;
        QTest::newRow("server-never-answers") << "silent" << QByteArray() << false;
        QTest::newRow("no-server") << "none" << QByteArray() << false;
    }
    void announcesOnlyANewerRelease() {
        QFETCH(QString, site);
        QFETCH(QByteArray, answer);
        QFETCH(bool, announced);
        LoopbackServer server;
        QVERIFY(server.listen());
        const QByteArray news = "Version 9 renames faster.\nAnd it has a new wizard.";
        server.answers.insert(VersionPagePath, answer);
        server.answers.insert(NewsPagePath, news);
        server.silent = site == u"silent";
        // The site answers after the main window is up, so the check is seen waiting.
        server.answerDelayMs = 700;
        const QUrl base = site == u"none"
                              ? QUrl(QStringLiteral("http://127.0.0.1:%1").arg(deadPort()))
                              : server.baseUrl();
        qputenv("TALLOWIN_SITE", base.toString().toUtf8());

        QTemporaryDir home;
        SettingsStore settings(home.filePath(QStringLiteral("settings.ini")));
        // The wizard and the tips stay closed: only the check's own windows may show.
        settings.saveSetting(Settings::App, Settings::StartupSection, Settings::ShowWizard,
                             QStringLiteral("0"));
        settings.saveSetting(Settings::App, Settings::Section, Settings::ShowTips,
                             QStringLiteral("0"));
        QPointer<ui::AppController> app = new ui::AppController(settings);
        // A silent site is given up after this; the test waits for that end.
        app->versionCheck()->setTimeout(1500);
        QSignalSpy ended(app->versionCheck(), &ui::VersionCheck::finished);
        QSignalSpy answered(app->versionCheck(), &ui::VersionCheck::newVersionFound);
        // While the site holds its answer the window goes on: its event loop turns and it
        // repaints before the check ends. Both are asked for when the site gets the request,
        // before it starts to hold the answer, so a check that does not block sees them first;
        // one that waited on the site in the window's thread would hold them until its end
        // (and the site, in this thread too, could not even answer).
        const auto pending = [&] {
            return app && app->versionCheck()->isRunning() && ended.isEmpty() && answered.isEmpty();
        };
        bool turnedWhilePending = false;
        PaintWatcher paints;
        paints.pending = pending;
        connect(&server, &LoopbackServer::requestReceived, &server, [&] {
            if (server.targets.size() != 1)
                return;
            QTimer::singleShot(0, &server, [&] { turnedWhilePending = pending(); });
            if (ui::MainWindow *window = app->mainWindow()) {
                window->installEventFilter(&paints);
                window->update();
            }
        });
        app->startUp();

        QTRY_VERIFY_WITH_TIMEOUT(app->mainWindow() && app->mainWindow()->isVisible(), 5000);
        // The main window does not wait for the site.
        if (site != u"none") {
            QVERIFY(app->versionCheck()->isRunning());
            QTRY_VERIFY(!server.targets.isEmpty());
        }
        QVERIFY(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 10000));
        if (site != u"none") {
            QVERIFY(turnedWhilePending);
            QVERIFY(paints.paintedWhilePending);
        }
        if (site != u"none")
            QCOMPARE(server.targets.value(0), VersionPagePath.toLatin1());

        QCOMPARE(answered.size(), announced ? 1 : 0);
        if (announced) {
            QTRY_VERIFY(app->messageWindow()->isVisible());
            QCOMPARE(app->messageWindow()->message(),
                     NewVersionMessage + QStringLiteral("  ") + base.toString());
            QTRY_VERIFY(app->newReleaseWindow() && app->newReleaseWindow()->isVisible());
            QCOMPARE(app->newReleaseWindow()
                         ->findChild<QPlainTextEdit *>(QStringLiteral("txtNewVersion"))
                         ->toPlainText(),
                     QString::fromUtf8(news));
            QCOMPARE(server.targets,
                     (QList<QByteArray>{VersionPagePath.toLatin1(), NewsPagePath.toLatin1()}));
            // Its button closes the notice for good.
            QTest::mouseClick(app->newReleaseWindow()->findChild<QWidget *>(QStringLiteral("cmd1")),
                              Qt::LeftButton);
            QTRY_VERIFY(!app->newReleaseWindow());
        } else {
            QVERIFY(!app->messageWindow()->isVisible());
            QVERIFY(!app->newReleaseWindow());
            QVERIFY(server.targets.size() <= 1);
        }
        QVERIFY(app->mainWindow()->isVisible());
        delete app.data();
    }

    // The notice closes with Escape too, and names its controls.
    void noticeClosesWithEscape() {
        QPointer<ui::NewReleaseWindow> notice = new ui::NewReleaseWindow(QStringLiteral("news"));
        notice->show();
        QApplication::setActiveWindow(notice);
        QVERIFY(QTest::qWaitForWindowActive(notice));
        for (QWidget *c : notice->findChildren<QWidget *>())
            if (qobject_cast<QAbstractButton *>(c) || qobject_cast<QPlainTextEdit *>(c))
                QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        QTest::keyClick(notice, Qt::Key_Escape);
        QTRY_VERIFY(!notice);
    }
};

QTEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
