// Times the preview window and the preview run on a large list:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_previewwindow [FILES]
#include "ui/errorwindow.h"
#include "ui/job.h"
#include "ui/previewflow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/statuswindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

using namespace tallowin;
using namespace tallowin::ui;

namespace {
double ms(QElapsedTimer &t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// CPU time of every thread of the process: above the wall time, the work ran side by side.
double processCpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3) +
           (double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3);
}

std::vector<FileEntry> fileRows(int n) {
    std::vector<FileEntry> files(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        // Listed in an order that is not the sorted one.
        files[size_t(i)].fileName =
            QStringLiteral("IMG_%1.JPG").arg((i * 7919) % n, 6, 10, QLatin1Char(u'0'));
    return files;
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const auto files = fileRows(n);
    // Ten rules, as the command-line benchmark uses. The auto number rule counts with a 16-bit
    // counter, which 100,000 files would overflow: it adds the same number to every name here
    // (increment 0), which costs the same.
    RuleTable rules;
    rules.addRule(RuleKinds::Replace, QStringLiteral("IMG_"), QStringLiteral("Holiday "),
                  QStringLiteral("0"));
    rules.addRule(RuleKinds::LetterLowerCase, QStringLiteral("0"));
    rules.addRule(RuleKinds::Insert, QStringLiteral(" 2026"), QStringLiteral("End"));
    rules.addRule(RuleKinds::AutoStartEnd, QStringLiteral("End"), QStringLiteral("5"),
                  QStringLiteral("0"), QStringLiteral("7"));
    rules.addRule(RuleKinds::MiscTrim);
    rules.addRule(RuleKinds::BeforeAfter, QStringLiteral("-x"), QStringLiteral("After"),
                  QStringLiteral("holiday"), QStringLiteral("1"));
    rules.addRule(RuleKinds::ExtReplace, QStringLiteral("JPG"), QStringLiteral("jpeg"));
    rules.addRule(RuleKinds::MiscReplaceSpaces);
    rules.addRule(RuleKinds::LetterFirstCap, QStringLiteral("0"));
    rules.addRule(RuleKinds::ExtInsert, QStringLiteral("v"), QStringLiteral("End"));

    QWidget owner;
    ErrorWindow errors;
    StatusWindow status;
    PreviewWindow window(status, errors.reporter());
    PreviewFlow flow(window, status, errors.reporter(), &owner);
    int progressUpdates = 0;

    // The longest time the event loop went without running a 5 ms timer: what a user would
    // feel as a frozen window.
    QElapsedTimer sinceTick;
    double longestGap = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, ms(sinceTick));
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();

    // The rows as the main window holds them, made before the clock starts: the window hands
    // its shared rows to the preview, never a list of single rows.
    const TickedRows ticked = tickedRowsOf(files);
    longestGap = 0;
    sinceTick.restart();

    QElapsedTimer t;
    t.start();
    const double cpuBefore = processCpuMs();
    QEventLoop loop;
    QObject::connect(&flow, &PreviewFlow::previewFinished, &loop, &QEventLoop::quit);
    flow.preview(QStringLiteral("/tmp"), ticked, rules);
    if (auto *job = flow.findChild<Job *>())
        QObject::connect(job, &Job::completedChanged, [&] { ++progressUpdates; });
    loop.exec();
    const double previewMs = ms(t);
    const double previewCpuMs = processCpuMs() - cpuBefore;
    const double previewGap = longestGap;

    // Renames every row in a real folder, the way the Rename button does.
    QTemporaryDir dir;
    std::vector<FileEntry> onDisk = files;
    for (auto &f : onDisk) {
        QFile file(dir.filePath(f.fileName));
        file.open(QIODevice::WriteOnly);
    }
    flow.setFolderSource([&dir] { return dir.path(); });
    flow.preview(dir.path(), onDisk, rules);
    loop.exec();
    QEventLoop renameLoop;
    QObject::connect(&flow, &PreviewFlow::renameFinished, &renameLoop, &QEventLoop::quit);
    longestGap = 0;
    sinceTick.restart();
    t.restart();
    flow.window()->rename();
    renameLoop.exec();
    const double renameMs = ms(t);
    const double renameGap = longestGap;
    const qsizetype renamed = QDir(dir.path())
                                  .entryList(QDir::Files)
                                  .filter(QStringLiteral("holiday"), Qt::CaseInsensitive)
                                  .size();

    flow.preview(QStringLiteral("/tmp"), files, rules);
    loop.exec();

    PreviewWindow *w = flow.window();
    auto *list = w->findChild<QTableView *>(QStringLiteral("lstpreview"));
    t.restart();
    app.processEvents();
    const double paintMs = ms(t);

    auto *model = const_cast<PreviewModel *>(w->model());
    t.restart();
    model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    app.processEvents();
    const double firstTickMs = ms(t);
    t.restart();
    model->setData(model->index(n / 2, 0), Qt::Unchecked, Qt::CheckStateRole);
    app.processEvents();
    const double laterTickMs = ms(t);
    t.restart();
    model->setData(model->index(n / 2, 0), Qt::Checked, Qt::CheckStateRole);
    app.processEvents();
    const double retickMs = ms(t);
    list->scrollToBottom();

    std::printf("files                          %d\n", n);
    std::printf("after the ticks                %s\n",
                qPrintable(model->review().filesSelectedText()));
    std::printf("rules                          %d\n", rules.ruleCount());
    std::printf("preview run to window shown    %.1f ms\n", previewMs);
    std::printf("cpu time of the process meanwhile %.1f ms\n", previewCpuMs);
    std::printf("longest event-loop gap         %.1f ms\n", previewGap);
    std::printf("progress batches delivered     %d\n", progressUpdates);
    std::printf("rename of every file on disk   %.1f ms (%lld renamed)\n", renameMs,
                static_cast<long long>(renamed));
    std::printf("longest event-loop gap         %.1f ms\n", renameGap);
    std::printf("first paint of the list        %.1f ms\n", paintMs);
    std::printf("first untick (sorts the rows)  %.1f ms\n", firstTickMs);
    std::printf("later untick                   %.1f ms\n", laterTickMs);
    std::printf("tick with clash test           %.1f ms\n", retickMs);
    return 0;
}
