#include "loopbackserver_helper.h"

#include "ui/errorwindow.h"
#include "ui/messagewindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QUrlQuery>
#include <QVersionNumber>
#include <QtTest>

#include <cerrno>

using namespace tallowin;
using namespace tallowin::ui;

class TestErrorWindow : public QObject {
    Q_OBJECT

    // The error window and the message window, as the application controller owns them.
    ErrorWindow window;
    MessageWindow messages;
    ErrorWindow *errorWindow() { return &window; }
    MessageWindow *messageWindow() { return &messages; }
    ErrorReporter &errorReporter() { return window.reporter(); }

    QString label(const char *name) {
        return errorWindow()->findChild<QLabel *>(QLatin1String(name))->text();
    }
    void click(const char *button) {
        QTest::mouseClick(errorWindow()->findChild<QPushButton *>(QLatin1String(button)),
                          Qt::LeftButton);
    }
    static QString application() {
        const auto v = QVersionNumber::fromString(QStringLiteral(TALLOWIN_VERSION));
        return QStringLiteral("Tallowin%1%2%3")
            .arg(v.majorVersion())
            .arg(v.minorVersion())
            .arg(v.microVersion());
    }
    void useSite(const QUrl &url) { qputenv("TALLOWIN_SITE", url.toString().toUtf8()); }

private Q_SLOTS:
    void init() {
        errorWindow()->setTimeout(5000);
        errorWindow()->hide();
        messageWindow()->hide();
    }

    void showsTheLatestReport() {
        errorReporter().report(26, 53, QStringLiteral("File not found Position: 3 - *.*"));
        errorReporter().report(50, 5, QStringLiteral("Invalid procedure call Position: 8"));
        QVERIFY(errorWindow()->isVisible());
        QCOMPARE(errorWindow()->objectName(), QStringLiteral("frmErrors"));
        QCOMPARE(label("lblErrorLocation"), QStringLiteral("Error Location: 50"));
        QCOMPARE(label("lblErrorNumber"), QStringLiteral("Error Number: 5"));
        QCOMPARE(label("lblErrorDescription"),
                 QStringLiteral("Error Description: Invalid procedure call Position: 8"));
    }

    void reportsFromAWorkerArriveInOrder() {
        QThread *worker = QThread::create([this] {
            errorReporter().report(183, 9, QStringLiteral("first"));
            errorReporter().report(50, 5, QStringLiteral("second"));
        });
        worker->start();
        worker->wait();
        delete worker;
        QTRY_VERIFY(errorWindow()->isVisible());
        QTRY_COMPARE(errorWindow()->report(), (ErrorReport{50, 5, QStringLiteral("second")}));
    }

    void sendEncodesEveryValue_data() {
        QTest::addColumn<qint32>("location");
        QTest::addColumn<qint32>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("plain") << 216 << 13 << QStringLiteral("Type mismatch")
                               << QByteArray("Type%20mismatch");
        QTest::newRow("blanks-and-ampersand") << 50 << 5 << QStringLiteral("a & b=c Position: 8")
                                              << QByteArray("a%20%26%20b%3Dc%20Position%3A%208");
        QTest::newRow("plus-percent-hash-question") << 26 << 53 << QStringLiteral("1+1 100% #2 ?x")
                                                    << QByteArray("1%2B1%20100%25%20%232%20%3Fx");
        QTest::newRow("path-and-accents")
            << 216 << 1 << QStringLiteral("/tmp/é - b") << QByteArray("%2Ftmp%2F%C3%A9%20-%20b");
        QTest::newRow("negative-number") << 26 << -2147319779 << QString() << QByteArray();
    }
    void sendEncodesEveryValue() {
        QFETCH(qint32, location);
        QFETCH(qint32, number);
        QFETCH(QString, description);
        QFETCH(QByteArray, encoded);
        LoopbackServer server;
        QVERIFY(server.listen());
        useSite(server.baseUrl());
        QSignalSpy sent(errorWindow(), &ErrorWindow::reportSent);

        errorReporter().report(location, number, description);
        click("cmdSendError");
        QVERIFY(!errorWindow()->isVisible());
        QVERIFY(sent.wait());

        QCOMPARE(server.targets.size(), 1);
        const QByteArray expected =
            "/products/errorreport.asp?application=" + application().toLatin1() +
            "&errorlocation=" + QByteArray::number(location) +
            "&errornumber=" + QByteArray::number(number) + "&errordescription=" + encoded +
            "&errorkind=program";
        QCOMPARE(server.targets.first(), expected);
        // And a server decoding the query gets the values back exactly.
        const QUrlQuery query(QUrl::fromEncoded(server.targets.first()));
        QCOMPARE(query.queryItemValue(QStringLiteral("errordescription"), QUrl::FullyDecoded),
                 description);
    }

    // Whose number it is travels with it, since the program's 13 ("Type mismatch") is not
    // the system's 13 (EACCES); so does the file or folder the report concerns, which the
    // window shows, as it shows everything sent.
    void kindAndPathAreShownAndSent_data() {
        QTest::addColumn<bool>("system");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("program") << false << QString() << QByteArray("&errorkind=program");
        QTest::newRow("system-with-path")
            << true << QStringLiteral("/tmp/a b&c")
            << QByteArray("&errorkind=system&errorpath=%2Ftmp%2Fa%20b%26c");
    }
    void kindAndPathAreShownAndSent() {
        QFETCH(bool, system);
        QFETCH(QString, path);
        QFETCH(QByteArray, tail);
        const ErrorReport report = (system ? ErrorReport::system(19, EACCES)
                                           : ErrorReport::program(19, ErrorNumbers::TypeMismatch))
                                       .about(path);
        errorReporter().report(report);
        QCOMPARE(label("lblErrorPath"), path.isEmpty() ? QStringLiteral("Error Path: ")
                                                       : QStringLiteral("Error Path: ") + path);
        QCOMPARE(errorWindow()->findChild<QLabel *>("lblErrorPath")->isVisible(), !path.isEmpty());
        const QByteArray query = ErrorWindow::reportQuery(report).toLatin1();
        QVERIFY2(query.endsWith(tail), query.constData());
        QVERIFY(query.contains("&errornumber=13&"));
    }

    void retryAnswer_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("secondPath");
        QTest::newRow("ok") << QByteArray("OK") << QByteArray();
        QTest::newRow("six-characters") << QByteArray("RETRY|") << QByteArray();
        QTest::newRow("lower-case") << QByteArray("retry|/other.asp") << QByteArray();
        QTest::newRow("relative-address")
            << QByteArray("RETRY|/products/again.asp") << QByteArray("/products/again.asp");
        QTest::newRow("address-with-line-end")
            << QByteArray("RETRY|/again.asp\r\n") << QByteArray("/again.asp");
        QTest::newRow("not-http") << QByteArray("RETRY|file:///etc/passwd") << QByteArray();
    }
    void retryAnswer() {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, secondPath);
        LoopbackServer server;
        QVERIFY(server.listen());
        server.answers.insert(QStringLiteral("/products/errorreport.asp"), answer);
        useSite(server.baseUrl());
        QSignalSpy sent(errorWindow(), &ErrorWindow::reportSent);

        errorReporter().report(50, 5, QStringLiteral("x & y"));
        click("cmdSendError");
        QVERIFY(sent.wait());

        const QByteArray query = server.targets.first().mid(server.targets.first().indexOf('?'));
        QCOMPARE(server.targets.size(), secondPath.isEmpty() ? 1 : 2);
        if (!secondPath.isEmpty())
            QCOMPARE(server.targets.at(1), secondPath + query);
    }

    void cancelHidesAndSendsNothing() {
        LoopbackServer server;
        QVERIFY(server.listen());
        useSite(server.baseUrl());
        QSignalSpy sent(errorWindow(), &ErrorWindow::reportSent);

        errorReporter().report(26, 53, QStringLiteral("cancelled report"));
        click("cmdCancel");
        QVERIFY(!errorWindow()->isVisible());

        // A report sent afterwards is the first and only one the server sees.
        errorReporter().report(50, 5, QStringLiteral("sent report"));
        click("cmdSendError");
        QVERIFY(sent.wait());
        QCOMPARE(sent.size(), 1);
        QCOMPARE(server.targets.size(), 1);
        QVERIFY(
            server.targets.first().endsWith("errordescription=sent%20report&errorkind=program"));
    }

    void unreachableServerFreezesNothing_data() {
        QTest::addColumn<bool>("listening");
        QTest::newRow("nothing-listening") << false;
        QTest::newRow("never-answers") << true;
    }
    void unreachableServerFreezesNothing() {
        QFETCH(bool, listening);
        LoopbackServer server;
        if (listening) {
            QVERIFY(server.listen());
            server.silent = true;
            useSite(server.baseUrl());
        } else {
            useSite(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(deadPort())));
        }
        errorWindow()->setTimeout(300);
        QSignalSpy sent(errorWindow(), &ErrorWindow::reportSent);

        errorReporter().report(50, 5, QStringLiteral("no one listens"));
        click("cmdSendError");
        QVERIFY(!errorWindow()->isVisible());
        // The event loop keeps running while the request is pending.
        bool ticked = false;
        QTimer::singleShot(0, this, [&] { ticked = true; });
        QTRY_VERIFY(ticked);
        QVERIFY(sent.size() == 0 || !listening);

        QVERIFY(sent.size() == 1 || sent.wait(5000));
        if (listening)
            QCOMPARE(server.targets.size(), 1);
        // Nothing of the sending is told to the user.
        QVERIFY(!errorWindow()->isVisible());
        QVERIFY(!messageWindow()->isVisible());
    }
};

QTEST_MAIN(TestErrorWindow)
#include "tst_errorwindow.moc"
