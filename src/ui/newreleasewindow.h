#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace tallowin::ui {

// frmNewRelease: the latest version news from the maker's site. Its button (or Escape) closes
// and deletes it; the next notice is a new window.
class NewReleaseWindow : public QWidget {
    Q_OBJECT
public:
    explicit NewReleaseWindow(const QString &news, QWidget *parent = nullptr);
    QString news() const;

private:
    QPlainTextEdit *m_news;
    QPushButton *m_close;
};

} // namespace tallowin::ui
