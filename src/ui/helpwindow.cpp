#include "ui/helpwindow.h"

#include "ui/chrome.h"
#include "ui/helpopener.h"
#include "ui/site.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {

QLabel *label(const char *name, const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

QString link(const QUrl &url) {
    const QString shown = url.toDisplayString().toHtmlEscaped();
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(QString::fromUtf8(url.toEncoded()).toHtmlEscaped(), shown);
}

} // namespace

QString HelpWindow::versionLine() {
    return tr("You are currently using version: %1").arg(QStringLiteral(TALLOWIN_VERSION));
}

QUrl HelpWindow::issuesUrl() {
    return siteUrl(QStringLiteral("/issues"));
}

QUrl HelpWindow::newsUrl() {
    return siteUrl(QStringLiteral("/products/tallowin/showwhatsnew.asp"));
}

HelpWindow::HelpWindow(HelpOpener &opener, QWidget *parent) : QWidget(parent), m_opener(opener) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Tallowin - Help"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(new HeaderBar(tr("Help"), this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(8);
    body->addWidget(label("Label1",
                          tr("Thank you for using the Tallowin.  Should you need any "
                             "assistance with this product, please feel free to "
                             "contact our technical support at any one of the "
                             "options below, or click the SHOW HELP button to see "
                             "detailed help relating to this software."),
                          this));
    QLabel *version = label("lblVersion", versionLine(), this);
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->addWidget(version);
    QLabel *free = label("Label2", tr("Free Support Options:"), this);
    free->setProperty("heading", true);
    body->addWidget(free);
    body->addWidget(label("Label3",
                          tr("The web site and its help are there at any hour; "
                             "reports on the issue tracker are answered on working "
                             "days."),
                          this));
    QLabel *site = label("Label4", tr("Web site: %1").arg(link(siteBaseUrl())), this);
    QLabel *issues = label("Label5", tr("Issue tracker: %1").arg(link(issuesUrl())), this);
    for (QLabel *l : {site, issues}) {
        l->setTextFormat(Qt::RichText);
        // The links open through the same road as the help, so a missing browser is told.
        l->setTextInteractionFlags(Qt::TextBrowserInteraction);
        l->setFocusPolicy(Qt::StrongFocus);
        connect(l, &QLabel::linkActivated, this,
                [this](const QString &href) { m_opener.openUrl(QUrl(href)); });
        body->addWidget(l);
    }
    site->setAccessibleName(tr("Web site"));
    issues->setAccessibleName(tr("Issue tracker"));
    QLabel *pages = label("Label6",
                          tr("Help pages on this computer: %1")
                              .arg(QDir::toNativeSeparators(HelpOpener::helpFolder())),
                          this);
    pages->setTextFormat(Qt::PlainText);
    pages->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->addWidget(pages);
    layout->addLayout(body, 1);

    auto *help = makeButton(QStringLiteral("cmdHelp"), tr("&Show Help"), this, true);
    auto *news = makeButton(QStringLiteral("cmdVersion"), tr("&Version News"), this);
    auto *cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    help->setAccessibleName(tr("Show Help"));
    news->setAccessibleName(tr("Version News"));
    cancel->setAccessibleName(tr("Cancel"));
    help->setToolTip(tr("Open the help pages in your browser"));
    news->setToolTip(tr("Read what is new in each version on the web site"));
    help->setDefault(true);
    connect(help, &QPushButton::clicked, this,
            [this] { m_opener.openPage(QStringLiteral("index.html")); });
    connect(news, &QPushButton::clicked, this, [this] { m_opener.openUrl(newsUrl()); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(news);
    buttons->addWidget(help);
    layout->addLayout(buttons);

    setStyleSheet(styleSheet() + QStringLiteral("QLabel[heading=\"true\"] { font-weight: bold; }"));
    setMinimumWidth(460);
    resize(520, 340);
}

void HelpWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        m_opener.openPage(QStringLiteral("index.html"));
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tallowin::ui
