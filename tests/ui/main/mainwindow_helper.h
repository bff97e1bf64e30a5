#pragma once

#include "shell/settingsstore.h"
#include "ui/filelistmodel.h"
#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace testing {

// Makes empty files with the given names in `dir`.
void makeFiles(const QString &dir, const QStringList &names);

// A main window on its own settings file, shown, as the user sees it.
struct Fixture {
    QTemporaryDir home;
    tallowin::SettingsStore settings{home.filePath(QStringLiteral("settings.ini"))};
    std::unique_ptr<tallowin::ui::MainWindow> window;

    Fixture();
    tallowin::ui::MainWindow &w() { return *window; }
    // A new window on the same settings, loaded as at start-up; waits for its listing.
    void restart();

    template <typename T = QWidget> T *get(const char *name) {
        T *c = window->findChild<T *>(QLatin1String(name));
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
    QStringList names() const;
    QStringList rules();
};

} // namespace testing
