#include "shell/settingsstore.h"
#include "shell/tips.h"
#include "ui/tipwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tallowin;

class TestTipWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Next shows tips at random: in time every one of the ten, and the same one again.
    void nextShowsRandomTips() {
        QTemporaryDir home;
        SettingsStore settings(home.filePath(QStringLiteral("settings.ini")));
        ui::TipWindow tips(settings);
        auto *text = tips.findChild<QPlainTextEdit *>(QStringLiteral("txtToolTip"));
        auto *next = tips.findChild<QAbstractButton *>(QStringLiteral("cmdNext"));
        QVERIFY(text && next);
        QSet<QString> seen{text->toPlainText()};
        bool repeated = false;
        // Ten equally likely tips: a thousand draws miss one with odds below 1 in 10^40.
        for (int i = 0; i < 1000 && (seen.size() < 10 || !repeated); ++i) {
            const QString before = text->toPlainText();
            QTest::mouseClick(next, Qt::LeftButton);
            repeated = repeated || text->toPlainText() == before;
            seen << text->toPlainText();
            QCOMPARE(text->toPlainText(), Tips[size_t(tips.tipNumber() - 1)]);
        }
        QCOMPARE(seen.size(), 10);
        QVERIFY(repeated);
    }

    void boxStoresTheStartUpChoice() {
        QTemporaryDir home;
        SettingsStore settings(home.filePath(QStringLiteral("settings.ini")));
        ui::TipWindow tips(settings);
        tips.setShowAtStartUp(true);
        // Putting the stored choice into the box stores nothing.
        QCOMPARE(settings.setting(Settings::App, Settings::Section, Settings::ShowTips), QString());
        auto *box = tips.findChild<QCheckBox *>(QStringLiteral("chkShowTips"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(settings.setting(Settings::App, Settings::Section, Settings::ShowTips),
                 QStringLiteral("0"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(settings.setting(Settings::App, Settings::Section, Settings::ShowTips),
                 QStringLiteral("1"));
    }

    // Close and Escape hide the window; F1 asks for the help's first page.
    void keysAndClose_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("close") << "close";
        QTest::newRow("escape") << "escape";
        QTest::newRow("f1") << "f1";
    }
    void keysAndClose() {
        QFETCH(QString, how);
        QTemporaryDir home;
        SettingsStore settings(home.filePath(QStringLiteral("settings.ini")));
        ui::TipWindow tips(settings);
        QSignalSpy help(&tips, &ui::TipWindow::helpPageRequested);
        tips.show();
        QApplication::setActiveWindow(&tips);
        QVERIFY(QTest::qWaitForWindowActive(&tips));
        for (QWidget *c : tips.findChildren<QWidget *>())
            if (qobject_cast<QAbstractButton *>(c) || qobject_cast<QPlainTextEdit *>(c)) {
                QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
                QVERIFY2(c->focusPolicy() & Qt::TabFocus, qPrintable(c->objectName()));
            }
        QVERIFY(tips.width() <= 1024 && tips.height() <= 700);
        if (how == u"close") {
            QTest::mouseClick(tips.findChild<QAbstractButton *>(QStringLiteral("cmdClose")),
                              Qt::LeftButton);
        } else {
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &tips;
            QTest::keyClick(target, how == u"f1" ? Qt::Key_F1 : Qt::Key_Escape);
        }
        if (how == u"f1") {
            QCOMPARE(help.size(), 1);
            QCOMPARE(help.at(0).at(0).toString(), QStringLiteral("index.html"));
            QVERIFY(tips.isVisible());
        } else {
            QVERIFY(!tips.isVisible());
            QVERIFY(help.isEmpty());
        }
    }
};

QTEST_MAIN(TestTipWindow)
#include "tst_tipwindow.moc"
