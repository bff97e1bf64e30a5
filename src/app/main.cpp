#include "ui/startup.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    tallowin::ui::startUp();
    return app.exec();
}
