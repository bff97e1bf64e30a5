#include "shell/programfolder.h"
#include "ui/appcontroller.h"
#include "ui/commandlinehelpwindow.h"
#include "ui/mainwindow.h"
#include "ui/startoptions.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>

using tallowin::ui::StartOptions;

namespace {

// --help and --version print and stop before any window system is needed, so they work
// without a display.
int printOnly(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tallowin %s\n", TALLOWIN_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QCoreApplication app(argc, argv); // the help names the help folder found
            std::fputs(qPrintable(tallowin::ui::startUsage()), stdout);
            return 0;
        }
    }
    return -1;
}

void installTranslations(QApplication &app) {
    auto *own = new QTranslator(&app);
    if (own->load(QLocale(), QStringLiteral("tallowin"), QStringLiteral("_"),
                  QDir(tallowin::programFolder()).filePath(QStringLiteral("translations"))))
        QApplication::installTranslator(own);
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
}

// Prints where the program found its folders once the main window is open, then quits.
void checkInstallWhenOpen(tallowin::ui::AppController *controller) {
    QObject::connect(
        controller, &tallowin::ui::AppController::mainWindowOpened, controller,
        [controller] {
            const QString help = tallowin::helpFolder();
            const bool found =
                QFileInfo(QDir(help).filePath(QStringLiteral("index.html"))).isFile();
            std::printf("program folder: %s\nhelp pages: %s%s\nrules: %s\n",
                        qPrintable(tallowin::programFolder()), qPrintable(help),
                        found ? "" : " (missing)", qPrintable(controller->rulesFolder()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [found] { QApplication::exit(found ? 0 : 1); });
        },
        Qt::SingleShotConnection);
}

} // namespace

int main(int argc, char **argv) {
    if (const int status = printOnly(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallowin"));
    QApplication::setApplicationVersion(QStringLiteral(TALLOWIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("example.tallowin.Tallowin"));
    installTranslations(app);
    const StartOptions options = tallowin::ui::parseStartOptions(QApplication::arguments().mid(1));
    switch (options.action) {
    case StartOptions::Action::BadUsage:
        std::fprintf(stderr, "tallowin: %s\n%s", qPrintable(options.error),
                     qPrintable(tallowin::ui::startUsage()));
        return 2;
    case StartOptions::Action::Help:
        std::fputs(qPrintable(tallowin::ui::startUsage()), stdout);
        return 0;
    case StartOptions::Action::Version:
        std::printf("tallowin %s\n", TALLOWIN_VERSION);
        return 0;
    case StartOptions::Action::CommandLineHelp: {
        tallowin::ui::CommandLineHelpWindow window(tallowin::ui::cliProgramBeside());
        window.show();
        return app.exec();
    }
    default:
        break;
    }
    QPointer<tallowin::ui::AppController> controller =
        tallowin::ui::startUp(options.folder, options.rulesFile);
    if (options.action == StartOptions::Action::CheckInstall) {
        // Without a rules folder the start-up stops at the error window: no main window comes.
        if (!QFileInfo::exists(controller->rulesFolder())) {
            std::fprintf(stderr, "tallowin: no rules folder could be made at %s\n",
                         qPrintable(controller->rulesFolder()));
            return 1;
        }
        checkInstallWhenOpen(controller);
    }
    if (!options.ignored.isEmpty())
        QObject::connect(
            controller, &tallowin::ui::AppController::mainWindowOpened, controller,
            [controller, ignored = options.ignored] {
                controller->showMessage(
                    QApplication::translate("main",
                                            "Not a folder or a rules file (.rul), left out: %1")
                        .arg(ignored.join(QStringLiteral(", "))));
            },
            Qt::SingleShotConnection);
    const int status = app.exec();
    // The windows go while the application still stands, not in its destructor.
    delete controller.data();
    return status;
}
