#include "mainwindow_helper.h"

#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/statuswindow.h"

#include <QPushButton>

using namespace tallowin;
using namespace tallowin::ui;
using namespace testing;

// The main window's Preview button through to the files renamed on disk and listed again.
class TestPreviewFromMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The Preview button's road: the window's signal, the controller, the flow's run of the
    // builder, and the builder's rows in the preview window.
    void previewButtonReachesTheBuilder() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"b.txt", "a.txt", "skip.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        f.model().setChecked(2, false); // skip.txt
        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("new "), QStringLiteral("Start"));
        f.w().displayRules();

        QSignalSpy requested(&f.w(), &MainWindow::previewRequested);
        QSignalSpy finished(f.app->previewFlow(), &PreviewFlow::previewFinished);
        QSignalSpy running(f.app->previewFlow(), &PreviewFlow::previewEnabledChanged);
        f.click("cmdPreview");
        QCOMPARE(requested.size(), 1);
        QCOMPARE(running.size(), 1); // the flow started at once
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toBool(), true);

        const PreviewModel *rows = f.app->previewWindow()->model();
        QVERIFY(f.app->previewWindow()->isVisible());
        QStringList made;
        for (int r = 0; r < rows->rowCount(); ++r)
            made << rows->index(r, 0).data().toString() + u'>' +
                        rows->index(r, 1).data().toString();
        QCOMPARE(made, (QStringList{"a.txt>new a.txt", "b.txt>new b.txt"}));
        QVERIFY(!f.app->messageWindow()->isVisible());
    }

    void previewRenameAndRelist() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"IMG_2.JPG", "IMG_1.JPG", "notes.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        QCOMPARE(f.names(), (QStringList{"IMG_1.JPG", "IMG_2.JPG", "notes.txt"}));
        f.model().setData(f.model().index(2, 0), Qt::Unchecked, Qt::CheckStateRole);
        f.w().rules().addRule(RuleKinds::Replace, QStringLiteral("IMG_"),
                              QStringLiteral("Holiday "), QStringLiteral("0"));
        f.w().displayRules();

        PreviewFlow &flow = *f.app->previewFlow();
        QSignalSpy finished(&flow, &PreviewFlow::previewFinished);
        auto *preview = f.get<QWidget>("cmdPreview");
        f.click("cmdPreview");
        QVERIFY(!preview->isEnabled()); // until the run ends
        QVERIFY(finished.wait(10000));
        QVERIFY(preview->isEnabled());
        QVERIFY(f.app->previewWindow()->isVisible());
        QCOMPARE(f.app->previewWindow()->model()->rowCount(), 2);

        // Renaming relists the folder with every file ticked.
        QVERIFY(f.listAfter([&] {
            QTest::mouseClick(
                f.app->previewWindow()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
                Qt::LeftButton);
        }));
        QCOMPARE(f.names(), (QStringList{"Holiday 1.JPG", "Holiday 2.JPG", "notes.txt"}));
        QCOMPARE(f.w().fileList()->checkedCount(), 3);
        QVERIFY(!f.app->previewWindow()->isVisible());
        QVERIFY(!f.app->statusWindow()->isVisible());
        QVERIFY(!f.app->messageWindow()->isVisible());
    }

    void rowsFromElsewhereRenameAndRelistToo() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"old.txt", "other.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        // As a rename list file hands over its rows.
        PreviewEntry row;
        row.setOldName(u"old.txt");
        row.newName = QStringLiteral("new.txt");
        row.checked = true;
        f.app->previewFlow()->showRows({row});
        QVERIFY(f.app->previewWindow()->isVisible());
        QVERIFY(f.listAfter([&] {
            QTest::mouseClick(
                f.app->previewWindow()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
                Qt::LeftButton);
        }));
        QCOMPARE(f.names(), (QStringList{"new.txt", "other.txt"}));
    }
};

QTEST_MAIN(TestPreviewFromMain)
#include "tst_previewfrommain.moc"
