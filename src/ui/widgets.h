#pragma once

#include <QIcon>
#include <QLabel>
#include <QToolButton>

namespace tallowin::ui {

// Registers the bundled pictures; safe to call more than once.
void ensureResources();

// The theme's icon when the desktop has one, else our own drawing from the resources.
QIcon themedIcon(const char *themeName, const char *resourceName);

// A button with a normal and a pressed picture: the pressed one shows while the mouse button
// is held on it (or while it has the focus, for buttons that ask for that look).
class PictureButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(bool pressedLook READ pressedLook)
public:
    PictureButton(const QString &name, const QIcon &icon, const QString &text, QWidget *parent);
    bool pressedLook() const { return m_pressed; }
    void setPressedLook(bool on);
    // Gives the button another normal picture (its pressed one follows from it).
    void setPicture(const QIcon &icon);
    // Shows the pressed picture while the button has the keyboard focus.
    void setFocusLook(bool on) { m_focusLook = on; }

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    QIcon m_normal;
    QIcon m_pressedIcon;
    bool m_pressed = false;
    bool m_focusLook = false;
};

// A caption that reacts to a left click.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    CaptionLabel(const QString &name, const QString &text, QWidget *parent);
Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
};

// Hands the window to the desktop's own moving when the left button is dragged over the
// widgets it watches. Counts the moves it started, so tests can see them without a desktop.
class WindowDragger : public QObject {
    Q_OBJECT
public:
    explicit WindowDragger(QWidget *window);
    void watch(QWidget *w);
    int movesStarted() const { return m_moves; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    int m_moves = 0;
};

} // namespace tallowin::ui
