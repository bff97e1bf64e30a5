#include "ui/startoptions.h"

#include "shell/programfolder.h"

#include <QFileInfo>

namespace tallowin::ui {

StartOptions parseStartOptions(const QStringList &args) {
    StartOptions o;
    bool optionsEnd = false;
    for (const QString &arg : args) {
        if (!optionsEnd && arg == u"--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && arg.startsWith(u'-') && arg.size() > 1) {
            StartOptions::Action action = StartOptions::Action::BadUsage;
            if (arg == u"--help" || arg == u"-h")
                action = StartOptions::Action::Help;
            else if (arg == u"--version")
                action = StartOptions::Action::Version;
            else if (arg == u"--command-line-help")
                action = StartOptions::Action::CommandLineHelp;
            else if (arg == u"--check-install")
                action = StartOptions::Action::CheckInstall;
            if (action == StartOptions::Action::BadUsage) {
                o.action = action;
                o.error = QStringLiteral("unknown option %1").arg(arg);
                return o;
            }
            // Help and version win over anything else on the line, as they print and stop.
            if (o.action == StartOptions::Action::Start ||
                (action == StartOptions::Action::Help || action == StartOptions::Action::Version))
                o.action = action;
            continue;
        }
        const QFileInfo info(arg);
        if (info.isDir() && o.folder.isEmpty())
            o.folder = info.absoluteFilePath();
        else if (!info.isDir() && arg.endsWith(QStringLiteral(".rul"), Qt::CaseInsensitive) &&
                 o.rulesFile.isEmpty())
            o.rulesFile = info.absoluteFilePath();
        else
            o.ignored << arg;
    }
    return o;
}

QString startUsage() {
    return QStringLiteral(
               "Usage: tallowin [OPTION] [FOLDER] [RULES.rul]\n"
               "Renames many files at once. Opens on FOLDER (else the folder used last) with the\n"
               "rules of RULES.rul loaded (else none).\n"
               "\n"
               "Options:\n"
               "  --help               print this text and quit\n"
               "  --version            print the version and quit\n"
               "  --command-line-help  show the help of tallowin-cli in a window\n"
               "  --check-install      start up, print where the help pages and the rules are,\n"
               "                       and quit; exit status 1 when the help pages are missing\n"
               "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
               "\n"
               "Help pages: %1\n"
               "Without windows: tallowin-cli --help\n")
        .arg(helpFolder());
}

} // namespace tallowin::ui
