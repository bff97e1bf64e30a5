// The help pages: every page the program opens exists, every file is reached from the index,
// no link or picture is broken, and every example shows what the rules really do.
#include "core/mp3/mp3bytes_helper.h"
#include "engine/rulekinds.h"
#include "support/cli.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tallowin;
using tallowin::test::CliRun;
using tallowin::test::runCli;

namespace {

const QString HelpDir = QStringLiteral(TALLOWIN_SOURCE_DIR "/help");

QString readPage(const QString &name) {
    QFile f(HelpDir + u'/' + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Our pages use only these entities.
QString unescape(QString s) {
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

QString innerText(QString html) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return unescape(html.remove(tag));
}

QHash<QString, QString> dataAttributes(const QString &tagText) {
    static const QRegularExpression attr(QStringLiteral("(data-[a-z0-9]+)=\"([^\"]*)\""));
    QHash<QString, QString> out;
    for (const auto &m : attr.globalMatch(tagText))
        out.insert(m.captured(1), unescape(m.captured(2)));
    return out;
}

// Every href and src of a page, as written.
QStringList references(const QString &html) {
    static const QRegularExpression ref(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    QStringList out;
    for (const auto &m : ref.globalMatch(html))
        out << unescape(m.captured(1));
    return out;
}

QStringList allHelpFiles() {
    QStringList out;
    QDirIterator it(HelpDir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = QDir(HelpDir).relativeFilePath(it.next());
        if (rel != u"CMakeLists.txt")
            out << rel;
    }
    out.sort();
    return out;
}

QStringList htmlPages() {
    return allHelpFiles().filter(QRegularExpression(QStringLiteral("\\.html$")));
}

// A PNG's size from its header.
QSize pngSize(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG"))
        return {};
    auto be = [&](int at) {
        return int((uchar(head[at]) << 24) | (uchar(head[at + 1]) << 16) |
                   (uchar(head[at + 2]) << 8) | uchar(head[at + 3]));
    };
    return {be(16), be(20)};
}

// An MP3 file that holds only the ID3v2.3 tags an example names ("artist=X;title=Y").
QByteArray taggedMp3(const QString &tags) {
    static const QHash<QString, const char *> frameOf = {
        {QStringLiteral("artist"), "TPE1"}, {QStringLiteral("album"), "TALB"},
        {QStringLiteral("title"), "TIT2"},  {QStringLiteral("track"), "TRCK"},
        {QStringLiteral("year"), "TYER"},   {QStringLiteral("genre"), "TCON"}};
    QByteArray body;
    for (const QString &pair : tags.split(u';', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0), value = pair.section(u'=', 1);
        if (!frameOf.contains(key))
            return {};
        body +=
            mp3bytes::frame3(frameOf.value(key), mp3bytes::latin1(value.toLatin1().constData()));
    }
    return mp3bytes::id3v2(3, body);
}

struct Example {
    QStringList rules;
    QString listFile; // shows the preview of this list file of the help instead of rules
    QStringList oldNames, newNames, ticks, tags; // ticks/tags empty where a row names none
};

std::vector<std::pair<QString, Example>> examplesOf(const QString &page) {
    static const QRegularExpression table(
        QStringLiteral("<table class=\"example\"([^>]*)>(.*?)</table>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression row(QStringLiteral("<tr([^>]*)>(.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    std::vector<std::pair<QString, Example>> out;
    int n = 0;
    for (const auto &t : table.globalMatch(readPage(page))) {
        Example e;
        const auto attrs = dataAttributes(t.captured(1));
        QStringList keys = attrs.keys();
        keys.sort(); // data-rule, data-rule2, data-rule3 ...
        for (const QString &k : keys)
            if (k.startsWith(u"data-rule"))
                e.rules << attrs.value(k);
        e.listFile = attrs.value(QStringLiteral("data-listfile"));
        for (const auto &r : row.globalMatch(t.captured(2))) {
            QStringList cells;
            for (const auto &c : cell.globalMatch(r.captured(2)))
                cells << innerText(c.captured(1));
            if (cells.size() < 2)
                continue; // the heading row
            const auto rowAttrs = dataAttributes(r.captured(1));
            e.oldNames << cells[0];
            e.newNames << cells[1];
            e.ticks << rowAttrs.value(QStringLiteral("data-tick"));
            e.tags << rowAttrs.value(QStringLiteral("data-tags"));
        }
        out.emplace_back(QStringLiteral("%1 example %2").arg(page).arg(++n), e);
    }
    return out;
}

} // namespace

class TestHelpPages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagesTheProgramOpensExist() {
        // The rule pages' own help pages are checked with their layouts (tst_rulelayouts).
        const QStringList opened = {QStringLiteral("index.html"), QStringLiteral("page13.html"),
                                    QStringLiteral("page15.html")};
        for (const QString &page : opened)
            QVERIFY2(!readPage(page).isEmpty(), qPrintable(page + " is missing or empty"));
    }

    // Walks the links from the index: every file of the help is reached, every link and picture
    // names a file of the help (and an anchor that exists), nothing points outside, so the pages
    // work offline wherever they are installed.
    void everyFileReachedAndNoBrokenLink() {
        const QStringList all = allHelpFiles();
        const QSet<QString> files(all.begin(), all.end());
        QSet<QString> reached{QStringLiteral("index.html")};
        QStringList queue{QStringLiteral("index.html")};
        const QDir help(HelpDir);
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            const QString html = readPage(page);
            for (const QString &ref : references(html)) {
                const QString where = page + QStringLiteral(": ") + ref;
                QVERIFY2(!ref.contains(u':') && !ref.startsWith(u'/'),
                         qPrintable(where + " is not a relative link"));
                const QString path = ref.section(u'#', 0, 0);
                const QString anchor = ref.section(u'#', 1);
                const QString target =
                    path.isEmpty() ? page : QDir::cleanPath(QFileInfo(page).path() + u'/' + path);
                QVERIFY2(files.contains(target), qPrintable(where + " names no file of the help"));
                if (!anchor.isEmpty())
                    QVERIFY2(readPage(target).contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                             qPrintable(where + " names no anchor of that page"));
                if (!reached.contains(target)) {
                    reached.insert(target);
                    if (target.endsWith(u".html"))
                        queue << target;
                }
            }
        }
        for (const QString &f : files)
            QVERIFY2(reached.contains(f), qPrintable(f + " is not reached from index.html"));
        QVERIFY(help.exists(QStringLiteral("help.css")));
    }

    void picturesAreDescribedAndDrawnAtTheirSize() {
        static const QRegularExpression img(QStringLiteral("<img\\b([^>]*)>"));
        static const QRegularExpression attr(
            QStringLiteral("\\b(src|alt|width|height)=\"([^\"]*)\""));
        for (const QString &page : htmlPages()) {
            for (const auto &m : img.globalMatch(readPage(page))) {
                QHash<QString, QString> a;
                for (const auto &x : attr.globalMatch(m.captured(1)))
                    a.insert(x.captured(1), x.captured(2));
                const QString where = page + QStringLiteral(": ") + a.value(QStringLiteral("src"));
                QVERIFY2(!a.value(QStringLiteral("alt")).trimmed().isEmpty(),
                         qPrintable(where + " has no alt text"));
                const QSize size = pngSize(HelpDir + u'/' + a.value(QStringLiteral("src")));
                QVERIFY2(size.isValid(), qPrintable(where + " is no PNG"));
                QCOMPARE(QSize(a.value(QStringLiteral("width")).toInt(),
                               a.value(QStringLiteral("height")).toInt()),
                         size);
            }
        }
    }

    void noUnfinishedText_data() {
        QTest::addColumn<QString>("page");
        for (const QString &page : htmlPages())
            QTest::newRow(qPrintable(page)) << page;
    }
    void noUnfinishedText() {
        QFETCH(QString, page);
        const QString html = readPage(page);
        static const QRegularExpression unfinished(
            QStringLiteral("\\b(TODO|FIXME|TBD|XXX|lorem ipsum)\\b"),
            QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(!unfinished.match(html).hasMatch(), qPrintable(unfinished.match(html).captured()));
        QVERIFY(html.contains(QStringLiteral("<title>")));
        QVERIFY(html.contains(QStringLiteral("href=\"help.css\"")));
    }

    // Every kind has at least one example somewhere in the help; which page shows it is the
    // rule pages' business (tst_rulelayouts checks each page shows the kinds it adds).
    void everyKindHasAnExample() {
        QSet<QString> shown;
        for (const QString &page : htmlPages())
            for (const auto &[name, e] : examplesOf(page))
                for (const QString &rule : e.rules)
                    shown.insert(rule.section(u'|', 0, 0));
        for (const RuleKind &k : ruleKinds())
            QVERIFY2(shown.contains(k.keyword), qPrintable("no example of " + k.keyword));
    }

    void examplesShowWhatTheRulesDo_data() {
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QString>("listFile");
        QTest::addColumn<QStringList>("oldNames");
        QTest::addColumn<QStringList>("newNames");
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<QStringList>("tags");
        for (const QString &page : htmlPages())
            for (const auto &[name, e] : examplesOf(page))
                QTest::newRow(qPrintable(name))
                    << e.rules << e.listFile << e.oldNames << e.newNames << e.ticks << e.tags;
    }
    void examplesShowWhatTheRulesDo() {
        QFETCH(QStringList, rules);
        QFETCH(QString, listFile);
        QFETCH(QStringList, oldNames);
        QFETCH(QStringList, newNames);
        QFETCH(QStringList, ticks);
        QFETCH(QStringList, tags);
        QVERIFY(rules.isEmpty() != listFile.isEmpty());
        QVERIFY(!oldNames.isEmpty());
        QTemporaryDir dir;
        for (int i = 0; i < oldNames.size(); ++i) {
            // MP3 rules read the tags; a list file names files that must exist.
            if (tags[i].isEmpty() && listFile.isEmpty())
                continue;
            const QByteArray bytes = taggedMp3(tags[i]);
            QVERIFY2(tags[i].isEmpty() || !bytes.isEmpty(), qPrintable("bad tags " + tags[i]));
            QFile f(dir.filePath(oldNames[i]));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QStringList args;
        if (!listFile.isEmpty()) {
            // Its first line names the columns.
            args << QStringLiteral("listfile") << QStringLiteral("--file")
                 << HelpDir + u'/' + listFile << QStringLiteral("--header") << dir.path();
        } else {
            args << QStringLiteral("apply") << QStringLiteral("--dir") << dir.path();
            for (const QString &r : rules)
                args << QStringLiteral("--rule") << r;
            args << QStringLiteral("--") << oldNames;
        }
        const CliRun run = runCli(args);
        QVERIFY2(run.status == 0, run.err.constData());
        const auto lines = run.lines();
        QCOMPARE(lines.size(), oldNames.size());
        for (int i = 0; i < lines.size(); ++i) {
            const QStringList f = QString::fromUtf8(lines[i]).split(u'\t');
            QCOMPARE(f.size(), 3);
            QCOMPARE(f[1], oldNames[i]);
            QCOMPARE(f[2], newNames[i]);
            if (!ticks[i].isEmpty())
                QCOMPARE(f[0], ticks[i]);
        }
    }
};

QTEST_GUILESS_MAIN(TestHelpPages)
#include "tst_helppages.moc"
