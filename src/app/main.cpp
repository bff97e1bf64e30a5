#include "ui/startup.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallowin"));
    QApplication::setApplicationVersion(QStringLiteral(TALLOWIN_VERSION));
    // `tallowin FOLDER` opens on FOLDER.
    const QStringList args = QApplication::arguments();
    tallowin::ui::startUp(args.size() > 1 ? args.at(1) : QString());
    return app.exec();
}
