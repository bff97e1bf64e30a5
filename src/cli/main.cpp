#include "cli/cli.h"
#include "shell/filenamecodec.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

using namespace tallowin::cli;

namespace {

const char *Usage =
    "Usage:\n"
    "  tallowin-cli list     [FILTERS] [--sort name|date|number] [--descending] DIR\n"
    "  tallowin-cli preview  [RULES] [FILTERS] DIR\n"
    "  tallowin-cli rename   [RULES] [FILTERS] [--untick NAME]... [--swap-safe] DIR\n"
    "  tallowin-cli apply    [RULES] [--dir DIR] -- NAME...\n"
    "  tallowin-cli listfile --file LIST [--delimiter comma|tab|TEXT] [--header]\n"
    "                        [--rename [--swap-safe]] DIR\n"
    "  tallowin-cli tags     FILE...\n"
    "  tallowin-cli history  [--json]\n"
    "  tallowin-cli undo     [RUN]\n"
    "RULES:   --rules FILE.rul  and/or  --rule 'KIND|P1|P2|P3|P4|P5|P6|DESCRIPTION'\n"
    "         (repeatable, applied in the order given)\n"
    "FILTERS: --name-like TEXT  --type TEXT  --hidden  --system\n"
    "Every command: --json (machine output), --help, --version.\n"
    "rename prints a line per row as it is done: ok<TAB>OLD<TAB>NEW,\n"
    "  failed<TAB>OLD<TAB>NEW<TAB>MESSAGE, or skipped<TAB>OLD<TAB>NEW<TAB>REASON for a row left\n"
    "  unticked (duplicate, placeholder left, unticked by --untick). In fields, backslash, tab,\n"
    "  LF and CR are written \\\\ \\t \\n \\r; control characters and bytes that are not UTF-8\n"
    "  are written \\xHH. A folder that changed since it was listed is refused as a whole.\n"
    "listfile: a part wholly in double quotes may hold the delimiter (\"\" is one quote). Each\n"
    "  line that names something but gives no row is told first, as\n"
    "  skipped<TAB>OLD<TAB>NEW<TAB>line N: REASON (\"skipped\" array in --json); when no line\n"
    "  names a file of DIR, that is said and the exit status is 2.\n"
    "--swap-safe: renames through temporary names so that swaps (a->b, b->a) and chains\n"
    "         among the run's own files succeed; a file outside the run is never replaced.\n"
    "history: the rename runs kept (the last 50; TALLOWIN_JOURNAL_KEEP=N for another number),\n"
    "         as ID, TIME, STATE (complete|interrupted|undone), RENAMED, UNDOES (the run an\n"
    "         undo took back, else 0), FOLDER.\n"
    "undo:    takes back the last run not yet undone, or run RUN (undoing an undo redoes).\n"
    "         A file goes back only when its new name still names it and its old name is\n"
    "         free; any other is listed as left. Journals are kept in\n"
    "         $XDG_STATE_HOME/tallowin/journal (~/.local/state/tallowin/journal).\n"
    "Exit status: 0 done, 1 some renames failed, 2 bad usage or input (a rules or list file\n"
    "  that is not a regular file or is too large, a folder changed since it was listed),\n"
    "  3 an error report was printed on stderr.\n";

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tallowin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALLOWIN_VERSION));
    // Paths are bytes: arguments() would turn bytes that are not UTF-8 into U+FFFD, and the
    // folder or file named could never be found. Escaped as names are, they reach the file
    // system as given.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << tallowin::nameFromBytes(argv[i], qsizetype(std::strlen(argv[i])));
    if (args.isEmpty()) {
        std::fputs(Usage, stderr);
        return BadUsage;
    }
    const QString command = args.takeFirst();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        std::fputs(Usage, stdout);
        return Done;
    }
    if (command == u"--version") {
        std::printf("tallowin-cli %s\n", TALLOWIN_VERSION);
        return Done;
    }
    // Options end at "--"; a name after it may well be "--help".
    const QStringList options = args.mid(0, args.indexOf(QStringLiteral("--")));
    if (options.contains(QStringLiteral("--help"))) {
        std::fputs(Usage, stdout);
        return Done;
    }
    if (options.contains(QStringLiteral("--version"))) {
        std::printf("tallowin-cli %s\n", TALLOWIN_VERSION);
        return Done;
    }
    int (*run)(const QStringList &) = nullptr;
    if (command == u"list")
        run = cmdList;
    else if (command == u"preview")
        run = cmdPreview;
    else if (command == u"rename")
        run = cmdRename;
    else if (command == u"apply")
        run = cmdApply;
    else if (command == u"listfile")
        run = cmdListFile;
    else if (command == u"tags")
        run = cmdTags;
    else if (command == u"history")
        run = cmdHistory;
    else if (command == u"undo")
        run = cmdUndo;
    if (!run) {
        std::fprintf(stderr, "tallowin-cli: unknown command %s\n%s",
                     terminalText(command).constData(), Usage);
        return BadUsage;
    }
    int status = run(args);
    flushOut();
    // An error report on stderr means the output is not the whole story: say so.
    if ((status == Done || status == SomeFailed) && StderrReporter::printedInProcess() > 0)
        status = ErrorReported;
    return status;
}
