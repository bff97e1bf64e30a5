#include "mainwindow_helper.h"

#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewhook.h"
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
    void initTestCase() { installPreviewHook(); }

    void previewRenameAndRelist() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"IMG_2.JPG", "IMG_1.JPG", "notes.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        QCOMPARE(f.names(), (QStringList{"IMG_1.JPG", "IMG_2.JPG", "notes.txt"}));
        f.w().fileList()->setData(f.w().fileList()->index(2, 0), Qt::Unchecked,
                                  Qt::CheckStateRole);
        f.w().rules().addRule(RuleKinds::Replace, QStringLiteral("IMG_"),
                              QStringLiteral("Holiday "), QStringLiteral("0"));
        f.w().DisplayRules();

        PreviewFlow &flow = previewFlowFor(f.w());
        QSignalSpy finished(&flow, &PreviewFlow::previewFinished);
        auto *preview = f.get<QWidget>("cmdPreview");
        f.click("cmdPreview");
        QVERIFY(!preview->isEnabled()); // until the run ends
        QVERIFY(finished.wait(10000));
        QVERIFY(preview->isEnabled());
        QVERIFY(previewWindow()->isVisible());
        QCOMPARE(previewWindow()->model()->rowCount(), 2);

        // Renaming relists the folder with every file ticked.
        QVERIFY(f.listAfter([] {
            QTest::mouseClick(previewWindow()->findChild<QPushButton *>(
                                  QStringLiteral("cmdRename")),
                              Qt::LeftButton);
        }));
        QCOMPARE(f.names(), (QStringList{"Holiday 1.JPG", "Holiday 2.JPG", "notes.txt"}));
        QCOMPARE(f.w().fileList()->checkedCount(), 3);
        QVERIFY(!previewWindow()->isVisible());
        QVERIFY(!statusWindow()->isVisible());
        QVERIFY(!messageWindow()->isVisible());
    }

    void rowsFromElsewhereRenameAndRelistToo() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"old.txt", "other.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        // As a rename list file hands over its rows.
        PreviewEntry row;
        row.oldName = QStringLiteral("old.txt");
        row.newName = QStringLiteral("new.txt");
        row.checked = true;
        previewFlowFor(f.w()).showRows({row});
        QVERIFY(previewWindow()->isVisible());
        QVERIFY(f.listAfter([] {
            QTest::mouseClick(previewWindow()->findChild<QPushButton *>(
                                  QStringLiteral("cmdRename")),
                              Qt::LeftButton);
        }));
        QCOMPARE(f.names(), (QStringList{"new.txt", "other.txt"}));
    }
};

QTEST_MAIN(TestPreviewFromMain)
#include "tst_previewfrommain.moc"
