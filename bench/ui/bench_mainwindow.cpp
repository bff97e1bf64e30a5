// Responsiveness of the main window and the preview window on a large folder: every action a
// user takes, in the order a user takes them. The main window lists the folder, sorts by each
// column, unticks and ticks all rows and one row, takes a filter typed and entered and then
// cleared, scrolls, and previews with ten rules. The preview window then takes its first and a
// later untick, a tick, scrolling and Escape; a second preview, its first untick and Cancel; a
// third preview (one rule) and its Rename, which ends with the folder listed again.
// The UI thread waits in a real, blocking event loop (as in the program), while a 5 ms timer on
// it records the longest gap between two of its ticks: how long the window could not answer.
// Key presses and clicks are posted as events, so they arrive through that loop as a user's do.
// Each phase also reports the process's peak resident size during it.
// Usage: bench_mainwindow FOLDER
// Prints one line per phase: "phase<TAB>ms<TAB>longest gap ms<TAB>peak RSS MB<TAB>UI thread's
// CPU ms within that gap" (gapmeter.h: work of the program or a wait for the machine). The rename
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

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
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

// Runs `start`, then waits in a blocking event loop until `signal` of `sender` arrives (or,
// when `sender` is null, until the events `start` posted have been handled); then runs `after`
// (a repaint: the result on screen). Prints the phase's time, its longest gap (the final
// repaint counted) and its peak RSS.
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
    if (!sender) // posted after what `start` posted, so handled after it
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    loop.exec();
    if (after)
        after();
    gap.tick();
    QObject::disconnect(c);
    std::printf("%s\t%.1f\t%lld\t%.1f\t%lld\n", phase, t.nsecsElapsed() / 1e6,
                static_cast<long long>(gap.longest), peakMb(),
                static_cast<long long>(gap.longestWorkMs));
    std::fflush(stdout);
}

// Posts a key press and release to `to`, as a user's key arrives.
void postKey(QWidget *to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             const QString &text = {}) {
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
}

// Posts the keys that type `text`.
void postText(QWidget *to, const QString &text) {
    for (QChar c : text)
        postKey(to, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

// A phase that ends when the events it posted have been handled.
constexpr QObject *Posted = nullptr;

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

    // One row's tick box, by keyboard, in the middle of the list.
    auto *list = w.findChild<QTableView *>(QStringLiteral("lstFilesToRename"));
    const auto spaceOn = [](QTableView *view, int row) {
        view->setCurrentIndex(view->model()->index(row, 0));
        postKey(view, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    };
    runPhase(
        gap, "untick one", [&] { spaceOn(list, model.rowCount() / 2); }, Posted,
        &QObject::destroyed, repaintMain);
    runPhase(
        gap, "tick one", [&] { spaceOn(list, model.rowCount() / 2); }, Posted, &QObject::destroyed,
        repaintMain);

    // A filter typed into Name Like (names starting "file_00" or "doc_00", whichever the folder
    // holds: a hundredth of a million), entered, then cleared the same way.
    auto *nameLike = w.findChild<QLineEdit *>(QStringLiteral("txtFileName"));
    const QString first = model.index(0, 0).data().toString();
    const QString likeText = first.left(first.indexOf(u'_') + 3);
    runPhase(
        gap, "filter typing",
        [&] {
            nameLike->setFocus();
            postKey(nameLike, Qt::Key_A, Qt::ControlModifier);
            postText(nameLike, likeText);
        },
        Posted, &QObject::destroyed, repaintMain);
    runPhase(
        gap, "filter Return", [&] { postKey(nameLike, Qt::Key_Return); }, &files,
        &ui::FileSelectionPanel::listingFinished, repaintMain);
    std::fprintf(stderr, "rows filtered: %d (%s)\n", model.rowCount(),
                 qPrintable(nameLike->text()));
    runPhase(
        gap, "filter cleared",
        [&] {
            postKey(nameLike, Qt::Key_A, Qt::ControlModifier);
            postText(nameLike, QStringLiteral("*"));
            postKey(nameLike, Qt::Key_Return);
        },
        &files, &ui::FileSelectionPanel::listingFinished, repaintMain);

    // Thirty pages down, to the end and back to the top, each drawn.
    const auto scroll = [](QTableView *view) {
        view->setFocus();
        for (int i = 0; i < 30; ++i)
            postKey(view, Qt::Key_PageDown);
        postKey(view, Qt::Key_End);
        postKey(view, Qt::Key_Home);
    };
    runPhase(
        gap, "scroll", [&] { scroll(list); }, Posted, &QObject::destroyed, repaintMain);

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
    // The preview window, as a user goes through it: unticks (the first sorts the rows), ticks,
    // scrolls and leaves with Escape.
    auto *previewList = preview.findChild<QTableView *>(QStringLiteral("lstpreview"));
    auto *previewModel = previewList->model();
    // The rules give some rows one new name, and only the first of those is ticked: the
    // unticks go to ticked rows, found before the clock starts.
    const auto tickedFrom = [&](int row) {
        while (row < previewModel->rowCount() &&
               previewModel->index(row, 0).data(Qt::CheckStateRole).toInt() != Qt::Checked)
            ++row;
        return row;
    };
    runPhase(
        gap, "pw untick first", [&] { spaceOn(previewList, tickedFrom(0)); }, Posted,
        &QObject::destroyed, repaintPreview);
    const int later = tickedFrom(previewModel->rowCount() / 2);
    runPhase(
        gap, "pw untick later", [&] { spaceOn(previewList, later); }, Posted, &QObject::destroyed,
        repaintPreview);
    runPhase(
        gap, "pw tick", [&] { spaceOn(previewList, later); }, Posted, &QObject::destroyed,
        repaintPreview);
    if (previewList->currentIndex().data(Qt::CheckStateRole).toInt() != Qt::Checked) {
        std::fprintf(stderr, "the preview window refused the tick\n");
        return 1;
    }
    runPhase(
        gap, "pw scroll", [&] { scroll(previewList); }, Posted, &QObject::destroyed,
        repaintPreview);
    runPhase(
        gap, "pw Escape", [&] { postKey(&preview, Qt::Key_Escape); }, Posted, &QObject::destroyed,
        repaintMain);
    if (preview.isVisible()) {
        std::fprintf(stderr, "Escape left the preview window open\n");
        return 1;
    }

    // A second preview into the window that has sorted once: it arrives sorted.
    runPhase(
        gap, "preview again", [&] { w.preview(); }, &flow, &ui::PreviewFlow::previewFinished,
        repaintPreview);
    runPhase(
        gap, "pw2 untick first", [&] { spaceOn(previewList, tickedFrom(0)); }, Posted,
        &QObject::destroyed, repaintPreview);
    auto *cancel = preview.findChild<QAbstractButton *>(QStringLiteral("cmdCancel"));
    runPhase(
        gap, "pw Cancel",
        [&] { QMetaObject::invokeMethod(cancel, &QAbstractButton::click, Qt::QueuedConnection); },
        Posted, &QObject::destroyed, repaintMain);

    // One rule that renames every file, back and forth between runs.
    const bool toDoc = !model.index(0, 0).data().toString().startsWith(QStringLiteral("doc_"));
    rules.clearRules();
    const QString file = QStringLiteral("file_"), doc = QStringLiteral("doc_");
    rules.addRule(RuleKinds::Replace, toDoc ? file : doc, toDoc ? doc : file, QStringLiteral("1"));
    w.displayRules();
    runPhase(
        gap, "preview 1 rule", [&] { w.preview(); }, &flow, &ui::PreviewFlow::previewFinished,
        repaintPreview);
    // The Rename button; the rename ends with the folder listed again.
    auto *renameButton = preview.findChild<QAbstractButton *>(QStringLiteral("cmdRename"));
    runPhase(
        gap, "rename",
        [&] {
            QMetaObject::invokeMethod(renameButton, &QAbstractButton::click, Qt::QueuedConnection);
        },
        &flow, &ui::PreviewFlow::renameFinished, repaintMain);
    runPhase(
        gap, "re-list", [] {}, &files, &ui::FileSelectionPanel::listingFinished, repaintMain);
    if (controller.errorWindow()->isVisible()) {
        std::fprintf(stderr, "the rename reported an error\n");
        return 1;
    }
    return 0;
}
