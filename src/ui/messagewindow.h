#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tallowin::ui {

// frmMessages: tells the user an expected problem in words. One window for the program,
// shown without blocking; a later message replaces the text of the one before.
class MessageWindow : public QWidget {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget *parent = nullptr);

    // Sets lblMessage and shows the window in front, without waiting. Safe to call from any
    // thread: from a worker it is queued to the window's thread.
    void showMessage(const QString &text);
    QString message() const;
    // Messages open centred over `anchor` (the main window) while it is shown, else in the
    // middle of the screen: always in the same place.
    void setAnchor(QWidget *anchor) { m_anchor = anchor; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_message;
    QPushButton *m_ok;
    QPointer<QWidget> m_anchor;
};

} // namespace tallowin::ui
