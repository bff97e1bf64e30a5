#pragma once

#include <QWidget>

class QLabel;
class QUrl;

namespace tallowin::ui {

class HelpOpener;

// frmHelp: the program's version, where to find support, and the way to the help pages and to
// the news of each version. Hidden, not closed, by Cancel and Escape.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(HelpOpener &opener, QWidget *parent = nullptr);

    // "You are currently using version: 1.2.7" for the version this program was built as.
    static QString versionLine();
    // The site's pages the window names.
    static QUrl issuesUrl();
    static QUrl newsUrl();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    HelpOpener &m_opener;
};

} // namespace tallowin::ui
