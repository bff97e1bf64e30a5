#include "editing/wizardrules.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tallowin;

namespace {

const QString Mp3Data = QStringLiteral(TALLOWIN_TEST_DATA "/mp3");

std::vector<FileEntry> rowsOf(const QStringList &names, const QList<int> &unticked = {}) {
    std::vector<FileEntry> rows;
    for (const QString &n : names) {
        FileEntry e;
        e.fileName = n;
        e.checked = !unticked.contains(int(rows.size()));
        rows.push_back(e);
    }
    return rows;
}

QStringList newNames(const std::vector<PreviewEntry> &preview) {
    QStringList out;
    for (const PreviewEntry &e : preview)
        out << e.newName;
    return out;
}

QStringList numbered(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("IMG%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

} // namespace

class TestWizardRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offersFilesByExtension_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("offered");
        const int mp3 = int(WizardKind::Mp3), pictures = int(WizardKind::Picture);
        QTest::newRow("mp3/lower") << mp3 << "a.mp3" << true;
        QTest::newRow("mp3/upper") << mp3 << "b.MP3" << true;
        QTest::newRow("mp3/text") << mp3 << "c.txt" << false;
        QTest::newRow("mp3/no-dot") << mp3 << "mp3" << false;
        QTest::newRow("mp3/inner-dot") << mp3 << "a.mp3.txt" << false;
        QTest::newRow("mp3/picture") << mp3 << "a.jpg" << false;
        for (const char *ext : {"gif", "jpg", "bmp", "raw", "tif", "jpeg", "pcx", "tiff", "JPG"})
            QTest::newRow(qPrintable(QStringLiteral("pictures/%1").arg(QLatin1String(ext))))
                << pictures << QStringLiteral("p.%1").arg(QLatin1String(ext)) << true;
        QTest::newRow("pictures/png") << pictures << "p.png" << false;
        QTest::newRow("pictures/mp3") << pictures << "p.mp3" << false;
        QTest::newRow("none/mp3") << int(WizardKind::None) << "a.mp3" << false;
    }
    void offersFilesByExtension() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(bool, offered);
        QCOMPARE(wizardOffersFile(WizardKind(kind), name), offered);
    }

    // The rules as the rules list and rules files show them.
    void writesTheWizardsRules() {
        const std::vector<RuleSlot> mp3 = mp3WizardRules(Mp3WizardTemplates[0]);
        QCOMPARE(mp3.size(), size_t(1));
        QCOMPARE(mp3[0][Kind], QStringLiteral("MP3"));
        QCOMPARE(mp3[0][Param1], QStringLiteral("%Artist% - %SongName%"));
        QCOMPARE(mp3[0][Description],
                 QStringLiteral("MP3 Files Change Name To: %Artist% - %SongName%"));

        for (const bool nameFirst : {true, false}) {
            const std::vector<RuleSlot> p =
                pictureWizardRules(QStringLiteral("Holiday"), nameFirst);
            QCOMPARE(p.size(), size_t(2));
            QCOMPARE(p[0][Kind], QStringLiteral("STANDARDSETTO"));
            QCOMPARE(p[0][Param1], QStringLiteral("Holiday"));
            QCOMPARE(p[0][Description], QStringLiteral("File Name: Set to Holiday exactly"));
            QCOMPARE(p[1][Kind], QStringLiteral("STANDARDAUTOSTARTEND"));
            const QString where = nameFirst ? QStringLiteral("End") : QStringLiteral("Start");
            QCOMPARE((QStringList{p[1][Param1], p[1][Param2], p[1][Param3], p[1][Param4],
                                  p[1][Param5], p[1][Param6]}),
                     (QStringList{where, "4", "1", "1", "", ""}));
            QCOMPARE(p[1][Description],
                     QStringLiteral("Auto Number: Place numbers at the %1 of the file name")
                         .arg(nameFirst ? "end" : "start"));
        }
    }

    // The preview shows the first ten ticked files with the names the rename will give them.
    void picturePreview_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<int>>("unticked");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("nameFirst");
        QTest::addColumn<QStringList>("expected");
        const QStringList three{"IMG1.JPG", "IMG2.JPG", "IMG3.JPG"};
        QTest::newRow("name-first")
            << three << QList<int>{} << "Holiday" << true
            << QStringList{"Holiday0001.JPG", "Holiday0002.JPG", "Holiday0003.JPG"};
        QTest::newRow("number-first")
            << three << QList<int>{} << "Holiday" << false
            << QStringList{"0001Holiday.JPG", "0002Holiday.JPG", "0003Holiday.JPG"};
        // Counted as the rename counts them: ticked files only.
        QTest::newRow("first-unticked") << three << QList<int>{0} << "Holiday" << true
                                        << QStringList{"Holiday0001.JPG", "Holiday0002.JPG"};
        QTest::newRow("empty-name")
            << QStringList{"IMG1.JPG"} << QList<int>{} << "" << true << QStringList{"0001.JPG"};
        QTest::newRow("inner-dot") << QStringList{"a.b.jpg"} << QList<int>{} << "Trip" << true
                                   << QStringList{"Trip0001.jpg"};
        QStringList ten;
        for (int i = 1; i <= 10; ++i)
            ten << QStringLiteral("Holiday%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        QTest::newRow("twelve-ticked") << numbered(12) << QList<int>{} << "Holiday" << true << ten;
        QTest::newRow("twelve-two-unticked")
            << numbered(12) << QList<int>{1, 5} << "Holiday" << true << ten;
    }
    void picturePreview() {
        QFETCH(QStringList, files);
        QFETCH(QList<int>, unticked);
        QFETCH(QString, name);
        QFETCH(bool, nameFirst);
        QFETCH(QStringList, expected);
        CollectingErrorReporter errors;
        const std::vector<FileEntry> rows = rowsOf(files, unticked);
        const std::vector<PreviewEntry> preview = wizardPreview(
            pictureWizardRules(name, nameFirst), QStringLiteral("/nowhere"), rows, errors);
        QVERIFY(errors.empty());
        QCOMPARE(newNames(preview), expected);
        // Each preview row names its own file.
        for (const PreviewEntry &e : preview)
            QCOMPARE(e.oldName(), rows[size_t(e.sourceIndex)].fileName);
    }

    // Real tagged files read by the tag reader, as the MP3 kind reads them when renaming.
    void mp3Preview_data() {
        QTest::addColumn<int>("templ");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<bool>>("ticked");
        QTest::newRow("artist-song")
            << 0
            << QStringList{"AC-DC - Hells Bells.mp3", "Low Rate - Half Speed.MP3",
                           "%Artist% - %SongName%.mp3", "Xing Band - Variable.mp3"}
            << QList<bool>{true, true, false, true};
        QTest::newRow("artist-album-song") << DefaultMp3Template
                                           << QStringList{"AC-DC - Back in Black - Hells Bells.mp3",
                                                          "Low Rate - Twenty Two - Half Speed.MP3",
                                                          "%Artist% - %Album% - %SongName%.mp3",
                                                          "Xing Band - Rates - Variable.mp3"}
                                           << QList<bool>{true, true, false, true};
        QTest::newRow("genre-artist-song")
            << 1
            << QStringList{"Rock - AC-DC - Hells Bells.mp3",
                           "Electronic - Low Rate - Half Speed.MP3",
                           "%Genre% - %Artist% - %SongName%.mp3", "Jazz - Xing Band - Variable.mp3"}
            << QList<bool>{true, true, false, true};
    }
    void mp3Preview() {
        QFETCH(int, templ);
        QFETCH(QStringList, expected);
        QFETCH(QList<bool>, ticked);
        QTemporaryDir dir;
        const QStringList sources{"id3v23-and-v1.mp3", "mpeg2.mp3", "untagged-cbr.mp3",
                                  "vbr-xing.mp3"};
        const QStringList names{"id3v23-and-v1.mp3", "loud.MP3", "untagged-cbr.mp3",
                                "vbr-xing.mp3"};
        for (int i = 0; i < sources.size(); ++i)
            QVERIFY(QFile::copy(Mp3Data + u'/' + sources[i], dir.filePath(names[i])));
        CollectingErrorReporter errors;
        const std::vector<PreviewEntry> preview = wizardPreview(
            mp3WizardRules(Mp3WizardTemplates[templ]), dir.path(), rowsOf(names), errors);
        QVERIFY(errors.empty());
        QCOMPARE(newNames(preview), expected);
        QList<bool> ticks;
        for (const PreviewEntry &e : preview)
            ticks << e.checked;
        QCOMPARE(ticks, ticked);
    }
};

QTEST_GUILESS_MAIN(TestWizardRules)
#include "tst_wizardrules.moc"
