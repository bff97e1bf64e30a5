#include "mainwindow_helper.h"

#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"

#include <QAbstractItemView>
#include <QDir>
#include <QListWidget>
#include <QPushButton>

using namespace tallowin;
using namespace tallowin::ui;
using namespace testing;

// The whole road through the main window, driven by control names: list a folder, add a rule
// on every Standard page, reorder and delete rules, preview, untick, be refused a duplicate
// tick, rename, and find the files renamed on disk and listed again.
class TestMainRoad : public QObject {
    Q_OBJECT

    static void addRule(Fixture &f, int page, const char *option,
                        QList<QPair<const char *, QString>> texts, const char *add,
                        const std::function<void()> &more = {}) {
        f.click(QStringLiteral("lblStandardTabs(%1)").arg(page).toLatin1().constData());
        f.click(option);
        for (const auto &[box, value] : texts)
            f.get<QLineEdit>(box)->setText(value);
        if (more)
            more();
        f.click(add);
    }
    static int previewRow(Fixture &f, const QString &oldName) {
        const PreviewModel *m = f.app->previewWindow()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->data(m->index(r, 0), Qt::DisplayRole).toString() == oldName)
                return r;
        return -1;
    }
    static QVariant tick(Fixture &f, int row) {
        const PreviewModel *m = f.app->previewWindow()->model();
        return m->data(m->index(row, 0), Qt::CheckStateRole);
    }

private Q_SLOTS:
    void listAddPreviewRename() {
        QTemporaryDir dir;
        makeFiles(dir.path(),
                  {"alpha one1.txt", "beta two2.txt", "gamma3.txt", "dup1.log", "dup2.log"});
        Fixture f;
        f.chooseFolder(dir.path());
        QCOMPARE(f.text("lblFilesShown"), QStringLiteral("5 Files Shown"));

        addRule(f, 0, "optStandardRemove", {{"txtStandardRemoveCharacters", "1"}},
                "cmdStandardFileNameAddNewRule", [&] {
                    f.click("cmbStandardRemove");
                    auto *l = f.get<QListWidget>("lstStandardRemove");
                    QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                      l->visualItemRect(l->item(1)).center());
                });
        addRule(f, 1, "optStandardExtSetTo", {{"txtStandardExtSetTo", "md"}},
                "cmdStandardExtensionAddNewRule");
        addRule(f, 2, "optStandardAutoStartEnd", {}, "cmdStandardAutoAddRule");
        addRule(f, 3, "optStandardLettersUpperCase", {}, "cmdStandardLettersAddRule");
        addRule(f, 4, "optStandardMiscReplaceSpaces", {}, "cmdStandardMiscAddRule");
        QCOMPARE(f.rules(), (QStringList{"File Name: Remove 1 from the end of the file name",
                                         "Extension: Set extension to md exactly",
                                         "Auto Number: Place numbers at the start of the file name",
                                         "Letters: Make all UPPER case",
                                         "Misc: Replace any spaces with _ underscores"}));

        // Spaces go first, the numbering goes away.
        auto *list = f.get<QAbstractItemView>("lstStandardRules");
        auto select = [&](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(row - 1, 0)).center());
        };
        select(5);
        f.click("cmdRuleUpAll");
        select(4);
        f.click("cmdRuleDelete");
        select(2);
        f.click("cmdRuleDown");
        QCOMPARE(f.rules(), (QStringList{"Misc: Replace any spaces with _ underscores",
                                         "Extension: Set extension to md exactly",
                                         "File Name: Remove 1 from the end of the file name",
                                         "Letters: Make all UPPER case"}));

        PreviewFlow &flow = *f.app->previewFlow();
        QSignalSpy finished(&flow, &PreviewFlow::previewFinished);
        f.click("cmdPreview");
        QVERIFY(!f.get<QWidget>("cmdPreview")->isEnabled()); // while the preview runs
        QVERIFY(finished.wait(10000));
        QVERIFY(f.get<QWidget>("cmdPreview")->isEnabled());
        QVERIFY(f.app->previewWindow()->isVisible());
        const PreviewModel *m = f.app->previewWindow()->model();
        QCOMPARE(m->rowCount(), 5);
        const int dup2 = previewRow(f, QStringLiteral("dup2.log"));
        QCOMPARE(m->data(m->index(dup2, 1), Qt::DisplayRole).toString(), QStringLiteral("DUP.md"));
        QCOMPARE(tick(f, dup2).toInt(), int(Qt::Unchecked)); // repeats the row above

        // Untick one row; ticking the duplicate is refused with a message.
        auto *pm = const_cast<PreviewModel *>(m);
        const int beta = previewRow(f, QStringLiteral("beta two2.txt"));
        QVERIFY(pm->setData(pm->index(beta, 0), Qt::Unchecked, Qt::CheckStateRole));
        QSignalSpy refused(pm, &PreviewModel::tickRefused);
        pm->setData(pm->index(dup2, 0), Qt::Checked, Qt::CheckStateRole);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(tick(f, dup2).toInt(), int(Qt::Unchecked));
        QTRY_VERIFY(f.app->messageWindow()->isVisible());
        f.app->messageWindow()->hide();

        // Rename, then the folder is listed again with every row ticked.
        QVERIFY(f.listAfter([&] {
            QTest::mouseClick(
                f.app->previewWindow()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
                Qt::LeftButton);
        }));
        const QStringList expected = {"ALPHA_ONE.md", "beta two2.txt", "DUP.md", "dup2.log",
                                      "GAMMA.md"};
        QStringList onDisk = QDir(dir.path()).entryList(QDir::Files);
        onDisk.sort(Qt::CaseInsensitive);
        QCOMPARE(onDisk, expected);
        QCOMPARE(f.names(), expected);
        QCOMPARE(f.w().fileList()->checkedCount(), 5);
        QCOMPARE(f.text("lblFilesSelected"), QStringLiteral("5 Files Selected"));
        QVERIFY(!f.app->previewWindow()->isVisible());
        QVERIFY(!f.app->messageWindow()->isVisible());
    }
};

QTEST_MAIN(TestMainRoad)
#include "tst_mainroad.moc"
