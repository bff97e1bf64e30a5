#pragma once

#include <QIcon>
#include <QLabel>
#include <QRect>
#include <QToolButton>

#include <optional>

class QAbstractItemView;

namespace tallowin::ui {

// Registers the bundled pictures; safe to call more than once.
void ensureResources();

// The theme's icon when the desktop has one, else our own drawing from the resources.
QIcon themedIcon(const char *themeName, const char *resourceName);

// Readies a list or table for keyboard and screen-reader users: Tab and Shift+Tab leave it
// (arrows move inside), rows are as high as its font needs, it has a name and a description
// (its hover text when none is given). Call it where a view is made, after its model is set.
void setUpItemView(QAbstractItemView *view, const QString &accessibleName,
                   const QString &description = {});
// The height of one row of `view` for its font and check boxes.
int rowHeightFor(const QWidget *view);

// Gives `control` the name a screen reader says for it, and a description: `description`, or
// its hover text when that says more than the name.
void nameControl(QWidget *control, const QString &name, const QString &description = {});

// Places `window` on the screen that holds `anchor` (or its own, or the primary screen) with
// placeWindow(): at `remembered` when that lies whole on a screen, else centred over the
// anchor when it is shown or on the screen, never beyond the screen's available area.
void placeOnScreen(QWidget *window, const QWidget *anchor = nullptr,
                   std::optional<QRect> remembered = {});

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
