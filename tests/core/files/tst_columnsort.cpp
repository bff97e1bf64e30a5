#include "files/columnsort.h"
#include "files/datetext.h"

#include <QtTest>

using namespace tallowin;

namespace {

// A plain list of text rows, as any window's list might hold.
class TextList : public SortableList {
public:
    explicit TextList(QList<QStringList> rows) : rows(std::move(rows)) {}
    qsizetype rowCount() const override { return rows.size(); }
    QString cell(qsizetype row, int column) const override { return rows[row][column - 1]; }
    void setCell(qsizetype row, int column, const QString &text) override {
        rows[row][column - 1] = text;
    }
    void reorder(const std::vector<qsizetype> &order) override {
        QList<QStringList> sorted;
        for (qsizetype i : order)
            sorted << rows[i];
        rows = sorted;
    }
    QStringList column(int c) const {
        QStringList out;
        for (const QStringList &r : rows)
            out << r[c - 1];
        return out;
    }
    QList<QStringList> rows;
};

// Rows of one column each, tagged in column 2 so the order can be followed.
TextList tagged(const QStringList &cells) {
    QList<QStringList> rows;
    for (qsizetype i = 0; i < cells.size(); ++i)
        rows << QStringList{cells[i], QString::number(i)};
    return TextList(rows);
}

FileEntry entry(const QString &name, const QString &number, qint64 secs) {
    FileEntry e;
    e.fileName = name;
    e.nativeName = name.toUtf8();
    e.numberAdjName = number;
    e.created = QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
    e.DateCreated = DateText().format(e.created);
    return e;
}

QStringList fileNames(const std::vector<FileEntry> &rows) {
    QStringList n;
    for (const FileEntry &e : rows)
        n << e.fileName;
    return n;
}

} // namespace

class TestColumnSort : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbers_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("ascending/zero-shown-empty")
            << QStringList{"12", "7", "100", "0"} << 3 << QStringList{"3", "1", "0", "2"}
            << QStringList{"", "7", "12", "100"};
        QTest::newRow("ascending/leading-zeros-dropped")
            << QStringList{"10", "007"} << 3 << QStringList{"1", "0"} << QStringList{"7", "10"};
        QTest::newRow("descending")
            << QStringList{"12", "7", "100", "0"} << 4 << QStringList{"2", "0", "1", "3"}
            << QStringList{"100", "12", "7", ""};
        QTest::newRow("negative-by-value")
            << QStringList{"-1", "3", "-2", "-10"} << 3 << QStringList{"3", "2", "0", "1"}
            << QStringList{"-10", "-2", "-1", "3"};
        QTest::newRow("fractions-and-separators")
            << QStringList{"1.5", "1.25", " 1,000", "+2"} << 3 << QStringList{"1", "0", "3", "2"}
            << QStringList{"1.25", "1.5", "2", "1000"};
        QTest::newRow("longer-than-a-double")
            << QStringList{"123456789012345678902", "123456789012345678901", "9"} << 3
            << QStringList{"2", "1", "0"}
            << QStringList{"9", "123456789012345678901", "123456789012345678902"};
        QTest::newRow("empty-is-zero-equal-keys-keep-order")
            << QStringList{"5", "", "0", "00"} << 3 << QStringList{"1", "2", "3", "0"}
            << QStringList{"", "", "", "5"};
    }
    void numbers() {
        QFETCH(QStringList, cells);
        QFETCH(int, order);
        TextList list = tagged(cells);
        QString message;
        QVERIFY(sortListByColumn(list, 1, SortAsNumber, order, &message));
        QVERIFY(message.isEmpty());
        QTEST(list.column(2), "tags");
        QTEST(list.column(1), "after");
    }

    void numberCellThatIsNotANumberLeavesListAlone() {
        TextList list = tagged({"3", "abc", "1"});
        const QList<QStringList> before = list.rows;
        QString message;
        QVERIFY(!sortListByColumn(list, 1, SortAsNumber, SortAscending, &message));
        QCOMPARE(message, QString("Type mismatch (13)"));
        QCOMPARE(list.rows, before);
    }

    void textIgnoresCaseAndKeepsEqualRowsInOrder_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("tags");
        QTest::newRow("ascending") << 3 << QStringList{"1", "2", "0", "3"};
        QTest::newRow("descending") << 4 << QStringList{"3", "0", "1", "2"};
    }
    void textIgnoresCaseAndKeepsEqualRowsInOrder() {
        QFETCH(int, order);
        TextList list = tagged({"b", "A", "a", "C"});
        QVERIFY(sortListByColumn(list, 1, SortAsText, order));
        QTEST(list.column(2), "tags");
    }

    void otherKindsAndDirections() {
        TextList list = tagged({"b", "a"});
        QVERIFY(sortListByColumn(list, 1, 7, SortAscending)); // not a kind: nothing happens
        QCOMPARE(list.column(1), (QStringList{"b", "a"}));
        QVERIFY(sortListByColumn(list, 1, SortAsText, SortDescending));
        QCOMPARE(list.column(1), (QStringList{"b", "a"}));
        // Neither ascending nor descending: the list keeps its last direction.
        TextList other = tagged({"a", "c", "b"});
        other.descending = true;
        QVERIFY(sortListByColumn(other, 1, SortAsText, 0));
        QCOMPARE(other.column(1), (QStringList{"c", "b", "a"}));
    }

    void datesByTimeNotByText() {
        // Text order and time order disagree in most date formats ("10 ..." before "9 ...",
        // "12/31" after "3/1").
        const DateText dates;
        const qint64 jan9 = QDateTime(QDate(2004, 1, 9), QTime(10, 0)).toSecsSinceEpoch();
        const qint64 feb10 = QDateTime(QDate(2004, 2, 10), QTime(9, 0)).toSecsSinceEpoch();
        const qint64 dec31 = QDateTime(QDate(2004, 12, 31), QTime(9, 0)).toSecsSinceEpoch();
        const QStringList cells{dates.format(dec31), dates.format(jan9), UnknownDateText,
                                dates.format(feb10), "not a date"};
        // Through the text of the cells, as any list holds them.
        TextList list = tagged(cells);
        QVERIFY(sortListByColumn(list, 1, SortAsDate, SortAscending));
        QCOMPARE(list.column(2), (QStringList{"2", "1", "3", "0", "4"}));
        QCOMPARE(list.column(1),
                 (QStringList{UnknownDateText, cells[1], cells[3], cells[0], "not a date"}));
        // Through the file list's own times.
        std::vector<FileEntry> rows{entry("late", "0", dec31), entry("early", "0", jan9),
                                    entry("middle", "0", feb10)};
        FileEntryList files(rows);
        QVERIFY(sortListByColumn(files, 2, SortAsDate, SortDescending));
        QCOMPARE(fileNames(rows), (QStringList{"late", "middle", "early"}));
    }

    void headerClicksAlternatePerColumn() {
        std::vector<FileEntry> rows{entry("b", "3", 200), entry("a", "10", 100),
                                    entry("c", "007", 300)};
        ColumnSortToggle toggle;
        QVERIFY(sortFileListByHeader(rows, toggle, 2));
        QCOMPARE(fileNames(rows), (QStringList{"a", "b", "c"}));
        QVERIFY(sortFileListByHeader(rows, toggle, 3)); // another column between clicks
        QCOMPARE(fileNames(rows), (QStringList{"b", "c", "a"}));
        QCOMPARE(rows[1].numberAdjName, QString("7"));
        QVERIFY(sortFileListByHeader(rows, toggle, 2));
        QCOMPARE(fileNames(rows), (QStringList{"c", "b", "a"}));
        QVERIFY(sortFileListByHeader(rows, toggle, 2));
        QCOMPARE(fileNames(rows), (QStringList{"a", "b", "c"}));
        QVERIFY(sortFileListByHeader(rows, toggle, 3));
        QCOMPARE(fileNames(rows), (QStringList{"a", "c", "b"}));
    }

    void firstNameClickAfterListingChangesNothing() {
        QTemporaryDir dir;
        for (const char *n : {"b", "A", "c", "a"})
            QVERIFY(QFile(dir.filePath(n)).open(QIODevice::WriteOnly));
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        std::vector<FileEntry> rows = listDirectory(dir.path(), filter, errors).rows.entries();
        const QStringList listed = fileNames(rows);
        ColumnSortToggle toggle;
        QVERIFY(sortFileListByHeader(rows, toggle, 1));
        QCOMPARE(fileNames(rows), listed);
        QVERIFY(sortFileListByHeader(rows, toggle, 1));
        QCOMPARE(fileNames(rows), (QStringList{"c", "b", "A", "a"}));
    }
};

QTEST_GUILESS_MAIN(TestColumnSort)
#include "tst_columnsort.moc"
