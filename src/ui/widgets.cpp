#include "ui/widgets.h"

#include "shell/windowplacement.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWindow>

// Resources of a static library must be registered by hand.
static void initTallowinResources() {
    Q_INIT_RESOURCE(tallowin);
}

namespace tallowin::ui {

void ensureResources() {
    static const bool done = [] {
        initTallowinResources();
        return true;
    }();
    (void)done;
}

QIcon themedIcon(const char *themeName, const char *resourceName) {
    ensureResources();
    const QString res = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(resourceName));
    return QIcon::fromTheme(QLatin1String(themeName), QIcon(res));
}

namespace {

// Rows at least as high as the view's font needs, so accents above capitals are not cut off.
class FontRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        const auto *view = qobject_cast<const QWidget *>(parent());
        s.setHeight(std::max(s.height(), view ? rowHeightFor(view) : 0));
        return s;
    }
};

} // namespace

int rowHeightFor(const QWidget *view) {
    const QFontMetrics fm = view->fontMetrics();
    const int indicator = view->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, view);
    return std::max(fm.lineSpacing(), indicator) + std::max(6, fm.height() / 2);
}

void setUpItemView(QAbstractItemView *view, const QString &accessibleName,
                   const QString &description) {
    view->setTabKeyNavigation(false);
    view->setAccessibleName(accessibleName);
    view->setAccessibleDescription(description.isEmpty() ? view->toolTip() : description);
    view->setItemDelegate(new FontRowDelegate(view));
    if (auto *table = qobject_cast<QTableView *>(view)) {
        // Fixed heights: the view never measures 100,000 rows.
        QHeaderView *rows = table->verticalHeader();
        rows->setSectionResizeMode(QHeaderView::Fixed);
        rows->setMinimumSectionSize(rowHeightFor(view));
        rows->setDefaultSectionSize(rowHeightFor(view));
    }
}

void nameControl(QWidget *control, const QString &name, const QString &description) {
    control->setAccessibleName(name);
    if (!description.isEmpty())
        control->setAccessibleDescription(description);
    else if (!control->toolTip().isEmpty() && control->toolTip() != name)
        control->setAccessibleDescription(control->toolTip());
}

void placeOnScreen(QWidget *window, const QWidget *anchor, std::optional<QRect> remembered) {
    // The smallest size is known only once the style has measured every control.
    window->ensurePolished();
    if (window->layout())
        window->layout()->activate();
    PlacementRequest r;
    r.remembered = remembered;
    r.wanted = window->size();
    r.minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    QScreen *screen = anchor && anchor->isVisible() ? anchor->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        r.screens << screen->availableGeometry();
    for (QScreen *s : QGuiApplication::screens())
        if (s != screen)
            r.screens << s->availableGeometry();
    if (anchor && anchor->isVisible())
        r.centreOn = anchor->frameGeometry().center();
    const QRect placed = placeWindow(r);
    window->resize(placed.size());
    window->move(placed.topLeft());
}

namespace {

// The pressed picture: the normal one sunk by a pixel on a shaded plate.
QIcon pressedIconFor(const QIcon &normal, const QSize &size) {
    QIcon out;
    for (int scale : {1, 2}) {
        const QSize px = size * scale;
        QPixmap pm(px);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(px)), 4.0 * scale, 4.0 * scale);
        const int inset = scale * 2;
        const QPixmap icon = normal.pixmap(px - QSize(inset * 2, inset * 2));
        p.drawPixmap(inset + scale, inset + scale, icon);
        p.end();
        out.addPixmap(pm);
    }
    return out;
}

} // namespace

PictureButton::PictureButton(const QString &name, const QIcon &icon, const QString &text,
                             QWidget *parent)
    : QToolButton(parent), m_normal(icon) {
    setObjectName(name);
    setIcon(icon);
    setText(text);
    setAutoRaise(true);
    setIconSize(QSize(22, 22));
    setToolButtonStyle(text.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setPressedLook(bool on) {
    if (on == m_pressed)
        return;
    m_pressed = on;
    if (on) {
        if (m_pressedIcon.isNull())
            m_pressedIcon = pressedIconFor(m_normal, iconSize());
        setIcon(m_pressedIcon);
    } else {
        setIcon(m_normal);
    }
}

void PictureButton::setPicture(const QIcon &icon) {
    m_normal = icon;
    m_pressedIcon = QIcon();
    if (m_pressed)
        m_pressedIcon = pressedIconFor(m_normal, iconSize());
    setIcon(m_pressed ? m_pressedIcon : m_normal);
}

void PictureButton::mousePressEvent(QMouseEvent *e) {
    setPressedLook(true);
    QToolButton::mousePressEvent(e);
}

void PictureButton::mouseReleaseEvent(QMouseEvent *e) {
    setPressedLook(m_focusLook && hasFocus());
    QToolButton::mouseReleaseEvent(e);
}

void PictureButton::focusInEvent(QFocusEvent *e) {
    if (m_focusLook)
        setPressedLook(true);
    QToolButton::focusInEvent(e);
}

void PictureButton::focusOutEvent(QFocusEvent *e) {
    if (m_focusLook)
        setPressedLook(false);
    QToolButton::focusOutEvent(e);
}

CaptionLabel::CaptionLabel(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent) {
    setObjectName(name);
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(e);
}

WindowDragger::WindowDragger(QWidget *window) : QObject(window), m_window(window) {}

void WindowDragger::watch(QWidget *w) {
    w->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        watched->objectName() == QLatin1String("pictHeaderBar")) {
        m_window->isMaximized() ? m_window->showNormal() : m_window->showMaximized();
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->buttons() == Qt::LeftButton) {
            ++m_moves;
            if (QWindow *handle = m_window->windowHandle())
                handle->startSystemMove();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tallowin::ui
