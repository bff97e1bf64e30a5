// The start-up's version check against a loopback web site: only a newer release is announced,
// and the main window stays shown and responsive whatever the site does.

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
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QVersionNumber>
#include <QtTest>

using namespace tallowin;

namespace {

QVersionNumber running() {
    return QVersionNumber::fromString(QStringLiteral(TALLOWIN_VERSION));
}

// Records the longest wait between two turns of the event loop, from its second turn on.
// It starts once the main window has been drawn the first time: drawing a new window is not
// the check's doing.
class GapMeter : public QObject {
public:
    GapMeter() {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_clock.isValid())
                m_longest = qMax(m_longest, m_clock.restart());
            else
                m_clock.start();
        });
    }
    void start() {
        if (!m_stopped && !m_timer.isActive())
            m_timer.start();
    }
    // Starts after the first paint of `window`.
    void startAfterPaintOf(QWidget *window) { window->installEventFilter(this); }
    void stop() {
        m_stopped = true;
        m_timer.stop();
    }
    qint64 longest() const { return m_longest; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            start();
        }
        return false;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
    bool m_stopped = false;
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
        GapMeter gaps;
        connect(app, &ui::AppController::mainWindowOpened, &gaps,
                [&gaps](ui::MainWindow *window) { gaps.startAfterPaintOf(window); });
        // The check waits on the site while it is measured; what follows its answer (the
        // windows it opens) is not the waiting.
        QSignalSpy answered(app->versionCheck(), &ui::VersionCheck::newVersionFound);
        connect(app->versionCheck(), &ui::VersionCheck::newVersionFound, &gaps, &GapMeter::stop);
        connect(app->versionCheck(), &ui::VersionCheck::finished, &gaps, &GapMeter::stop);
        app->startUp();

        QTRY_VERIFY_WITH_TIMEOUT(app->mainWindow() && app->mainWindow()->isVisible(), 5000);
        // The main window does not wait for the site.
        if (site != u"none") {
            QVERIFY(app->versionCheck()->isRunning());
            QTRY_VERIFY(!server.targets.isEmpty());
        }
        QVERIFY(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 10000));
        qInfo("longest event-loop wait while the check waited: %lld ms", gaps.longest());
        // A check that blocked would hold the loop for the site's whole delay (700 ms or more);
        // on a busy machine the loop alone can wait some 100 ms (a settings file written through
        // to disk), which must not fail the test.
        QVERIFY2(gaps.longest() < server.answerDelayMs / 2,
                 qPrintable(QStringLiteral("the event loop waited %1 ms").arg(gaps.longest())));
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
