// Takes pictures of the main window, its rule pages and a preview for the documentation, and
// the smaller pictures the help pages show.
// Usage: tallowin-screenshots OUTPUT_FOLDER [HELP_PICTURES_FOLDER]
#include "shell/settingsstore.h"
#include "ui/appcontroller.h"
#include "ui/mainwindow.h"
#include "ui/previewwindow.h"
#include "ui/renamesummary.h"
#include "ui/rulearea.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>

using namespace tallowin;

namespace {

void settle(int ms = 150) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

template <typename T> T *child(QWidget *w, const char *name) {
    return w->findChild<T *>(QLatin1String(name));
}

// Fails the renames of a few named files, each for its own reason.
class RefusingFileSystem : public tallowin::FileSystem {
public:
    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        const QByteArray name(from);
        if (name == "notes.txt")
            return EACCES;
        if (name == "route-map.png")
            return EROFS;
        if (name == "video_clip.mp4")
            return EBUSY;
        return FileSystem::renameNoReplace(dirFd, from, to);
    }
};

// False when part of `w` lies outside its screen's available area.
bool wholeOnScreen(const QWidget *w) {
    const QRect area = w->screen()->availableGeometry();
    const QRect g = w->frameGeometry();
    qInfo("%s at %d,%d %dx%d on a screen of %d,%d %dx%d", qPrintable(w->objectName()), g.x(), g.y(),
          g.width(), g.height(), area.x(), area.y(), area.width(), area.height());
    return area.contains(g);
}

void shoot(QWidget *w, const QString &file) {
    settle();
    w->grab().save(file);
    qInfo("wrote %s", qPrintable(file));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString helpOut = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(out);
    if (!helpOut.isEmpty())
        QDir().mkpath(helpOut);
    QTemporaryDir home;
    QDir demo(home.filePath(QStringLiteral("Holiday 2024")));
    demo.mkpath(QStringLiteral("."));
    const char *names[] = {"IMG_0001.JPG",
                           "IMG_0002.JPG",
                           "IMG_0003.JPG",
                           "IMG_0004.JPG",
                           "IMG_0005.JPG",
                           "beach day.jpg",
                           "dinner_with_friends.jpg",
                           "harbour   at night.jpg",
                           "notes.txt",
                           "route-map.png",
                           "sunset01.jpg",
                           "sunset02.jpg",
                           "sunset10.jpg",
                           "track07.mp3",
                           "video_clip.mp4"};
    for (const char *n : names) {
        QFile f(demo.filePath(QLatin1String(n)));
        if (f.open(QIODevice::WriteOnly))
            f.write("x");
    }
    ui::AppController controller(SettingsStore(home.filePath(QStringLiteral("settings.ini"))));
    ui::MainWindow &w = *controller.openMainWindow(demo.path());
    settle(600);
    // The window opens whole on the screen, whatever its size.
    int status = wholeOnScreen(&w) ? 0 : 1;

    auto add = [&](int page, const char *option,
                   std::initializer_list<std::pair<const char *, const char *>> texts,
                   const char *button) {
        w.ruleArea()->showStandardTab(page);
        child<QRadioButton>(&w, option)->click();
        for (const auto &[box, text] : texts)
            child<QLineEdit>(&w, box)->setText(QLatin1String(text));
        child<QAbstractButton>(&w, button)->click();
    };
    add(0, "optStandardReplace",
        {{"txtStandardReplaceThis", "IMG_"}, {"txtStandardReplaceWith", "Holiday "}},
        "cmdStandardFileNameAddNewRule");
    add(3, "optStandardLettersFirstCap", {}, "cmdStandardLettersAddRule");
    add(4, "optStandardMiscRemoveMultiSpace", {}, "cmdStandardMiscAddRule");
    add(1, "optStandardExtSetTo", {{"txtStandardExtSetTo", "jpg"}},
        "cmdStandardExtensionAddNewRule");

    w.ruleArea()->showStandardTab(0);
    child<QRadioButton>(&w, "optStandardBeforeAfter")->click();
    child<QLineEdit>(&w, "txtStandardBeforeAfterText")->setText(QStringLiteral(" - "));
    child<QLineEdit>(&w, "txtStandardBeforeAfterCriteria")->setText(QStringLiteral("day"));
    shoot(&w, out + QStringLiteral("/main-window.png"));

    const char *pages[] = {"file-name", "extension", "auto-number", "letters", "misc"};
    for (int i = 0; i < 5; ++i) {
        w.ruleArea()->showStandardTab(i);
        shoot(w.ruleArea(), out + QStringLiteral("/page-%1.png").arg(QLatin1String(pages[i])));
    }
    w.ruleArea()->switchToMp3View();
    child<QRadioButton>(&w, "optMP3Predefined")->click();
    shoot(w.ruleArea(), out + QStringLiteral("/page-mp3.png"));
    w.ruleArea()->switchToStandardView();

    if (!helpOut.isEmpty()) {
        // The help shows each page alone, the rules list and the file area, and the whole
        // window at a size that reads on a laptop screen.
        shoot(child<QWidget>(&w, "fraFileLocation")->parentWidget(),
              helpOut + QStringLiteral("/file-selection.png"));
        for (int i = 0; i < 5; ++i) {
            w.ruleArea()->showStandardTab(i);
            shoot(child<QWidget>(&w, "pctTabs"),
                  helpOut + QStringLiteral("/page-%1.png").arg(QLatin1String(pages[i])));
        }
        w.ruleArea()->switchToMp3View();
        child<QRadioButton>(&w, "optMP3Predefined")->click();
        shoot(child<QWidget>(&w, "pctMP3"), helpOut + QStringLiteral("/page-mp3.png"));
        w.ruleArea()->switchToStandardView();
        w.resize(1024, 640);
        settle(300);
        shoot(child<QWidget>(&w, "fraRulesList"), helpOut + QStringLiteral("/rules-list.png"));
        w.ruleArea()->showStandardTab(0);
        child<QRadioButton>(&w, "optStandardBeforeAfter")->click();
        child<QLineEdit>(&w, "txtStandardBeforeAfterText")->setText(QStringLiteral(" - "));
        child<QLineEdit>(&w, "txtStandardBeforeAfterCriteria")->setText(QStringLiteral("day"));
        shoot(&w, helpOut + QStringLiteral("/main-window.png"));
    }

    w.preview();
    settle(1000);
    ui::PreviewWindow *preview = controller.previewWindow();
    if (!preview->isVisible())
        return 1;
    status |= wholeOnScreen(preview) ? 0 : 1;
    shoot(preview, out + QStringLiteral("/preview.png"));
    if (!helpOut.isEmpty())
        shoot(preview, helpOut + QStringLiteral("/preview.png"));

    RefusingFileSystem refusing;
    preview->setRenameFileSystem(&refusing);
    preview->rename();
    settle(1000);
    if (!preview->summary()->isVisible())
        return 1;
    status |= wholeOnScreen(preview->summary()) ? 0 : 1;
    shoot(preview->summary(), out + QStringLiteral("/rename-summary.png"));
    preview->summary()->hide();
    shoot(&w, out + QStringLiteral("/main-window-after-rename.png"));
    preview->setRenameFileSystem(nullptr);
    return status;
}
