#include "ui/commandlinehelpwindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {

QString helpText(const QString &cliProgram) {
    QProcess cli;
    cli.start(cliProgram, {QStringLiteral("--help")});
    if (!cli.waitForFinished(10000) || cli.exitStatus() != QProcess::NormalExit ||
        cli.exitCode() != 0)
        return CommandLineHelpWindow::tr("The command-line program %1 could not be run: %2")
            .arg(cliProgram, cli.errorString());
    return QString::fromLocal8Bit(cli.readAllStandardOutput());
}

} // namespace

QString cliProgramBeside() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tallowin-cli"));
}

CommandLineHelpWindow::CommandLineHelpWindow(const QString &cliProgram, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmCommandLineHelp"));
    setWindowTitle(tr("Tallowin Command Line Help"));
    auto *text = new QPlainTextEdit(helpText(cliProgram), this);
    text->setObjectName(QStringLiteral("txtCommandLineHelp"));
    text->setAccessibleName(tr("Command line help"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAccessibleName(tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(760, 520);
    close->setFocus();
}

} // namespace tallowin::ui
