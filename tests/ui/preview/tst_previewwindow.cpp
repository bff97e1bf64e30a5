#include "ui/messagewindow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/statuswindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace tallowin;
using namespace tallowin::ui;

namespace {
PreviewEntry row(const char *oldName, const char *newName, bool checked) {
    PreviewEntry e;
    e.setOldBytes(oldName);
    e.newName = QString::fromUtf8(newName);
    e.checked = checked;
    return e;
}
} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT

    // One window for every test, as the program has: later tests see what earlier ones left.
    CollectingErrorReporter reports;
    StatusWindow status;
    MessageWindow messages;
    PreviewWindow window{status, reports};
    PreviewWindow *w = &window;
    QTableView *list = nullptr;

    QString label(const char *name) { return w->findChild<QLabel *>(QLatin1String(name))->text(); }
    QStringList column(int c) {
        QStringList out;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            out << list->model()->index(r, c).data().toString();
        return out;
    }
    bool ticked(const QString &oldName) {
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            const QModelIndex i = list->model()->index(r, 0);
            if (i.data().toString() == oldName)
                return i.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        }
        return false;
    }
    // Toggles a row's tick box the way a user does with the keyboard.
    void toggle(const QString &oldName) {
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            const QModelIndex i = list->model()->index(r, 0);
            if (i.data().toString() == oldName) {
                list->setCurrentIndex(i);
                QTest::keyClick(list, Qt::Key_Space);
                return;
            }
        }
        QFAIL("no such row");
    }

private Q_SLOTS:
    void initTestCase() {
        connect(w, &PreviewWindow::messageRequested, &messages, &MessageWindow::showMessage);
    }
    void init() {
        list = w->findChild<QTableView *>(QStringLiteral("lstpreview"));
        QVERIFY(list);
        messages.hide();
        // Rows in the order a producer made them: not by old name, one duplicate unticked.
        w->showRows({row("c.txt", "Photo 3.jpg", true), row("a.txt", "Photo 1.jpg", true),
                     row("b.txt", "PHOTO 1.JPG", false)});
    }

    void showsRowsAndCounters() {
        QVERIFY(w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("frmPreviewStandard"));
        for (const char *name : {"Label1", "Label2", "cmdRename", "cmdCancel", "pictHeaderBar"})
            QVERIFY2(w->findChild<QWidget *>(QLatin1String(name)), name);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Original File Name"));
        QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("New File Name"));
        QCOMPARE(label("lblFilesSelected"), QStringLiteral("2 Files Selected"));
        QCOMPARE(label("lblFilesShown"), QStringLiteral("3 Files Shown"));
    }

    // A new name shows as the rename will write it: the dots and spaces the rules left at its
    // end are dropped there, so they are not shown either.
    void newNamesShowAsWritten() {
        w->showRows({row("README", "new README.", true), row("b.txt", "b. . ", true),
                     row("c.txt", "c.txt", true)});
        QCOMPARE(column(1), (QStringList{"new README", "b", "c.txt"}));
    }

    void clashingTickIsRefused() {
        const QStringList order = column(0);
        toggle(QStringLiteral("b.txt"));
        QVERIFY(!ticked(QStringLiteral("b.txt")));
        QVERIFY(messages.isVisible());
        QCOMPARE(messages.message(),
                 QStringLiteral("Unable to select this file, this would create a duplicate "
                                "file name which is not allowed by Linux."));
        // A refusal changes neither the counters nor the order.
        QCOMPARE(label("lblFilesSelected"), QStringLiteral("2 Files Selected"));
        QCOMPARE(column(0), order);
    }

    void untickThenTickTheOtherIsAccepted() {
        toggle(QStringLiteral("a.txt"));
        QVERIFY(!ticked(QStringLiteral("a.txt")));
        QVERIFY(!messages.isVisible());
        QCOMPARE(label("lblFilesSelected"), QStringLiteral("1 Files Selected"));
        // The first accepted change sorts the rows by old name.
        QCOMPARE(column(0), (QStringList{"a.txt", "b.txt", "c.txt"}));
        QCOMPARE(column(1), (QStringList{"Photo 1.jpg", "PHOTO 1.JPG", "Photo 3.jpg"}));

        toggle(QStringLiteral("b.txt"));
        QVERIFY(ticked(QStringLiteral("b.txt")));
        QVERIFY(!messages.isVisible());
        QCOMPARE(label("lblFilesSelected"), QStringLiteral("2 Files Selected"));
        QCOMPARE(label("lblFilesShown"), QStringLiteral("3 Files Shown"));
    }

    void currentRowFollowsItsFileWhenTheListSorts() {
        // This window's list has been sorted by an earlier test; a fresh model has not.
        PreviewModel model;
        QTableView view;
        view.setModel(&model);
        model.fill({row("c.txt", "3.txt", true), row("a.txt", "1.txt", true),
                    row("b.txt", "2.txt", true)});
        view.setCurrentIndex(model.index(0, 0)); // c.txt
        QTest::keyClick(&view, Qt::Key_Space);   // untick c.txt: the rows sort
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("c.txt"));
        QTest::keyClick(&view, Qt::Key_Space); // ticks c.txt again, not another file
        QCOMPARE(model.review().filesSelected(), qsizetype(3));
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("c.txt"));
    }

    // The rows the preview run prepares ahead sort on the first change as plain rows do; the
    // current row and every selected row follow their files, so the next key press or Rename
    // acts on the files the user chose.
    void selectionFollowsItsFilesWhenTheListSorts_data() {
        QTest::addColumn<bool>("prepared");
        QTest::newRow("plain") << false;
        QTest::newRow("prepared") << true;
    }
    void selectionFollowsItsFilesWhenTheListSorts() {
        QFETCH(bool, prepared);
        PreviewModel model;
        QTableView view;
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.setModel(&model);
        std::vector<PreviewEntry> rows{row("e.txt", "5.txt", true), row("c.txt", "3.txt", true),
                                       row("a.txt", "1.txt", true), row("d.txt", "4.txt", true),
                                       row("b.txt", "2.txt", true)};
        if (prepared)
            model.fillPrepared(prepareReview(std::move(rows)));
        else
            model.fill(std::move(rows));
        auto *selection = view.selectionModel();
        for (int r : {1, 3}) // c.txt, d.txt
            selection->select(model.index(r, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->setCurrentIndex(model.index(4, 0), QItemSelectionModel::NoUpdate); // b.txt
        QTest::keyClick(&view, Qt::Key_Space); // untick b.txt: the rows sort
        const auto names = [&](const QModelIndexList &list) {
            QStringList out;
            for (const QModelIndex &i : list)
                out << i.data().toString();
            out.sort();
            return out;
        };
        QCOMPARE(names(model.match(model.index(0, 0), Qt::DisplayRole, QStringLiteral("*"), -1,
                                   Qt::MatchWildcard)),
                 (QStringList{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("a.txt"));
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("b.txt"));
        QCOMPARE(names(selection->selectedRows()), (QStringList{"c.txt", "d.txt"}));
        QCOMPARE(model.review().filesSelected(), qsizetype(4));
        QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QTest::keyClick(&view, Qt::Key_Space); // ticks b.txt again, not another file
        QCOMPARE(model.review().filesSelected(), qsizetype(5));
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("b.txt"));
    }

    void laterFillsStaySorted() {
        // An earlier test sorted the list; rows of a new preview are placed in that order.
        w->showRows({row("z.txt", "1.txt", true), row("m.txt", "2.txt", true)});
        QCOMPARE(column(0), (QStringList{"m.txt", "z.txt"}));
    }

    void cancelEmptiesAndHides() {
        QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(list->model()->rowCount(), 0);
        w->show();
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(label("lblFilesShown"), QStringLiteral("0 Files Shown"));
    }

    void f1OpensItsHelpPage() {
        QSignalSpy asked(w, &PreviewWindow::helpPageRequested);
        QTest::keyClick(list, Qt::Key_A);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(asked.isEmpty());
        // From the list, as the user presses it, and from the window itself.
        QTest::keyClick(list, Qt::Key_F1);
        QTest::keyClick(w, Qt::Key_F1);
        QStringList opened;
        for (const QList<QVariant> &args : asked)
            opened << args.first().toString();
        QCOMPARE(opened, (QStringList{"page13.html", "page13.html"}));
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
