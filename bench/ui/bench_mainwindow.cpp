// Responsiveness of the main window on a large folder: lists it, sorts by each column, ticks
// all rows, previews it with ten rules, renames it with one rule and lists it again. The UI
// thread waits in a real, blocking event loop (as in the program), while a 5 ms timer on it
// records the longest gap between two of its ticks: how long the window could not answer.
// Each phase also reports the process's peak resident size during it.
// Usage: bench_mainwindow FOLDER
// Prints one line per phase: "phase<TAB>ms<TAB>longest gap ms<TAB>peak RSS MB". The rename
// turns "file_" into "doc_" or back, whichever the folder holds, so runs can alternate on one
// folder.
#include "gapmeter.h"

#include "engine/ruletable.h"
#include "shell/settingsstore.h"
#include "ui/appcontroller.h"
#include "ui/errorwindow.h"
#include "ui/filelistmodel.h"
#include "ui/fileselectionpanel.h"
#include "ui/mainwindow.h"
#include "ui/previewflow.h"
#include "ui/previewwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace tallowin;

namespace {

// The peak resident size since the last reset, in MB (Linux: VmHWM, reset via clear_refs).
void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}
double peakMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

// Runs `start`, then waits in a blocking event loop until `signal` of `sender` arrives (or at
// once when `sender` is null); then runs `after` (a repaint: the result on screen). Prints the
// phase's time, its longest gap (the final repaint counted) and its peak RSS.
template <typename Sender, typename Signal>
void runPhase(GapMeter &gap, const char *phase, const std::function<void()> &start, Sender *sender,
              Signal signal, const std::function<void()> &after = {}) {
    QEventLoop loop;
    QMetaObject::Connection c;
    if (sender)
        c = QObject::connect(sender, signal, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    resetPeak();
    QElapsedTimer t;
    gap.reset();
    t.start();
    start();
    if (!sender)
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
    if (after)
        after();
    gap.tick();
    QObject::disconnect(c);
    std::printf("%s\t%.1f\t%lld\t%.1f\n", phase, t.nsecsElapsed() / 1e6,
                static_cast<long long>(gap.longest), peakMb());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_mainwindow FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir home;
    ui::AppController controller(SettingsStore(home.filePath(QStringLiteral("settings.ini"))));
    ui::MainWindow &w = *controller.openMainWindow();
    ui::FileSelectionPanel &files = *w.files();
    ui::FileListModel &model = *w.fileList();
    w.resize(1000, 680);
    QApplication::processEvents();
    GapMeter gap;

    // The noise floor: the longest gap while the window waits for nothing (a busy machine's
    // scheduler alone makes gaps).
    QTimer idle;
    idle.setSingleShot(true);
    runPhase(
        gap, "idle", [&] { idle.start(1000); }, &idle, &QTimer::timeout);

    const auto repaintMain = [&] { w.repaint(); };
    runPhase(
        gap, "list", [&] { files.setFolder(folder); }, &files,
        &ui::FileSelectionPanel::listingFinished, repaintMain);
    std::fprintf(stderr, "rows: %d\n", model.rowCount());

    files.sortByColumn(0); // the listing is name-ascending already: the next click descends
    runPhase(
        gap, "sort name", [&] { files.sortByColumn(0); }, &model, &ui::FileListModel::sortFinished,
        repaintMain);
    runPhase(
        gap, "sort date", [&] { files.sortByColumn(1); }, &model, &ui::FileListModel::sortFinished,
        repaintMain);
    runPhase(
        gap, "sort number", [&] { files.sortByColumn(2); }, &model,
        &ui::FileListModel::sortFinished, repaintMain);
    runPhase(
        gap, "untick all", [&] { model.setAllChecked(false); }, &model,
        &ui::FileListModel::countsChanged, repaintMain);
    runPhase(
        gap, "tick all", [&] { model.setAllChecked(true); }, &model,
        &ui::FileListModel::countsChanged, repaintMain);

    // Ten rules of different kinds (no auto number: its 16-bit counter overflows before
    // 100,000 files, ending the run).
    RuleTable &rules = w.rules();
    rules.addRule(RuleKinds::Replace, QStringLiteral("file"), QStringLiteral("doc"),
                  QStringLiteral("1"));
    rules.addRule(RuleKinds::Insert, QStringLiteral("new_"), QStringLiteral("Start"));
    rules.addRule(RuleKinds::Remove, QStringLiteral("1"), QStringLiteral("End"));
    rules.addRule(RuleKinds::LetterUpperCase, QStringLiteral("0"));
    rules.addRule(RuleKinds::MiscTrim);
    rules.addRule(RuleKinds::BeforeAfter, QStringLiteral("-x"), QStringLiteral("After"),
                  QStringLiteral("DOC"), QStringLiteral("1"));
    rules.addRule(RuleKinds::ExtReplace, QStringLiteral("txt"), QStringLiteral("dat"));
    rules.addRule(RuleKinds::MiscReplaceSpaces);
    rules.addRule(RuleKinds::LetterFirstCap, QStringLiteral("0"));
    rules.addRule(RuleKinds::ExtInsert, QStringLiteral("v"), QStringLiteral("End"));
    w.displayRules();

    // The Preview button's road: the run off the UI thread with the progress window, then
    // the preview window filled and shown.
    ui::PreviewFlow &flow = *controller.previewFlow();
    ui::PreviewWindow &preview = *controller.previewWindow();
    const auto repaintPreview = [&] { preview.repaint(); };
    runPhase(
        gap, "preview", [&] { w.preview(); }, &flow, &ui::PreviewFlow::previewFinished,
        repaintPreview);
    if (!preview.isVisible() || controller.errorWindow()->isVisible()) {
        std::fprintf(stderr, "the preview was not shown\n");
        return 1;
    }
    runPhase(
        gap, "preview closed", [&] { preview.cancel(); }, static_cast<QObject *>(nullptr),
        &QObject::destroyed, repaintMain);

    // One rule that renames every file, back and forth between runs.
    const bool toDoc = !model.index(0, 0).data().toString().startsWith(QStringLiteral("doc_"));
    rules.clearRules();
    const QString file = QStringLiteral("file_"), doc = QStringLiteral("doc_");
    rules.addRule(RuleKinds::Replace, toDoc ? file : doc, toDoc ? doc : file, QStringLiteral("1"));
    w.displayRules();
    runPhase(
        gap, "preview 1 rule", [&] { w.preview(); }, &flow, &ui::PreviewFlow::previewFinished,
        repaintPreview);
    // The rename ends with the folder listed again.
    runPhase(
        gap, "rename", [&] { preview.rename(); }, &flow, &ui::PreviewFlow::renameFinished,
        repaintMain);
    runPhase(
        gap, "re-list", [] {}, &files, &ui::FileSelectionPanel::listingFinished, repaintMain);
    if (controller.errorWindow()->isVisible()) {
        std::fprintf(stderr, "the rename reported an error\n");
        return 1;
    }
    return 0;
}
