#include "support/cli.h"
#include "support/files.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using Lines = QList<QByteArray>;
using State = QMap<QByteArray, QByteArray>;
Q_DECLARE_METATYPE(State)

using namespace tallowin::test;

namespace {

// Runs the tests' build of the command line, which honours the test switches in `env`.
CliRun runTestingCli(const QStringList &args, const QProcessEnvironment &env) {
    RunOptions options;
    options.environment = env;
    options.timeoutMs = 300000;
    return runProgram(QStringLiteral(TALLOWIN_CLI_TESTING), args, options);
}

// Writes `list` as list.csv in `tmp` and gives the arguments that rename `dir` by it.
QStringList listFileRename(const QString &tmp, const QByteArray &list, const QByteArray &dir,
                           bool swapSafe) {
    QFile f(tmp + QStringLiteral("/list.csv"));
    if (!f.open(QIODevice::WriteOnly) || f.write(list) != list.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    QStringList args{"listfile", "--file", f.fileName(), "--rename", QFile::decodeName(dir)};
    if (swapSafe)
        args.insert(4, QStringLiteral("--swap-safe"));
    return args;
}

} // namespace

class TestCliUndo : public QObject {
    Q_OBJECT

    QTemporaryDir m_state;

private Q_SLOTS:
    void init() {
        // Each test starts with no runs of its own.
        QDir(m_state.path()).removeRecursively();
        QDir().mkpath(m_state.path());
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path()));
    }

    // A run killed at a random moment is always taken back whole: no file lost, none
    // doubled, every name and content as before, no temporary name left over.
    void killedRunUndone() {
        constexpr int Files = 20000;
        constexpr int KillPoints = 20;
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path()) + "/f";
        QVERIFY(QDir().mkpath(QFile::decodeName(dir)));
        Lines names;
        QByteArray rotation; // file_i -> file_(i+1): one cycle through every file
        for (int i = 0; i < Files; ++i) {
            names << QByteArray("file_") + QByteArray::number(i).rightJustified(6, '0') + ".txt";
            const QByteArray next = QByteArray("file_") +
                                    QByteArray::number((i + 1) % Files).rightJustified(6, '0') +
                                    ".txt";
            rotation += names.last() + ',' + next + '\n';
        }
        makeFiles(dir, names);
        const QString list = tmp.path() + QStringLiteral("/rotation.csv");
        {
            QFile f(list);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(rotation);
        }
        const State original = folderState(dir, true);
        QCOMPARE(original.size(), Files);

        // TALLOWIN_TEST_SEED=N draws the kill points of an earlier run again.
        bool seeded = false;
        const quint32 given = qEnvironmentVariable("TALLOWIN_TEST_SEED").toUInt(&seeded);
        const quint32 seed = seeded ? given : QRandomGenerator::global()->generate();
        qInfo("kill points drawn with seed %u (TALLOWIN_TEST_SEED=%u replays them)", seed, seed);
        QRandomGenerator random(seed);
        for (int k = 0; k < KillPoints; ++k) {
            // Half the runs rename plainly, half rotate every name through a temporary one.
            const bool swap = k % 2 == 1;
            const int steps = swap ? Files + 1 : Files;
            const int killAfter = int(random.bounded(quint32(steps))) + 1;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("TALLOWIN_TEST_KILL_AFTER"), QString::number(killAfter));
            const QStringList args =
                swap ? QStringList{"listfile", "--file",      list,
                                   "--rename", "--swap-safe", QFile::decodeName(dir)}
                     : QStringList{"rename", "--rule", "STANDARDREPLACE|file_|doc_|1||||",
                                   QFile::decodeName(dir)};
            const CliRun killed = runTestingCli(args, env);
            const QByteArray where = "kill point " + QByteArray::number(k) + " after " +
                                     QByteArray::number(killAfter) + (swap ? " (swap)" : "") +
                                     ", TALLOWIN_TEST_SEED=" + QByteArray::number(seed);
            QVERIFY2(killed.status == -1, where.constData());
            const CliRun undo = runCli({"undo"});
            QVERIFY2(undo.status == 0, (where + ": " + undo.err).constData());
            QVERIFY2(folderState(dir, true) == original, where.constData());
        }
        removeAll(dir);
    }

    // The test switches belong to the tests' build alone: tallowin-cli renames every file
    // and journals the run with both set, where the tests' build is killed or writes no
    // journal.
    void switchesOnlyInTheTestsBuild_data() {
        QTest::addColumn<QString>("variable");
        QTest::newRow("kill-after") << "TALLOWIN_TEST_KILL_AFTER";
        QTest::newRow("no-journal") << "TALLOWIN_BENCH_NO_JOURNAL";
    }
    void switchesOnlyInTheTestsBuild() {
        QFETCH(QString, variable);
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path());
        makeFiles(dir, {"a.txt", "b.txt"});
        const QStringList args{"rename", "--rule", "STANDARDINSERT|x|Start|||||", tmp.path()};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(variable, QStringLiteral("1"));

        QProcess shipped;
        shipped.setProcessEnvironment(env);
        shipped.start(QStringLiteral(TALLOWIN_CLI), args);
        QVERIFY(shipped.waitForFinished(120000));
        QCOMPARE(shipped.exitStatus(), QProcess::NormalExit);
        QCOMPARE(shipped.exitCode(), 0);
        QCOMPARE(folderState(dir).keys(), (Lines{"xa.txt", "xb.txt"}));
        QCOMPARE(runCli({"history"}).lines().size(), 1);

        // The tests' build does what the switch asks.
        const CliRun testing = runTestingCli(args, env);
        if (variable == u"TALLOWIN_TEST_KILL_AFTER") {
            QCOMPARE(testing.status, -1);
            QCOMPARE(runCli({"history"}).lines().size(), 2);
        } else {
            QCOMPARE(testing.status, 0);
            QCOMPARE(folderState(dir).keys(), (Lines{"xxa.txt", "xxb.txt"}));
            QCOMPARE(runCli({"history"}).lines().size(), 1);
        }
    }

    // Killed in the middle of a step, with the file under a temporary name: a rename onto a
    // hard link of the file itself, and a swap's parked file. Undo brings every name back
    // (the link stays a link) and leaves no temporary name. A run killed with its last marks
    // unwritten still shows in history the files it renamed.
    void killedInTheMiddleOfAStep_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<bool>("swapSafe");
        QTest::newRow("onto-its-hard-link") << QByteArray("a,b\nc,d\n") << false;
        QTest::newRow("swap-parked") << QByteArray("a,b\nb,a\nc,d\n") << true;
    }
    void killedInTheMiddleOfAStep() {
        QFETCH(QByteArray, list);
        QFETCH(bool, swapSafe);
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path()) + "/f";
        QVERIFY(QDir().mkpath(QFile::decodeName(dir)));
        makeFiles(dir, {"a", "c"});
        if (swapSafe)
            makeFiles(dir, {"b"});
        else
            QCOMPARE(::link((dir + "/a").constData(), (dir + "/b").constData()), 0);
        const State before = folderState(dir);
        const QStringList args = listFileRename(tmp.path(), list, dir, swapSafe);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TALLOWIN_TEST_KILL_IN_TEMPORARY"), QStringLiteral("1"));
        QCOMPARE(runTestingCli(args, env).status, -1);
        QVERIFY(!folderState(dir).contains("a"));
        const CliRun undo = runCli({"undo"});
        QCOMPARE(undo.status, 0);
        // The file is told coming back from where the kill left it, never going to a
        // temporary name.
        for (const QByteArray &line : undo.lines())
            QVERIFY2(!line.split('\t').value(2).startsWith(".tallowin"), line.constData());
        QCOMPARE(folderState(dir), before);
        struct stat a {
        }, b{};
        QCOMPARE(::stat((dir + "/a").constData(), &a), 0);
        QCOMPARE(::stat((dir + "/b").constData(), &b), 0);
        QCOMPARE(a.st_ino == b.st_ino, !swapSafe);
        QVERIFY(runCli({"history"}).lines().first().contains("\tundone\t"));
    }

    void killedRunCountedInHistory() {
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path());
        Lines names;
        for (int i = 0; i < 30; ++i)
            names << "f" + QByteArray::number(i);
        makeFiles(dir, names);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TALLOWIN_TEST_KILL_AFTER"), QStringLiteral("10"));
        const CliRun killed =
            runTestingCli({"rename", "--rule", "STANDARDINSERT|x|Start|||||", tmp.path()}, env);
        QCOMPARE(killed.status, -1);
        const Lines history = runCli({"history"}).lines();
        QCOMPARE(history.size(), 1);
        QVERIFY2(history.first().contains("\tinterrupted\t10\t0\t"), history.first().constData());
        QVERIFY(runCli({"history", "--json"}).out.contains("\"renamed\":10,\"planned\":30"));
    }

    // A row whose new name was changed by hand is reported and left; the rest go back.
    void undoReportsChangedRow() {
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path());
        makeFiles(dir, {"a.txt", "b.txt", "c.txt"});
        const QStringList insert{"--rule", "STANDARDINSERT|x|Start|||||"};
        QCOMPARE(runCli(QStringList{"rename"} + insert + QStringList{tmp.path()}).status, 0);
        QCOMPARE(::unlink((dir + "/xb.txt").constData()), 0);
        makeFiles(dir, {"xb.txt"});
        const CliRun undo = runCli({"undo"});
        QCOMPARE(undo.status, 1);
        QCOMPARE(undo.lines(), (Lines{"ok\txc.txt\tc.txt", "ok\txa.txt\ta.txt",
                                      "left\txb.txt\tb.txt\tit was changed since the rename: its "
                                      "new name no longer names that file"}));
        QCOMPARE(folderState(dir),
                 (State{{"a.txt", "a.txt"}, {"xb.txt", "xb.txt"}, {"c.txt", "c.txt"}}));
        // Partly undone, so a plain undo offers the run again: only the changed file is told.
        QVERIFY(runCli({"history"}).out.contains("\tpartly undone\t"));
        const CliRun again = runCli({"undo"});
        QCOMPARE(again.status, 1);
        QCOMPARE(again.lines(), (Lines{"left\txb.txt\tb.txt\tit was changed since the rename: its "
                                       "new name no longer names that file"}));
    }

    // Swaps and cycles arrive with --swap-safe and fail cleanly without it: nothing renamed
    // that would overwrite.
    void swapSafe_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<bool>("swapSafe");
        QTest::addColumn<int>("status");
        QTest::addColumn<State>("after");
        const State abc{{"a", "a"}, {"b", "b"}, {"c", "c"}};
        QTest::newRow("swap") << QByteArray("a,b\nb,a\n") << false << 1 << abc;
        QTest::newRow("swap-safe-swap")
            << QByteArray("a,b\nb,a\n") << true << 0 << State{{"a", "b"}, {"b", "a"}, {"c", "c"}};
        QTest::newRow("cycle") << QByteArray("a,b\nb,c\nc,a\n") << false << 1 << abc;
        QTest::newRow("swap-safe-cycle") << QByteArray("a,b\nb,c\nc,a\n") << true << 0
                                         << State{{"a", "c"}, {"b", "a"}, {"c", "b"}};
        QTest::newRow("swap-safe-onto-outside-file")
            << QByteArray("a,c\nb,a\n") << true << 1 << abc;
    }
    void swapSafe() {
        QFETCH(QByteArray, list);
        QFETCH(bool, swapSafe);
        QFETCH(int, status);
        QFETCH(State, after);
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path()) + "/f";
        QVERIFY(QDir().mkpath(QFile::decodeName(dir)));
        makeFiles(dir, {"a", "b", "c"});
        const QStringList args = listFileRename(tmp.path(), list, dir, swapSafe);
        const CliRun run = runCli(args);
        QCOMPARE(run.status, status);
        QCOMPARE(folderState(dir), after);
        if (status == 0) {
            QCOMPARE(runCli({"undo"}).status, 0);
            QCOMPARE(folderState(dir), (State{{"a", "a"}, {"b", "b"}, {"c", "c"}}));
        }
    }

    // Names that are not UTF-8 go to disk and come back byte for byte.
    void notUtf8NamesUndone() {
        QTemporaryDir tmp;
        const QByteArray dir = QFile::encodeName(tmp.path());
        makeFiles(dir, {"caf\xE9.jpg", "caf\xE8.jpg."});
        const CliRun run =
            runCli({"rename", "--rule", "STANDARDINSERT|Greece |Start|||||", tmp.path()});
        QCOMPARE(run.status, 0);
        // The trailing dot is dropped on the way (as any new name's); undo puts it back.
        QCOMPARE(folderState(dir), (State{{"Greece caf\xE8.jpg", "caf\xE8.jpg."},
                                          {"Greece caf\xE9.jpg", "caf\xE9.jpg"}}));
        const CliRun history = runCli({"history"});
        QCOMPARE(history.lines().size(), 1);
        QVERIFY(history.lines().first().contains("\tcomplete\t2\t0\t"));
        QCOMPARE(runCli({"undo"}).status, 0);
        QCOMPARE(folderState(dir),
                 (State{{"caf\xE8.jpg.", "caf\xE8.jpg."}, {"caf\xE9.jpg", "caf\xE9.jpg"}}));
        QVERIFY(runCli({"history"}).lines().first().contains("\tundone\t2\t0\t"));
        removeAll(dir);
    }

    // A change of letter case only, on a file system that ignores case: it goes through a
    // temporary name and sticks, and undo brings the old spelling back.
    void caseOnlyOnVfat() {
        if (::geteuid() != 0)
            QSKIP("mounting a vfat image needs root");
        QTemporaryDir tmp;
        const QString image = tmp.path() + QStringLiteral("/fat.img");
        const QString mountPoint = tmp.path() + QStringLiteral("/mnt");
        QVERIFY(QDir().mkpath(mountPoint));
        {
            QFile f(image);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(8 << 20));
        }
        QProcess mkfs;
        mkfs.start(QStringLiteral("mkfs.vfat"), {image});
        if (!mkfs.waitForFinished() || mkfs.exitCode() != 0)
            QSKIP("mkfs.vfat (dosfstools) is not installed");
        QProcess mount;
        mount.start(QStringLiteral("mount"), {"-t", "vfat", "-o", "loop", image, mountPoint});
        if (!mount.waitForFinished() || mount.exitCode() != 0)
            QSKIP(("vfat cannot be mounted here: " + mount.readAllStandardError().trimmed())
                      .constData());
        const QByteArray dir = QFile::encodeName(mountPoint);
        makeFiles(dir, {"photo.jpg", "notes.txt"});
        const CliRun run =
            runCli({"rename", "--rule", "STANDARDLETTERUPPERCASE|1||||||", mountPoint});
        const State renamed = folderState(dir);
        const CliRun undo = runCli({"undo"});
        const State undone = folderState(dir);
        QProcess::execute(QStringLiteral("umount"), {mountPoint});
        QCOMPARE(run.status, 0);
        QCOMPARE(renamed, (State{{"NOTES.TXT", "notes.txt"}, {"PHOTO.JPG", "photo.jpg"}}));
        QCOMPARE(undo.status, 0);
        QCOMPARE(undone, (State{{"notes.txt", "notes.txt"}, {"photo.jpg", "photo.jpg"}}));
    }
};

QTEST_GUILESS_MAIN(TestCliUndo)
#include "tst_cli_undo.moc"
