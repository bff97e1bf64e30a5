#pragma once

#include <QDialog>

namespace tallowin::ui {

// Shows what `tallowin-cli --help` prints, for a user who starts it from the desktop menu,
// where a terminal's output would be seen by nobody.
class CommandLineHelpWindow : public QDialog {
    Q_OBJECT
public:
    // `cliProgram`: the command-line program to ask for its help.
    explicit CommandLineHelpWindow(const QString &cliProgram, QWidget *parent = nullptr);
};

// The command-line program installed or built beside the running program.
QString cliProgramBeside();

} // namespace tallowin::ui
