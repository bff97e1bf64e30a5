#include "ui/helpopener.h"

#include "shell/programfolder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace tallowin::ui {

// Marked here, translated where shown: translators load after these are made.
const QString HelpOpener::NoBrowserTitle =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::HelpOpener", "Browser Not Found"));
const QString HelpOpener::NoBrowserText = QStringLiteral(
    QT_TRANSLATE_NOOP("tallowin::ui::HelpOpener", "Could not find associated Browser"));
const QString HelpOpener::FailedTitle =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::HelpOpener", "URL Failed"));
const QString HelpOpener::FailedText =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::HelpOpener", "Web Page not Opened"));

namespace {

// Whether the desktop has anything that opens a web page: the launchers Qt's desktop
// services try, or a browser the user named. Asked only after an open failed, to tell the
// user which of the two things went wrong.
bool browserFound() {
    for (const char *var : {"DEFAULT_BROWSER", "BROWSER"}) {
        const QString named = qEnvironmentVariable(var);
        if (!named.isEmpty() && !QStandardPaths::findExecutable(named).isEmpty())
            return true;
    }
    for (const char *launcher : {"xdg-open", "gio", "gvfs-open", "gnome-open", "kde-open5",
                                 "kde-open", "kfmclient", "exo-open"}) {
        if (!QStandardPaths::findExecutable(QLatin1String(launcher)).isEmpty())
            return true;
    }
    return false;
}

} // namespace

HelpOpener::HelpOpener(QObject *parent) : QObject(parent) {
    setObjectName(QStringLiteral("helpOpener"));
    m_warning = [](const QString &title, const QString &text) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setObjectName(QStringLiteral("msgBrowser"));
        box.exec();
    };
}

QString HelpOpener::helpFolder() {
    const QString beside = QDir(programFolder()).filePath(QStringLiteral("help"));
    // An installed program keeps its pages under share/ of its prefix, not beside it.
    if (qEnvironmentVariableIsEmpty("TALLOWIN_HOME") && !QFileInfo(beside).isDir()) {
        const QString installed =
            QDir::cleanPath(programFolder() + QStringLiteral("/../share/tallowin/help"));
        if (QFileInfo(installed).isDir())
            return installed;
    }
    return beside;
}

QString HelpOpener::pagePath(const QString &page) {
    return QDir(helpFolder()).filePath(page);
}

bool HelpOpener::openPage(const QString &page) {
    return openUrl(QUrl::fromLocalFile(pagePath(page)));
}

bool HelpOpener::openUrl(const QUrl &url) {
    if (QDesktopServices::openUrl(url))
        return true;
    if (browserFound())
        m_warning(tr(qUtf8Printable(FailedTitle)), tr(qUtf8Printable(FailedText)));
    else
        m_warning(tr(qUtf8Printable(NoBrowserTitle)), tr(qUtf8Printable(NoBrowserText)));
    return false;
}

} // namespace tallowin::ui
