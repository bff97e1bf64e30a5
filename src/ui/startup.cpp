#include "ui/startup.h"

#include "ui/appcontroller.h"

#include <QCoreApplication>

namespace tallowin::ui {

AppController *startUp(const QString &folder, const QString &rulesFile) {
    auto *controller = new AppController(SettingsStore(), QCoreApplication::instance());
    controller->startUp(folder, rulesFile);
    return controller;
}

} // namespace tallowin::ui
