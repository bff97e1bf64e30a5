#include "shell/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace tallowin {

QString programFolderFor(const QString &executableDir) {
    // Set by the build from the install layout (bin -> share/tallowin, "../share/tallowin").
    const QString installed =
        QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral(TALLOWIN_DATA_FROM_BIN)));
    if (QFileInfo(installed).isDir())
        return installed;
    return executableDir;
}

QString programFolder() {
    const QString home = qEnvironmentVariable("TALLOWIN_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    if (QCoreApplication::instance())
        return programFolderFor(QCoreApplication::applicationDirPath());
    return QDir::currentPath();
}

bool programFolderIsInstalled() {
    if (!qEnvironmentVariable("TALLOWIN_HOME").isEmpty() || !QCoreApplication::instance())
        return false;
    const QString exe = QCoreApplication::applicationDirPath();
    return programFolderFor(exe) != exe;
}

QString helpFolder() {
    return QDir(programFolder()).filePath(QStringLiteral("help"));
}

namespace {

QString dataRulesFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/tallowin/rules");
}

// Makes `path` and the folders above it that are missing, as mkdir -p does. 0, or the errno of
// the step that failed (QDir::mkpath keeps it to itself).
int makePath(const QString &path) {
    const QByteArray name = QFile::encodeName(QDir::cleanPath(path));
    for (qsizetype at = 1; at <= name.size(); ++at) {
        if (at < name.size() && name[at] != '/')
            continue;
        const QByteArray step = name.left(at);
        if (::mkdir(step.constData(), 0777) == 0)
            continue;
        const int err = errno;
        struct stat st {};
        if (err == EEXIST && ::stat(step.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        return err == EEXIST ? ENOTDIR : err;
    }
    return 0;
}

} // namespace

RulesFolderResult ensureRulesFolder(const QString &programDir, bool mayCreate) {
    RulesFolderResult r;
    const QString beside = QDir(programDir).filePath(QStringLiteral("rules"));
    const QFileInfo info(beside);
    // Anything of that name counts, as a file named `rules` blocks the folder anyway.
    if (info.exists() || info.isSymLink()) {
        r.path = beside;
        return r;
    }
    if (mayCreate && QFileInfo(programDir).isWritable() && QDir().mkpath(beside)) {
        r.path = beside;
        return r;
    }
    const QString fallback = dataRulesFolder();
    r.path = fallback;
    r.errorNumber = makePath(fallback);
    if (r.errorNumber == 0)
        return r;
    r.ok = false;
    r.error = QCoreApplication::translate("tallowin::core", "Cannot create the rules folder %1")
                  .arg(fallback);
    return r;
}

} // namespace tallowin
