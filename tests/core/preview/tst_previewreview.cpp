#include "base/progress.h"
#include "preview/previewreview.h"
#include "preview_helper.h"

#include <QtTest>

#include <algorithm>
#include <numeric>

using namespace tallowin;
using namespace tallowin::test;

class TestPreviewReview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each step is "+N" (the user ticks row N of the list as it then stands) or "-N".
    void tickChanges_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("refused");
        const QStringList clash{"1|b.txt|x.txt", "0|a.txt|X.TXT", "1|c.txt|c.txt"};
        QTest::newRow("tick/clash-ignoring-case-refused")
            << clash << QStringList{"+1"} << clash << "2 Files Selected" << true;
        // Unticking b.txt sorts the rows, so a.txt is then row 0; its name is free now.
        QTest::newRow("tick/clash-with-unticked-row-accepted")
            << clash << QStringList{"-0", "+0"}
            << QStringList{"1|a.txt|X.TXT", "0|b.txt|x.txt", "1|c.txt|c.txt"} << "2 Files Selected"
            << false;
        QTest::newRow("tick/other-row-refused-then")
            << clash << QStringList{"-0", "+0", "+1"}
            << QStringList{"1|a.txt|X.TXT", "0|b.txt|x.txt", "1|c.txt|c.txt"} << "2 Files Selected"
            << true;
        QTest::newRow("untick/counts-and-sorts-by-old-name")
            << QStringList{"1|c.txt|1.txt", "1|B.txt|2.txt", "1|a.txt|3.txt"} << QStringList{"-0"}
            << QStringList{"1|a.txt|3.txt", "1|B.txt|2.txt", "0|c.txt|1.txt"} << "2 Files Selected"
            << false;
        // Rows from a list file may both be ticked with one name; ticking either again clashes.
        QTest::newRow("list-file/duplicates-clash-once-unticked")
            << QStringList{"1|a.txt|same.txt", "1|b.txt|same.txt"} << QStringList{"-1", "+1"}
            << QStringList{"1|a.txt|same.txt", "0|b.txt|same.txt"} << "1 Files Selected" << true;
        // Names that are not UTF-8 clash by their bytes (kept as escapes), not as shown.
        const QString e9 = QStringLiteral("caf") + QChar(0xDCE9),
                      e8 = QStringLiteral("caf") + QChar(0xDCE8);
        QTest::newRow("tick/other-bytes-not-utf8-accepted")
            << QStringList{"0|a|" + e9, "1|b|" + e8} << QStringList{"+0"}
            << QStringList{"1|a|" + e9, "1|b|" + e8} << "2 Files Selected" << false;
        QTest::newRow("tick/same-bytes-not-utf8-refused")
            << QStringList{"0|a|" + e9, "1|b|" + e9} << QStringList{"+0"}
            << QStringList{"0|a|" + e9, "1|b|" + e9} << "1 Files Selected" << true;
        QTest::newRow("tick/unchanged-state-is-no-change")
            << QStringList{"1|b.txt|1.txt", "1|a.txt|2.txt"} << QStringList{"+0"}
            << QStringList{"1|b.txt|1.txt", "1|a.txt|2.txt"} << "2 Files Selected" << false;
    }
    void tickChanges() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(QString, selected);
        QFETCH(bool, refused);
        PreviewReview review;
        review.fill(rowsFrom(rows));
        PreviewReview::TickChange last;
        for (const QString &step : steps)
            last = review.setChecked(step.mid(1).toInt(), step.startsWith(u'+'));
        QCOMPARE(rowsText(review.rows()), expected);
        QCOMPARE(review.filesSelectedText(), selected);
        QCOMPARE(review.filesShownText(), QString::number(rows.size()) + " Files Shown");
        QCOMPARE(!last.accepted, refused);
        QCOMPARE(last.message, refused ? DuplicateRefusedMessage : QString());
    }

    // The window fills the review with rows prepared ahead (off its thread); every change must
    // be answered as for plain rows.
    void preparedTickChanges_data() { tickChanges_data(); }
    void preparedTickChanges() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(QString, selected);
        QFETCH(bool, refused);
        PreviewReview review;
        QVERIFY(!review.fill(prepareReview(rowsFrom(rows))));
        PreviewReview::TickChange last;
        for (const QString &step : steps)
            last = review.setChecked(step.mid(1).toInt(), step.startsWith(u'+'));
        QCOMPARE(rowsText(review.rows()), expected);
        QCOMPARE(review.filesSelectedText(), selected);
        QCOMPARE(review.filesShownText(), QString::number(rows.size()) + " Files Shown");
        QCOMPARE(!last.accepted, refused);
        QCOMPARE(last.message, refused ? DuplicateRefusedMessage : QString());
    }

    // Clash counts follow the rows through the sort: unticking a row after it moved frees its
    // own name, not the name of the row that now stands where it stood.
    void preparedClashesFollowTheSort_data() {
        QTest::addColumn<bool>("prepared");
        QTest::newRow("plain") << false;
        QTest::newRow("prepared") << true;
    }
    void preparedClashesFollowTheSort() {
        QFETCH(bool, prepared);
        PreviewReview review;
        auto rows =
            rowsFrom({"1|d.txt|one.txt", "1|c.txt|two.txt", "0|b.txt|ONE.txt", "0|a.txt|TWO.txt"});
        if (prepared)
            review.fill(prepareReview(std::move(rows)));
        else
            review.fill(std::move(rows));
        const auto first = review.setChecked(1, false); // c.txt, then row 2
        QVERIFY(first.accepted && first.reordered);
        QCOMPARE(*first.order, (std::vector<quint32>{3, 2, 1, 0}));
        QCOMPARE(rowsText(review.rows()), (QStringList{"0|a.txt|TWO.txt", "0|b.txt|ONE.txt",
                                                       "0|c.txt|two.txt", "1|d.txt|one.txt"}));
        QVERIFY(review.setChecked(0, true).accepted);  // TWO.txt is free now
        QVERIFY(!review.setChecked(1, true).accepted); // ONE.txt is d.txt's still
        QVERIFY(!review.setChecked(2, true).accepted); // two.txt is a.txt's now
        QVERIFY(review.setChecked(3, false).accepted);
        QVERIFY(review.setChecked(1, true).accepted);
        QCOMPARE(rowsText(review.rows()), (QStringList{"1|a.txt|TWO.txt", "1|b.txt|ONE.txt",
                                                       "0|c.txt|two.txt", "0|d.txt|one.txt"}));
        QCOMPARE(review.filesSelected(), 2);
    }

    // A review sorted once shows a later preview's rows sorted at once; the rows it got in list
    // order are handed back, not kept, and nothing of the earlier rows is used again.
    void preparedLaterFillArrivesSorted() {
        PreviewReview review;
        review.fill(prepareReview(rowsFrom({"1|z.txt|1.txt", "1|y.txt|2.txt"})));
        const auto first = review.setChecked(0, false);
        QVERIFY(first.reordered);
        QVERIFY(first.replaced);
        QCOMPARE(rowsText(*first.replaced), (QStringList{"1|z.txt|1.txt", "1|y.txt|2.txt"}));
        const auto unused = review.fill(
            prepareReview(rowsFrom({"1|n.txt|2.txt", "0|m.txt|1.txt", "1|k.txt|1.txt"})));
        QVERIFY(unused);
        QCOMPARE(rowsText(*unused),
                 (QStringList{"1|n.txt|2.txt", "0|m.txt|1.txt", "1|k.txt|1.txt"}));
        QCOMPARE(rowsText(review.rows()),
                 (QStringList{"1|k.txt|1.txt", "0|m.txt|1.txt", "1|n.txt|2.txt"}));
        QCOMPARE(review.filesSelectedText(), QStringLiteral("2 Files Selected"));
        // The clash counts are this fill's: 1.txt is k.txt's, 2.txt n.txt's.
        QVERIFY(!review.setChecked(1, true).accepted);
        const auto later = review.setChecked(0, false);
        QVERIFY(later.accepted && !later.reordered && !later.replaced);
        QVERIFY(review.setChecked(1, true).accepted);
        QCOMPARE(rowsText(review.rows()),
                 (QStringList{"0|k.txt|1.txt", "1|m.txt|1.txt", "1|n.txt|2.txt"}));
        const PreparedReview gone = review.takeAll();
        QCOMPARE(rowsText(*gone.rows),
                 (QStringList{"0|k.txt|1.txt", "1|m.txt|1.txt", "1|n.txt|2.txt"}));
        QVERIFY(review.rows().empty());
        QCOMPARE(review.filesShownText(), QStringLiteral("0 Files Shown"));
    }

    // A rename shares the rows shown while the user ticks: the first change hands the review
    // the rows by old name and leaves the shared ones as they were.
    void preparedSharedRowsStayAsTheyWere() {
        PreviewReview review;
        review.fill(prepareReview(rowsFrom({"1|z.txt|1.txt", "1|y.txt|2.txt"})));
        const auto shared = review.sharedRows();
        QVERIFY(review.setChecked(0, false).accepted);
        QCOMPARE(rowsText(*shared), (QStringList{"1|z.txt|1.txt", "1|y.txt|2.txt"}));
        QCOMPARE(rowsText(review.rows()), (QStringList{"1|y.txt|2.txt", "0|z.txt|1.txt"}));
        const auto again = review.sharedRows();
        QVERIFY(review.setChecked(0, false).accepted);
        QCOMPARE(rowsText(*again), (QStringList{"1|y.txt|2.txt", "0|z.txt|1.txt"}));
        QCOMPARE(rowsText(review.rows()), (QStringList{"0|y.txt|2.txt", "0|z.txt|1.txt"}));
    }

    void staysSortedForLaterFillsAndClears() {
        PreviewReview review;
        review.fill(rowsFrom({"1|z.txt|1.txt", "1|y.txt|2.txt"}));
        QVERIFY(!review.sortedByOldName());
        QVERIFY(review.setChecked(0, false).reordered);
        QVERIFY(!review.setChecked(0, true).reordered);
        review.fill(rowsFrom({"1|n.txt|1.txt", "0|m.txt|2.txt"}));
        QCOMPARE(rowsText(review.rows()), (QStringList{"0|m.txt|2.txt", "1|n.txt|1.txt"}));
        QCOMPARE(review.filesSelectedText(), QStringLiteral("1 Files Selected"));
        review.clear();
        QVERIFY(review.rows().empty());
        QCOMPARE(review.filesShownText(), QStringLiteral("0 Files Shown"));
    }

    // The sort by old name ignores case as Qt does, whether a name is ASCII, beyond ASCII or
    // not UTF-8, and rows with equal names keep their order.
    void sortsByOldNameIgnoringCase() {
        const QStringList names{"b.txt", "B.txt", "_x",
                                "a",     "Z",     "é.txt",
                                "É.TXT", "e.txt", "caf" + QString(QChar(0xDCE9)),
                                "CAF",   "café",  "[x]",
                                "a",     "ß",     "SS",
                                "ﬁle",   "FILE",  "ä",
                                "A",     "~",     "Ω",
                                "ω"};
        std::vector<PreviewEntry> rows;
        for (qsizetype i = 0; i < names.size(); ++i) {
            PreviewEntry e;
            e.setOldName(names[i]);
            e.newName = QString::number(i);
            e.checked = true;
            rows.push_back(std::move(e));
        }
        std::vector<qsizetype> at(size_t(names.size()));
        std::iota(at.begin(), at.end(), 0);
        std::stable_sort(at.begin(), at.end(), [&](qsizetype x, qsizetype y) {
            const int c = names[x].compare(names[y], Qt::CaseInsensitive);
            return c != 0 ? c < 0 : names[x] < names[y];
        });
        PreviewReview review;
        review.fill(std::move(rows));
        QVERIFY(review.setChecked(0, false).reordered);
        QStringList got, want;
        for (size_t i = 0; i < at.size(); ++i) {
            got << review.rows()[i].oldName() + u'#' + review.rows()[i].newName;
            want << names[at[i]] + u'#' + QString::number(at[i]);
        }
        QCOMPARE(got, want);
    }

    // A rename reads the rows shared while the user may still tick: what it read stays as it
    // was, and taking the rows empties the review.
    void sharedRowsStayAsTheyWere() {
        PreviewReview review;
        review.fill(rowsFrom({"1|z.txt|1.txt", "1|y.txt|2.txt"}));
        const auto shared = review.sharedRows();
        QVERIFY(review.setChecked(0, false).accepted);
        QCOMPARE(rowsText(*shared), (QStringList{"1|z.txt|1.txt", "1|y.txt|2.txt"}));
        QCOMPARE(rowsText(review.rows()), (QStringList{"1|y.txt|2.txt", "0|z.txt|1.txt"}));
        const auto taken = review.takeRows();
        QCOMPARE(rowsText(*taken), (QStringList{"1|y.txt|2.txt", "0|z.txt|1.txt"}));
        QVERIFY(review.rows().empty());
        QCOMPARE(review.filesSelectedText(), QStringLiteral("0 Files Selected"));
    }

    void progressFraction_data() {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("done");
        QTest::addColumn<double>("fraction");
        QTest::newRow("zero-total-empty") << 0 << 0 << 0.0;
        QTest::newRow("negative-total-counts-as-one") << -5 << 1 << 1.0;
        QTest::newRow("quarter") << 4 << 1 << 0.25;
        QTest::newRow("past-the-end-full") << 2 << 5 << 1.0;
        QTest::newRow("negative-done-empty") << 10 << -3 << 0.0;
        QTest::newRow("huge-total") << 2147483647 << 1 << 1.0 / 2147483647.0;
    }
    void progressFraction() {
        QFETCH(int, total);
        QFETCH(int, done);
        QFETCH(double, fraction);
        QCOMPARE(Progress::fraction(total, done), fraction);
    }
};

QTEST_GUILESS_MAIN(TestPreviewReview)
#include "tst_previewreview.moc"
