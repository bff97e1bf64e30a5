#pragma once

#include <QFrame>
#include <QPoint>

class QPushButton;

namespace tallowin::ui {

// The strip at the top of a borderless window: it shows the title and dragging it moves the
// window. Its objectName is "pictHeaderBar".
class HeaderBar : public QFrame {
    Q_OBJECT
public:
    explicit HeaderBar(const QString &title, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Used only where the window system cannot move the window itself.
    QPoint m_dragOffset;
    bool m_manualDrag = false;
};

// Makes `window` a borderless top-level window with the program's look.
void makeBorderless(QWidget *window);

// Shows `window` without blocking and brings it in front of the others.
void bringToFront(QWidget *window);

// Centres a hidden `window` over `anchor` (when that is shown), so it opens where the user works,
// shrunk and moved to lie whole on the anchor's screen.
void placeOver(QWidget *window, const QWidget *anchor);

// A push button styled as one of the window's main actions.
QPushButton *makeButton(const QString &objectName, const QString &text, QWidget *parent,
                        bool primary = false);

} // namespace tallowin::ui
