#include "mainwindow_helper.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>

namespace testing {

UrlRecorder::UrlRecorder() {
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");
}

UrlRecorder::~UrlRecorder() {
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

Fixture::Fixture() {
    restart();
}

Fixture::~Fixture() {
    delete app.data();
}

void Fixture::restart() {
    delete app.data();
    app = new tallowin::ui::AppController(settings);
    // The start-up listing ends before a test lists anything of its own.
    if (!listAfter([this] { app->openMainWindow(); }))
        qWarning("listing did not end");
}

bool Fixture::listAfter(const std::function<void()> &action) {
    QPointer<tallowin::ui::FileSelectionPanel> panel =
        app->mainWindow() ? app->mainWindow()->files() : nullptr;
    std::unique_ptr<QSignalSpy> done;
    if (panel)
        done = std::make_unique<QSignalSpy>(panel.data(),
                                            &tallowin::ui::FileSelectionPanel::listingFinished);
    action();
    if (!done) // the action opened the main window
        done = std::make_unique<QSignalSpy>(app->mainWindow()->files(),
                                            &tallowin::ui::FileSelectionPanel::listingFinished);
    // Not QSignalSpy::wait: it opens an event loop, and none opens after a test used Exit.
    return QTest::qWaitFor([&] { return !done->isEmpty(); }, 10000);
}

void Fixture::chooseFolder(const QString &path) {
    listAfter([&] {
        auto *dir = get<QLineEdit>("dirFileLocation");
        dir->setFocus();
        dir->setText(path);
        QTest::keyClick(dir, Qt::Key_Return);
    });
}

QString Fixture::text(const char *label) {
    return get<QLabel>(label)->text();
}

QStringList Fixture::names() {
    QStringList out;
    for (const auto &e : model().rows())
        out << e.fileName;
    return out;
}

QStringList Fixture::rules() {
    QStringList out;
    const QAbstractItemModel *model = get<QAbstractItemView>("lstStandardRules")->model();
    for (int i = 0; i < model->rowCount(); ++i)
        out << model->index(i, 0).data().toString();
    return out;
}

} // namespace testing
