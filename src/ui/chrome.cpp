#include "ui/chrome.h"

#include "ui/widgets.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace tallowin::ui {

namespace {
// One style for every borderless window: a thin frame, a coloured header strip, flat buttons.
const char *const WindowStyle = R"(
QWidget#%1 { background: palette(window); border: 1px solid palette(dark); }
#pictHeaderBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                                             stop:0 #34495e, stop:1 #2c3e50);
                 border: none; }
#pictHeaderBar QLabel { color: #ecf0f1; font-weight: 600; }
QPushButton { padding: 5px 16px; border-radius: 4px; border: 1px solid palette(mid);
              background: palette(button); }
QPushButton:hover { border-color: palette(highlight); }
QPushButton:pressed { background: palette(midlight); }
QPushButton[primary="true"] { background: #2e86de; color: white; border-color: #2e86de;
                              font-weight: bold; }
QPushButton:disabled { color: palette(mid); }
QPushButton[primary="true"]:disabled { background: palette(mid); border-color: palette(mid); }
QPushButton:focus { border: 2px solid palette(highlight); }
QPushButton[primary="true"]:focus { border: 2px solid #17497a; }
)";
} // namespace

HeaderBar::HeaderBar(const QString &title, QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pictHeaderBar"));
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::SizeAllCursor);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->addWidget(new QLabel(title, this));
    layout->addStretch();
}

void HeaderBar::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return QFrame::mousePressEvent(event);
    QWidget *w = window();
    // The window system moves the window and keeps it on screen; not every platform can.
    if (w->windowHandle() && w->windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    m_manualDrag = true;
    m_dragOffset = event->globalPosition().toPoint() - w->frameGeometry().topLeft();
    event->accept();
}

void HeaderBar::mouseMoveEvent(QMouseEvent *event) {
    if (m_manualDrag && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    QFrame::mouseMoveEvent(event);
}

void HeaderBar::mouseReleaseEvent(QMouseEvent *event) {
    m_manualDrag = false;
    QFrame::mouseReleaseEvent(event);
}

void makeBorderless(QWidget *window) {
    window->setWindowFlag(Qt::Window);
    window->setWindowFlag(Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_StyledBackground);
    window->setStyleSheet(QString::fromLatin1(WindowStyle).arg(window->objectName()));
}

void bringToFront(QWidget *window) {
    window->show();
    // Platforms without window stacking (the offscreen one) only warn about it.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window->raise();
        window->activateWindow();
    }
}

void placeOver(QWidget *window, const QWidget *anchor) {
    if (window->isVisible() || !anchor || !anchor->isVisible())
        return;
    placeOnScreen(window, anchor);
}

QPushButton *makeButton(const QString &objectName, const QString &text, QWidget *parent,
                        bool primary) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setProperty("primary", primary);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace tallowin::ui
