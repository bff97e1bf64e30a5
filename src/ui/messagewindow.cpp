#include "ui/messagewindow.h"

#include "shell/coretext.h"
#include "ui/chrome.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace tallowin::ui {

MessageWindow::MessageWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmMessages"));
    setWindowTitle(QStringLiteral("Tallowin"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(12);
    layout->addWidget(new HeaderBar(QStringLiteral("Tallowin"), this));

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setContentsMargins(16, 4, 16, 4);
    layout->addWidget(m_message, 1);

    m_message->setAccessibleName(tr("Message"));
    m_ok = makeButton(QStringLiteral("cmdOk"), tr("OK"), this, true);
    m_ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::hide);
    resize(420, 170);
}

void MessageWindow::showMessage(const QString &message) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, message] { showMessage(message); }, Qt::QueuedConnection);
        return;
    }
    // The core's fixed messages are translated here, where they are shown.
    const QString text = coreText(message);
    m_message->setText(text);
    // Wide enough for the longest word (a file name is one), so none is broken inside.
    const QFontMetrics fm = m_message->fontMetrics();
    int longest = 0;
    for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
        longest = std::max(longest, fm.horizontalAdvance(word));
    const QScreen *screen = m_anchor && m_anchor->isVisible() ? m_anchor->screen() : this->screen();
    const int widest = screen ? screen->availableGeometry().width() * 9 / 10 : 1600;
    const int margins = m_message->contentsMargins().left() + m_message->contentsMargins().right();
    m_message->setMinimumWidth(
        std::min(widest, std::max(fm.averageCharWidth() * 52, longest + margins + 4)));
    hide();
    resize(0, 0);
    adjustSize();
    placeOnScreen(this, m_anchor);
    bringToFront(this);
}

QString MessageWindow::message() const {
    return m_message->text();
}

void MessageWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tallowin::ui
