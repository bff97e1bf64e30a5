#include "ui/mainwindow.h"

#include "shell/settingsstore.h"
#include "ui/fileselectionpanel.h"
#include "ui/rulearea.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QSizeGrip>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace tallowin::ui {

MainWindow::MainWindow(SettingsStore &settings, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_settings(settings) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tallowin"));
    setAttribute(Qt::WA_StyledBackground, true);
    // Not ClickFocus: a click on a focus-less button (a picker's) must not pull the focus
    // from an open picker list to the window.
    setFocusPolicy(Qt::NoFocus);
    m_dragger = new WindowDragger(this);
    m_dragger->watch(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(buildToolbar());

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("fraBody"));
    m_dragger->watch(body);
    auto *bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(12, 12, 12, 4);
    auto *split = new QSplitter(Qt::Horizontal, body);
    split->setChildrenCollapsible(false);
    m_files = new FileSelectionPanel(settings, errors, split);
    connect(m_files, &FileSelectionPanel::messageRequested, this, &MainWindow::messageRequested);
    split->addWidget(m_files);
    split->addWidget(buildRuleSide(errors));
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({560, 640});
    bodyLayout->addWidget(split);
    layout->addWidget(body, 1);

    auto *foot = new QHBoxLayout;
    foot->setContentsMargins(12, 0, 0, 0);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatusLine"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setAccessibleName(tr("Status"));
    foot->addWidget(m_status, 1);
    auto *grip = new QSizeGrip(this);
    grip->setObjectName(QStringLiteral("grpSize"));
    foot->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
    layout->addLayout(foot);

    m_help = m_ruleArea->helpPages();
    m_help.insert(m_files->helpPages());

    applyStyle();
    // A size for the font; placeAtStart() fits it to the screen.
    const int em = fontMetrics().height();
    resize(76 * em, 47 * em);
}

MainWindow::~MainWindow() = default;

QWidget *MainWindow::buildHeader() {
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("pictHeaderBar"));
    bar->setAttribute(Qt::WA_StyledBackground, true);
    bar->setToolTip(tr("Click here and drag to move this window"));
    bar->setFixedHeight(34);
    auto *h = new QHBoxLayout(bar);
    h->setContentsMargins(12, 0, 12, 0);
    auto *icon = new QLabel(bar);
    ensureResources();
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tallowin.svg")).pixmap(20, 20));
    auto *title = new QLabel(QStringLiteral("Tallowin"), bar);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto *sub = new QLabel(tr("rename many files at once"), bar);
    sub->setObjectName(QStringLiteral("lblSubtitle"));
    h->addWidget(icon);
    h->addWidget(title);
    h->addWidget(sub);
    h->addStretch(1);
    // Without a title bar the window still needs the desktop's minimise and maximise.
    auto *minimise = new QToolButton(bar);
    minimise->setObjectName(QStringLiteral("cmdMinimize"));
    minimise->setText(QStringLiteral("\u2013"));
    minimise->setToolTip(tr("Minimise"));
    minimise->setAutoRaise(true);
    nameControl(minimise, tr("Minimise"));
    connect(minimise, &QToolButton::clicked, this, &QWidget::showMinimized);
    auto *maximise = new QToolButton(bar);
    maximise->setObjectName(QStringLiteral("cmdMaximize"));
    maximise->setText(QStringLiteral("\u25a1"));
    maximise->setToolTip(tr("Maximise or restore (or double-click the title)"));
    maximise->setAutoRaise(true);
    nameControl(maximise, tr("Maximise or restore"));
    connect(maximise, &QToolButton::clicked, this,
            [this] { isMaximized() ? showNormal() : showMaximized(); });
    for (QToolButton *b : {minimise, maximise}) {
        b->setFocusPolicy(Qt::NoFocus);
        h->addWidget(b);
    }
    m_dragger->watch(bar);
    return bar;
}

QWidget *MainWindow::buildToolbar() {
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("fraTopToolbar"));
    m_dragger->watch(bar);
    auto *h = new QHBoxLayout(bar);
    h->setContentsMargins(12, 6, 12, 6);
    h->setSpacing(4);
    struct Tool {
        const char *button, *label, *caption, *theme, *resource;
        std::function<void()> action;
        bool captionClicks;
    };
    const Tool tools[] = {
        {"cmdStandard", "lblStandard", QT_TR_NOOP("Standard"), "document-edit", "standard",
         [this] { m_ruleArea->switchToStandardView(); }, true},
        {"cmdMP3", "lblMP3", QT_TR_NOOP("MP3 Music"), "audio-x-generic", "mp3",
         [this] { m_ruleArea->switchToMp3View(); }, true},
        {"cmdWizard", "lblWizard", QT_TR_NOOP("Wizard"), "tools-wizard", "wizard",
         [this] { Q_EMIT wizardRequested(); }, true},
        {"cmdFromFile", "lblFromFile", QT_TR_NOOP("From File"), "document-import", "fromfile",
         [this] { Q_EMIT fromFileRequested(); }, true},
        {"cmdUndo", "lblUndo", QT_TR_NOOP("Undo Last Rename"), "edit-undo", "undo",
         [this] { Q_EMIT undoRequested(); }, true},
        // The caption is not a button here: only the picture opens the help.
        {"cmdHelp", "lblHelp", QT_TR_NOOP("Help - F1"), "help-contents", "help",
         [this] { Q_EMIT helpRequested(); }, false},
        {"cmdExit", "lblExit", QT_TR_NOOP("Exit"), "application-exit", "exit",
         [this] { Q_EMIT exitRequested(); }, true},
    };
    for (const Tool &t : tools) {
        auto *cell = new QWidget(bar);
        auto *v = new QVBoxLayout(cell);
        v->setContentsMargins(6, 0, 6, 0);
        v->setSpacing(0);
        auto *b =
            new PictureButton(QLatin1String(t.button), themedIcon(t.theme, t.resource), {}, cell);
        b->setIconSize(QSize(30, 30));
        const QString caption = tr(t.caption);
        b->setToolTip(caption);
        nameControl(b, caption);
        auto *l = new CaptionLabel(QLatin1String(t.label), caption, cell);
        l->setAlignment(Qt::AlignHCenter);
        v->addWidget(b, 0, Qt::AlignHCenter);
        v->addWidget(l, 0, Qt::AlignHCenter);
        connect(b, &QAbstractButton::clicked, this, t.action);
        if (t.captionClicks)
            connect(l, &CaptionLabel::clicked, this, t.action);
        if (QLatin1String(t.button) == QLatin1String("cmdFromFile"))
            h->addSpacing(12);
        if (QLatin1String(t.button) == QLatin1String("cmdExit"))
            h->addStretch(1);
        h->addWidget(cell);
    }
    // Ctrl+Z anywhere in the window; a text box with the focus keeps it for its own text.
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &MainWindow::undoRequested);
    return bar;
}

QWidget *MainWindow::buildRuleSide(ErrorReporter &errors) {
    auto *side = new QWidget(this);
    auto *v = new QVBoxLayout(side);
    v->setContentsMargins(6, 0, 0, 0);
    v->setSpacing(10);
    m_ruleArea = new RuleArea(m_rules, errors, side);
    v->addWidget(m_ruleArea, 1);
    auto *bottom = new QHBoxLayout;
    auto *load = new PictureButton(QStringLiteral("cmdLoad"), themedIcon("document-open", "load"),
                                   tr("&Load Rules"), side);
    auto *save = new PictureButton(QStringLiteral("cmdSave"), themedIcon("document-save", "save"),
                                   tr("&Save Rules"), side);
    m_preview = new PictureButton(QStringLiteral("cmdPreview"),
                                  themedIcon("document-preview", "preview"), tr("&Preview"), side);
    m_preview->setProperty("primary", true);
    m_preview->setToolTip(tr("Show every ticked file's new name before renaming"));
    connect(load, &QAbstractButton::clicked, this, &MainWindow::loadRulesRequested);
    connect(save, &QAbstractButton::clicked, this, &MainWindow::saveRulesRequested);
    connect(m_preview, &QAbstractButton::clicked, this, &MainWindow::preview);
    bottom->addWidget(load);
    bottom->addWidget(save);
    bottom->addStretch(1);
    bottom->addWidget(m_preview);
    v->addLayout(bottom);
    return side;
}

void MainWindow::applyStyle() {
    setStyleSheet(QStringLiteral(R"(
QWidget#frmMain { background: palette(window); border: 1px solid palette(dark); }
QWidget#pictHeaderBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                                                    stop:0 #34495e, stop:1 #2c3e50); }
QWidget#pictHeaderBar QLabel, QWidget#pictHeaderBar QToolButton { color: #ecf0f1; }
QWidget#pictHeaderBar QToolButton { font-size: 12pt; padding: 0 8px; border: none; }
QWidget#pictHeaderBar QToolButton:hover { background: rgba(255, 255, 255, 40); }
QLabel#lblTitle { font-weight: bold; font-size: 11pt; }
QLabel#lblSubtitle { color: #bdc3c7; }
QFrame#fraTopToolbar { background: palette(base); border-bottom: 1px solid palette(midlight); }
QGroupBox { font-weight: bold; border: 1px solid palette(midlight); border-radius: 6px;
  margin-top: 10px; padding-top: 8px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QGroupBox > QWidget { font-weight: normal; }
QLabel[tab="true"] { padding: 6px 14px; border: 1px solid palette(midlight); border-bottom: none;
  border-top-left-radius: 6px; border-top-right-radius: 6px; background: palette(button); }
QLabel[tab="true"][current="true"] { background: palette(base); font-weight: bold; }
QStackedWidget[pageArea="true"], QWidget[pageArea="true"] { background: palette(base);
  border: 1px solid palette(midlight); border-radius: 0 6px 6px 6px; }
QLabel[hint="true"] { font-style: italic; }
QToolButton:focus, QLabel[tab="true"]:focus { border: 2px solid palette(highlight);
  border-radius: 4px; }
QLabel[heading="true"] { font-weight: bold; }
QToolButton[primary="true"] { background: #2e86de; color: white; border-radius: 5px;
  padding: 5px 14px; font-weight: bold; }
QToolButton[primary="true"]:disabled { background: palette(mid); }
QToolButton[primary="true"]:focus { border: 2px solid #17497a; }
)"));
}

void MainWindow::load() {
    m_files->load();
}

QString MainWindow::folder() const {
    return m_files->folder();
}

FileListModel *MainWindow::fileList() const {
    return m_files->model();
}

void MainWindow::displayRules() {
    m_ruleArea->displayRules();
}

void MainWindow::setPreviewRunning(bool running) {
    m_preview->setEnabled(!running);
}

void MainWindow::showStatus(const QString &text) {
    m_status->setText(text);
}

QString MainWindow::status() const {
    return m_status->text();
}

void MainWindow::placeAtStart() {
    const QStringList parts =
        m_settings.setting(Settings::App, Settings::Section, Settings::WindowGeometry).split(u',');
    std::optional<QRect> remembered;
    if (parts.size() == 4) {
        bool ok[4] = {};
        const QRect r(parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]),
                      parts[3].toInt(&ok[3]));
        if (ok[0] && ok[1] && ok[2] && ok[3])
            remembered = r;
    }
    placeOnScreen(this, nullptr, remembered);
}

void MainWindow::closeEvent(QCloseEvent *e) {
    const QRect g = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    if (g.isValid())
        m_settings.saveSetting(
            Settings::App, Settings::Section, Settings::WindowGeometry,
            QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
    QWidget::closeEvent(e);
}

void MainWindow::preview() {
    if (m_preview->isEnabled())
        Q_EMIT previewRequested();
}

void MainWindow::keyPressEvent(QKeyEvent *e) {
    if (e->key() != Qt::Key_F1) {
        QWidget::keyPressEvent(e);
        return;
    }
    // The help page of the control that has the focus, or of the window itself.
    QWidget *w = QApplication::focusWidget();
    if (!w || w == this) {
        Q_EMIT helpPageRequested(QStringLiteral("index.html"));
        return;
    }
    for (; w && w != this; w = w->parentWidget()) {
        const auto it = m_help.constFind(w->objectName());
        if (it != m_help.constEnd()) {
            Q_EMIT helpPageRequested(*it);
            return;
        }
    }
}

} // namespace tallowin::ui
