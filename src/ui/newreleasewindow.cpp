#include "ui/newreleasewindow.h"

#include "ui/chrome.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace tallowin::ui {

NewReleaseWindow::NewReleaseWindow(const QString &news, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmNewRelease"));
    setWindowTitle(tr("Tallowin - New Release"));
    setAttribute(Qt::WA_DeleteOnClose);
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(10);
    layout->addWidget(new HeaderBar(tr("A new version is available"), this));

    m_news = new QPlainTextEdit(news, this);
    m_news->setObjectName(QStringLiteral("txtNewVersion"));
    m_news->setReadOnly(true);
    m_news->setToolTip(tr("The latest version news."));
    m_news->setAccessibleName(tr("The latest version news"));
    m_news->setTabChangesFocus(true);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 0);
    body->addWidget(m_news);
    layout->addLayout(body, 1);

    m_close = makeButton(QStringLiteral("cmd1"), tr("Close"), this, true);
    m_close->setToolTip(tr("Click here to close this message"));
    m_close->setAccessibleName(tr("Close the version news"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    resize(480, 360);
}

QString NewReleaseWindow::news() const {
    return m_news->toPlainText();
}

} // namespace tallowin::ui
