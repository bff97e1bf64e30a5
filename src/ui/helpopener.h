#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace tallowin::ui {

// Opens a page of the program's help, or a page of the web site, in the user's browser through
// the desktop's URL handling. Nothing is written to disk on the way. When the page cannot be
// opened the user is told in a warning box: no browser at all, or a browser that failed.
class HelpOpener : public QObject {
    Q_OBJECT
public:
    explicit HelpOpener(QObject *parent = nullptr);

    // The `help` folder of the program folder (of its prefix's share/tallowin when installed).
    static QString helpFolder();
    // The full path of a help page ("index.html", "page15.html", ...).
    static QString pagePath(const QString &page);

    // Opens `page` of the help folder; false when it could not be opened. A missing page is
    // not checked here: the browser shows its own error, as it would for any address.
    bool openPage(const QString &page);
    // Opens any address; false when it could not be opened.
    bool openUrl(const QUrl &url);

    // How a failure is told; a warning box by default. Tests record the words instead.
    using Warning = std::function<void(const QString &title, const QString &text)>;
    void setWarning(Warning warning) { m_warning = std::move(warning); }

    static const QString NoBrowserTitle;
    static const QString NoBrowserText;
    static const QString FailedTitle;
    static const QString FailedText;

private:
    Warning m_warning;
};

} // namespace tallowin::ui
