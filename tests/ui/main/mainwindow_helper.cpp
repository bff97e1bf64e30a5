#include "mainwindow_helper.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLabel>

namespace testing {

void makeFiles(const QString &dir, const QStringList &names) {
    for (const QString &n : names) {
        QFile f(dir + u'/' + n);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot make %s", qPrintable(n));
    }
}

Fixture::Fixture() {
    window = std::make_unique<tallowin::ui::MainWindow>(settings);
    window->show();
}

void Fixture::restart() {
    window = std::make_unique<tallowin::ui::MainWindow>(settings);
    window->show();
    QSignalSpy done(window.get(), &tallowin::ui::MainWindow::listingFinished);
    window->load();
    if (!done.wait(10000))
        qWarning("listing did not end");
}

bool Fixture::listAfter(const std::function<void()> &action) {
    QSignalSpy done(window.get(), &tallowin::ui::MainWindow::listingFinished);
    action();
    return done.wait(10000);
}

void Fixture::chooseFolder(const QString &path) {
    listAfter([&] {
        auto *dir = get<QLineEdit>("dirFileLocation");
        dir->setFocus();
        dir->setText(path);
        QTest::keyClick(dir, Qt::Key_Return);
    });
}

QString Fixture::text(const char *label) { return get<QLabel>(label)->text(); }

QStringList Fixture::names() const {
    QStringList out;
    for (const auto &e : window->fileList()->rows())
        out << e.FileName;
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
