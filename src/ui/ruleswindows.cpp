#include "ui/ruleswindows.h"

#include "rulesfile/rulesfile.h"
#include "ui/chrome.h"
#include "ui/folderpicker.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {
const QString HelpPage = QStringLiteral("index.html");
} // namespace

RulesFileWindow::RulesFileWindow(const QString &objectName, const QString &title,
                                 const QString &folderCaption, QWidget *parent)
    : QWidget(parent) {
    setObjectName(objectName);
    setWindowTitle(tr("Tallowin - %1").arg(title));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(new HeaderBar(title, this));

    m_body = new QVBoxLayout;
    m_body->setContentsMargins(16, 4, 16, 4);
    m_body->setSpacing(8);
    auto *caption = new QLabel(folderCaption, this);
    caption->setObjectName(QStringLiteral("lblSelectDirectory"));
    m_body->addWidget(caption);
    m_picker = new FolderPicker(folderCaption, this);
    caption->setBuddy(m_picker->path());
    connect(m_picker, &FolderPicker::folderChanged, this, &RulesFileWindow::listFiles);
    connect(m_picker, &FolderPicker::messageRequested, this, &RulesFileWindow::messageRequested);
    m_body->addLayout(m_picker->makeLayout());

    m_model = new QStandardItemModel(0, 1, this);
    m_model->setHorizontalHeaderLabels({tr("File Name")});
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("lstFiles"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setToolTip(tr("The rules files of the folder"));
    m_list->setAccessibleName(tr("Rules files"));
    m_list->header()->setStretchLastSection(true);
    m_body->addWidget(m_list, 1);
    layout->addLayout(m_body, 1);

    m_action = makeButton(QStringLiteral("cmdSave"), title, this, true);
    m_action->setAccessibleName(title);
    m_cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    m_cancel->setAccessibleName(tr("Cancel"));
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::hide);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_action);
    layout->addLayout(buttons);
    resize(520, 460);
}

void RulesFileWindow::open(const QString &startFolder) {
    if (!m_opened) {
        m_opened = true;
        setFolder(startFolder); // lists it
    } else {
        listFiles();
    }
    bringToFront(this);
}

QString RulesFileWindow::folder() const {
    return m_picker->folder();
}

void RulesFileWindow::setFolder(const QString &folder) {
    m_picker->setFolder(folder);
}

void RulesFileWindow::listFiles() {
    const QString keep = selectedName();
    m_model->removeRows(0, m_model->rowCount());
    // Ordinary and read-only files whose extension is .rul in any letter case; hidden ones
    // are left out as in every other listing of the program.
    const QStringList names = QDir(folder()).entryList({QStringLiteral("*.rul")}, QDir::Files,
                                                       QDir::Name | QDir::IgnoreCase);
    int select = names.isEmpty() ? -1 : 0;
    for (const QString &name : names) {
        if (name == keep)
            select = m_model->rowCount();
        auto *item = new QStandardItem(name);
        item->setToolTip(QDir(folder()).filePath(name));
        m_model->appendRow(item);
    }
    if (select >= 0)
        m_list->setCurrentIndex(m_model->index(select, 0));
}

QStringList RulesFileWindow::listedNames() const {
    QStringList names;
    for (int i = 0; i < m_model->rowCount(); ++i)
        names << m_model->item(i)->text();
    return names;
}

QString RulesFileWindow::selectedName() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
}

void RulesFileWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        Q_EMIT helpPageRequested(HelpPage);
        return;
    }
    QWidget::keyPressEvent(event);
}

// Marked here, translated where shown: translators load after these are made.
const QString SaveRulesWindow::NoNameMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::ui::SaveRulesWindow",
    "You must select a file name to save to, do not include an extension for this file name."));
const QString SaveRulesWindow::SavedMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::ui::SaveRulesWindow", "Your rules file has been successfully saved."));
const QString SaveRulesWindow::NoRulesMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::ui::SaveRulesWindow", "There are no rules to save yet: add a rule first."));

SaveRulesWindow::SaveRulesWindow(ErrorReporter &errors, QWidget *parent)
    : RulesFileWindow(QStringLiteral("frmSaveRules"), tr("Save Rules"),
                      tr("Select Location To Save To"), parent),
      m_errors(errors) {
    auto *caption = new QLabel(tr("File Name To Save As"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtFileName"));
    m_name->setAccessibleName(caption->text());
    m_name->setToolTip(tr("The name to save the rules under; .rul is added to it"));
    caption->setBuddy(m_name);
    body()->addWidget(caption);
    body()->addWidget(m_name);
    // Choosing a listed file offers its name, so saving over it takes one click.
    auto offer = [this](const QModelIndex &index) {
        QString name = index.data().toString();
        name.chop(4); // ".rul", in whatever letter case it was listed
        m_name->setText(name);
    };
    connect(list(), &QAbstractItemView::clicked, this, offer);
    connect(list(), &QAbstractItemView::activated, this, offer);
    connect(m_name, &QLineEdit::returnPressed, this, &SaveRulesWindow::save);
    connect(actionButton(), &QPushButton::clicked, this, &SaveRulesWindow::save);
    setTabOrder(list(), m_name);
}

bool SaveRulesWindow::save() {
    const QString baseName = m_name->text();
    if (baseName.trimmed().isEmpty()) {
        Q_EMIT messageRequested(tr(qUtf8Printable(NoNameMessage)));
        return false;
    }
    const RuleTable rules = m_rules ? m_rules() : RuleTable();
    // The rules may have been cleared while the window was open: an empty file written over
    // a kept one would lose it.
    if (rules.slot(1).isFree()) {
        Q_EMIT messageRequested(tr(qUtf8Printable(NoRulesMessage)));
        return false;
    }
    const RulesFile::WriteResult written =
        RulesFile::write(folder(), baseName, rules, m_errors, m_fs ? *m_fs : FileSystem::system());
    switch (written.outcome) {
    case RulesFile::WriteOutcome::Written:
        listFiles();
        Q_EMIT messageRequested(tr(qUtf8Printable(SavedMessage)));
        hide();
        return true;
    case RulesFile::WriteOutcome::InUse:
        Q_EMIT messageRequested(written.message);
        return false;
    case RulesFile::WriteOutcome::Failed:
        break; // the error window has the system's reason
    }
    return false;
}

const QString LoadRulesWindow::NoFilesMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::ui::LoadRulesWindow", "Please select a file to load these rules from."));
const QString LoadRulesWindow::NoNameMessage = QStringLiteral(
    QT_TRANSLATE_NOOP("tallowin::ui::LoadRulesWindow", "You must select a file name to load."));
const QString LoadRulesWindow::WrongTypeMessage = QStringLiteral(
    QT_TRANSLATE_NOOP("tallowin::ui::LoadRulesWindow",
                      "You have selected an invalid file type, please select only .RUL files."));
const QString LoadRulesWindow::LoadedMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::ui::LoadRulesWindow", "Your rules file has been successfully loaded."));

LoadRulesWindow::LoadRulesWindow(ErrorReporter &errors, QWidget *parent)
    : RulesFileWindow(QStringLiteral("frmLoadRules"), tr("Load Rules"),
                      tr("Select Location To Load From"), parent),
      m_errors(errors) {
    auto *caption = new QLabel(tr("Select File To Load"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    caption->setBuddy(list());
    // Above the list it names.
    body()->insertWidget(body()->indexOf(list()), caption);
    connect(list(), &QAbstractItemView::activated, this, &LoadRulesWindow::load);
    connect(actionButton(), &QPushButton::clicked, this, &LoadRulesWindow::load);
}

bool LoadRulesWindow::load() {
    if (listedNames().isEmpty()) {
        Q_EMIT messageRequested(tr(qUtf8Printable(NoFilesMessage)));
        return false;
    }
    const QString name = selectedName();
    if (name.isEmpty()) {
        Q_EMIT messageRequested(tr(qUtf8Printable(NoNameMessage)));
        return false;
    }
    if (name.right(4).toLower() != u".rul") {
        Q_EMIT messageRequested(tr(qUtf8Printable(WrongTypeMessage)));
        return false;
    }
    // Read into a table of its own: a file that cannot be read leaves the current rules as
    // they were instead of an emptied list.
    RuleTable rules;
    const QString path = RulesFile::joinFolder(folder(), name);
    std::vector<RulesFile::SkippedLine> skipped;
    if (!RulesFile::readKnownRules(path, rules, m_errors, skipped))
        return false;
    Q_EMIT rulesLoaded(rules);
    // Lines left out are named in place of the plain "loaded": one message says both.
    Q_EMIT messageRequested(skipped.empty() ? tr(qUtf8Printable(LoadedMessage))
                                            : RulesFile::skippedMessage(path, skipped));
    hide();
    return true;
}

} // namespace tallowin::ui
