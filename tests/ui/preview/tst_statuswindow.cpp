#include "ui/job.h"
#include "ui/statuswindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

using namespace tallowin;
using namespace tallowin::ui;

class TestStatusWindow : public QObject {
    Q_OBJECT

    StatusWindow window;
    StatusWindow *statusWindow() { return &window; }
    NullErrorReporter noReports;

    QWidget *child(const char *name) {
        return statusWindow()->findChild<QWidget *>(QLatin1String(name));
    }

private Q_SLOTS:
    void init() {
        statusWindow()->reset();
        statusWindow()->resize(440, 150);
        statusWindow()->show();
    }

    void startsWithTheFirstCaptionAndANearlyEmptyBar() {
        QCOMPARE(statusWindow()->objectName(), QStringLiteral("frmStatusBar"));
        for (const char *name :
             {"lblStatus", "picStatusBar", "picStatusBarCompleted", "pictHeaderBar", "cmdCancel"})
            QVERIFY2(child(name), name);
        QCOMPARE(qobject_cast<QLabel *>(child("lblStatus"))->text(),
                 QStringLiteral("Preparing To Preview File Name Changes"));
        QCOMPARE(statusWindow()->completedFraction(), 15.0 / 5625.0);
    }

    void setCompleted_data() {
        QTest::addColumn<qint32>("total");
        QTest::addColumn<qint32>("done");
        QTest::addColumn<double>("fraction");
        QTest::newRow("zero-of-zero") << 0 << 0 << 0.0;
        QTest::newRow("one-of-zero") << 0 << 1 << 1.0;
        QTest::newRow("negative-total") << -7 << 1 << 1.0;
        QTest::newRow("quarter") << 4 << 1 << 0.25;
        QTest::newRow("all") << 4 << 4 << 1.0;
        QTest::newRow("more-than-total") << 4 << 9 << 1.0;
        QTest::newRow("negative-done") << 4 << -1 << 0.0;
    }
    void setCompleted() {
        QFETCH(qint32, total);
        QFETCH(qint32, done);
        QFETCH(double, fraction);
        statusWindow()->setCompleted(total, done);
        QCOMPARE(statusWindow()->completedFraction(), fraction);
        // The drawn bar stays inside its track, in proportion.
        const int track = child("picStatusBar")->width() - 2;
        const int fill = child("picStatusBarCompleted")->width();
        QVERIFY(fill >= 0 && fill <= track);
        QVERIFY(qAbs(fill - track * fraction) <= 1.0);
    }

    void followsAJobToItsLastReport() {
        auto *job = new Job(
            [](Progress &progress, ErrorReporter &) {
                for (qint32 i = 1; i <= 100000; ++i) {
                    progress.setStatus(QStringLiteral("Applying Rules To: %1.txt").arg(i));
                    progress.setCompleted(200000, i);
                }
            },
            noReports);
        statusWindow()->follow(job);
        QSignalSpy finished(job, &Job::finished);
        job->start();
        QVERIFY(finished.wait());
        QCOMPARE(statusWindow()->status(), QStringLiteral("Applying Rules To: 100000.txt"));
        QCOMPARE(statusWindow()->completedFraction(), 0.5);
    }

    void cancelStopsTheFollowedJob() {
        auto *job = new Job(
            [](Progress &progress, ErrorReporter &) {
                while (!progress.cancelled())
                    QThread::usleep(200);
            },
            noReports);
        statusWindow()->follow(job);
        QSignalSpy finished(job, &Job::finished);
        job->start();
        auto *cancel = qobject_cast<QPushButton *>(child("cmdCancel"));
        QVERIFY(cancel->isEnabled());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(finished.wait());
        QVERIFY(!cancel->isEnabled());
    }
};

QTEST_MAIN(TestStatusWindow)
#include "tst_statuswindow.moc"
