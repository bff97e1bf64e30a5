#include "ui/tipwindow.h"

#include "shell/coretext.h"
#include "shell/settingsstore.h"
#include "shell/tips.h"
#include "ui/chrome.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tallowin::ui {

TipWindow::TipWindow(SettingsStore &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings) {
    setObjectName(QStringLiteral("frmToolTips"));
    setWindowTitle(tr("Tallowin - Tip of the Day"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(10);
    layout->addWidget(new HeaderBar(tr("Did you know..."), this));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtToolTip"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(tr("Tip"));
    m_text->setTabChangesFocus(true);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 0);
    body->addWidget(m_text);
    layout->addLayout(body, 1);

    m_show = new QCheckBox(tr("Show Tips At Startup"), this);
    m_show->setObjectName(QStringLiteral("chkShowTips"));
    m_show->setAccessibleName(m_show->text());
    connect(m_show, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.saveSetting(Settings::App, Settings::Section, Settings::ShowTips,
                               on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    m_next = new PictureButton(QStringLiteral("cmdNext"), themedIcon("go-next", "next"),
                               tr("Next Tip"), this);
    m_next->setAccessibleName(tr("Next Tip"));
    m_close = new PictureButton(QStringLiteral("cmdClose"), themedIcon("window-close", "cancel"),
                                tr("Close"), this);
    m_close->setAccessibleName(tr("Close"));
    connect(m_next, &QToolButton::clicked, this, &TipWindow::chooseTip);
    connect(m_close, &QToolButton::clicked, this, &QWidget::hide);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addWidget(m_show);
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    setTabOrder(m_text, m_show);
    setTabOrder(m_show, m_next);
    setTabOrder(m_next, m_close);
    // Window-wide keys, whichever control has the focus.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::hide);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { Q_EMIT helpPageRequested(QStringLiteral("index.html")); });
    resize(460, 250);
    chooseTip();
}

void TipWindow::setShowAtStartUp(bool on) {
    const QSignalBlocker block(m_show);
    m_show->setChecked(on);
}

bool TipWindow::showAtStartUp() const {
    return m_show->isChecked();
}

void TipWindow::chooseTip() {
    m_tip = tallowin::chooseTip(*QRandomGenerator::global());
    m_text->setPlainText(coreText(Tips[size_t(m_tip - 1)]));
}

} // namespace tallowin::ui
