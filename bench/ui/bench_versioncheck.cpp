// How long the window's event loop waits while the start-up's version check waits on a slow
// site. The program starts as a user's would (main window, version check against a loopback
// site that holds its answer DELAY ms), while the UI thread waits in a real, blocking event
// loop and a 5 ms timer on it records the longest gap between two of its ticks, from the main
// window's first paint to the check's end. Each round first measures the same wait with no check
// running: the noise floor a busy machine's scheduler makes alone.
// Usage: bench_versioncheck [ROUNDS] [DELAY_MS]   (defaults 5 and 700)
// Prints one line per round and phase: "phase<TAB>ms<TAB>longest gap ms".
#include "gapmeter.h"
#include "loopbackserver_helper.h"

#include "shell/settingsstore.h"
#include "shell/versioncheck.h"
#include "ui/appcontroller.h"
#include "ui/mainwindow.h"
#include "ui/site.h"
#include "ui/versioncheck.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

using namespace tallowin;

namespace {

void print(const char *phase, const QElapsedTimer &t, const GapMeter &gap) {
    std::printf("%s\t%.1f\t%lld\n", phase, t.nsecsElapsed() / 1e6,
                static_cast<long long>(gap.longest));
    std::fflush(stdout);
}

// Waits in a blocking event loop for as long as a check takes, with nothing to do.
void idleRound(int delayMs) {
    GapMeter gap;
    QEventLoop loop;
    QElapsedTimer t;
    t.start();
    gap.reset();
    QTimer::singleShot(delayMs, &loop, &QEventLoop::quit);
    loop.exec();
    gap.stop();
    print("idle", t, gap);
}

void checkRound(int delayMs) {
    LoopbackServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        std::exit(1);
    }
    // The release running: nothing is announced, so no window of the check's own is timed.
    server.answers.insert(VersionPagePath, QByteArrayLiteral(TALLOWIN_VERSION));
    server.answerDelayMs = delayMs;
    qputenv("TALLOWIN_SITE", server.baseUrl().toString().toUtf8());
    QTemporaryDir home;
    SettingsStore settings(home.filePath(QStringLiteral("settings.ini")));
    settings.saveSetting(Settings::App, Settings::StartupSection, Settings::ShowWizard,
                         QStringLiteral("0"));
    settings.saveSetting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("0"));
    auto *app = new ui::AppController(settings);
    app->versionCheck()->setTimeout(delayMs * 4);
    GapMeter gap;
    QElapsedTimer t;
    // Measured from the main window's first paint: drawing a new window is not the check's.
    struct FirstPaint : QObject {
        std::function<void()> then;
        bool eventFilter(QObject *watched, QEvent *event) override {
            if (event->type() == QEvent::Paint && then) {
                watched->removeEventFilter(this);
                std::exchange(then, nullptr)();
            }
            return false;
        }
    } firstPaint;
    firstPaint.then = [&] {
        t.start();
        gap.reset();
    };
    QObject::connect(app, &ui::AppController::mainWindowOpened, &firstPaint,
                     [&](ui::MainWindow *window) { window->installEventFilter(&firstPaint); });
    QEventLoop loop;
    QObject::connect(app->versionCheck(), &ui::VersionCheck::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    app->startUp();
    loop.exec();
    gap.stop();
    if (!t.isValid()) {
        std::fprintf(stderr, "the check ended before the main window was drawn\n");
        std::exit(1);
    }
    print("check", t, gap);
    delete app;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const int delayMs = argc > 2 ? std::atoi(argv[2]) : 700;
    for (int r = 0; r < rounds; ++r) {
        idleRound(delayMs);
        checkRound(delayMs);
    }
    return 0;
}
