#pragma once

#include <QString>
#include <QStringList>

namespace tallowin::ui {

// What the program's command line asks for: `tallowin [OPTION] [FOLDER] [RULES.rul]`.
struct StartOptions {
    enum class Action { Start, Help, Version, CommandLineHelp, CheckInstall, BadUsage };
    Action action = Action::Start;
    QString folder;    // the folder to open on, when a folder was given
    QString rulesFile; // the rules file to load, when one was given
    // Operands that are neither a folder nor a rules file, told to the user once started.
    QStringList ignored;
    QString error; // why, for BadUsage
};

// Reads the arguments after the program name (Qt's own options already taken out). An
// operand is a folder when it names one, and a rules file when it ends in ".rul" (a missing
// one is still taken, so the user is told it cannot be read).
StartOptions parseStartOptions(const QStringList &args);

// The text of `tallowin --help`.
QString startUsage();

} // namespace tallowin::ui
