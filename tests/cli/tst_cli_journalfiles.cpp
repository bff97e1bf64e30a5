// history and undo on a journal folder holding files no run wrote: they are passed over with a
// note, never crash the command, and the runs beside them stay listed and undoable.
#include "support/cli.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tallowin::test;

class TestCliJournalFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_state;

    QString journalFolder() const { return m_state.path() + QStringLiteral("/tallowin/journal"); }
    void writeJournal(int id, const QByteArray &text) {
        const QString path =
            journalFolder() + QStringLiteral("/run-%1.journal").arg(id, 8, 10, QLatin1Char('0'));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(text), text.size());
    }

private Q_SLOTS:
    void init() {
        QDir(m_state.path()).removeRecursively();
        QDir().mkpath(m_state.path());
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path()));
    }

    void hostileFilesBesideARealRun() {
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path());
        makeFiles(dir, {"a.txt"});
        QCOMPARE(runCli({"rename", "--rule", "STANDARDINSERT|x-|Start|||||", tmp.path()}).status,
                 0);
        // Run 1 is the real one; 2 is junk; 3 claims a plan far larger than the file.
        writeJournal(2, "not a journal\n");
        writeJournal(3, "tallowin-journal 1\nid 3\ntime 2026-01-02T03:04:05.000Z\nkind rename\n"
                        "folder " +
                            dir +
                            "\nfolderid 1 2\nplan 1 9223372036854775807\ns 0 1 2 0 a b\n"
                            "plan-end\n");

        const CliRun history = runCli({"history"});
        QCOMPARE(history.status, 0);
        QCOMPARE(history.lines().size(), 2);
        QVERIFY(history.lines().at(0).startsWith("1\t"));
        QVERIFY(history.lines().at(1).startsWith("3\t"));
        QVERIFY(history.lines().at(1).contains("\tinterrupted\t0\t"));
        QCOMPARE(history.err, "tallowin-cli: skipped a journal file that is not a rename run: " +
                                  QFile::encodeName(journalFolder()) + "/run-00000002.journal\n");

        // The damaged run renamed nothing: undo refuses it and leaves the folder alone.
        const CliRun damaged = runCli({"undo", "3"});
        QCOMPARE(damaged.status, 2);
        QCOMPARE(folderState(dir), (QMap<QByteArray, QByteArray>{{"x-a.txt", "a.txt"}}));
        // A plain undo still finds the real run.
        QCOMPARE(runCli({"undo"}).status, 0);
        QCOMPARE(folderState(dir), (QMap<QByteArray, QByteArray>{{"a.txt", "a.txt"}}));
    }
};

QTEST_GUILESS_MAIN(TestCliJournalFiles)
#include "tst_cli_journalfiles.moc"
