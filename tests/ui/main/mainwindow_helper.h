#pragma once

#include "shell/settingsstore.h"
#include "support/files.h"
#include "ui/appcontroller.h"
#include "ui/filelistmodel.h"
#include "ui/fileselectionpanel.h"
#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace testing {

// Takes the addresses the program opens (help pages, the web site) instead of a browser, so
// no test starts one and each can see what was opened.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder();
    ~UrlRecorder() override;
    QList<QUrl> opened;
public Q_SLOTS:
    void openUrl(const QUrl &url) { opened << url; }
};

// Empty files with the given names in `dir`.
using tallowin::test::makeFiles;

// The application on its own settings file with its main window open, as the user sees it
// after start-up (without the splash).
struct Fixture {
    QTemporaryDir home;
    UrlRecorder urls;
    tallowin::SettingsStore settings{home.filePath(QStringLiteral("settings.ini"))};
    // Closing the main window ends the controller, so it is watched rather than owned.
    QPointer<tallowin::ui::AppController> app;

    Fixture();
    ~Fixture();
    tallowin::ui::MainWindow &w() { return *app->mainWindow(); }
    tallowin::ui::FileSelectionPanel &files() { return *w().files(); }
    tallowin::ui::FileListModel &model() { return *w().fileList(); }
    // A new application on the same settings, its main window loaded as at start-up; waits
    // for its listing.
    void restart();

    template <typename T = QWidget> T *get(const char *name) {
        T *c = app->mainWindow()->findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning("no control %s", name);
        return c;
    }
    // Clicks near the left edge, where option and check boxes have their mark.
    void click(const char *name) {
        QWidget *w = get<QWidget>(name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(qMin(8, w->width() / 2), w->height() / 2));
    }
    // Types a folder into the folder picker and waits for the listing.
    void chooseFolder(const QString &path);
    // Runs `action`, then waits until the listing it starts has ended.
    bool listAfter(const std::function<void()> &action);
    QString text(const char *label);
    QStringList names();
    QStringList rules();
};

} // namespace testing
