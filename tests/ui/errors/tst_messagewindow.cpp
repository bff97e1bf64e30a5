#include "ui/messagewindow.h"

#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QtTest>

using namespace tallowin::ui;

class TestMessageWindow : public QObject {
    Q_OBJECT

    MessageWindow window;
    MessageWindow *messageWindow() { return &window; }
    void showMessage(const QString &text) { window.showMessage(text); }

    QString shown() {
        return messageWindow()->findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
    }

private Q_SLOTS:
    void laterMessageReplacesEarlier() {
        showMessage(QStringLiteral("first"));
        showMessage(QStringLiteral("second"));
        QCOMPARE(messageWindow()->objectName(), QStringLiteral("frmMessages"));
        QVERIFY(messageWindow()->isVisible());
        QCOMPARE(shown(), QStringLiteral("second"));
    }

    void okHidesAndNextMessageShowsAgain() {
        showMessage(QStringLiteral("one"));
        QTest::mouseClick(messageWindow()->findChild<QPushButton *>(QStringLiteral("cmdOk")),
                          Qt::LeftButton);
        QVERIFY(!messageWindow()->isVisible());
        showMessage(QStringLiteral("two"));
        QVERIFY(messageWindow()->isVisible());
        QCOMPARE(shown(), QStringLiteral("two"));
    }

    void messageFromAWorkerIsShownOnTheWindowThread() {
        messageWindow()->hide();
        QThread *worker = QThread::create(
            [this] { window.showMessage(QStringLiteral("from a worker <b>as text</b>")); });
        worker->start();
        worker->wait();
        delete worker;
        QTRY_VERIFY(messageWindow()->isVisible());
        QCOMPARE(shown(), QStringLiteral("from a worker <b>as text</b>"));
        QCOMPARE(messageWindow()->findChild<QLabel *>(QStringLiteral("lblMessage"))->textFormat(),
                 Qt::PlainText);
    }
};

QTEST_MAIN(TestMessageWindow)
#include "tst_messagewindow.moc"
