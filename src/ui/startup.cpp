#include "ui/startup.h"

#include "ui/appcontroller.h"

#include <QCoreApplication>

namespace tallowin::ui {

AppController *startUp(const QString &folder) {
    auto *controller = new AppController(SettingsStore(), QCoreApplication::instance());
    controller->startUp(folder);
    return controller;
}

} // namespace tallowin::ui
