#include "shell/failurereason.h"

#include "shell/errorreport.h"

#include <QCoreApplication>

#include <cerrno>

namespace tallowin {

namespace {
// Longest file name the Linux file systems take, in bytes.
constexpr qsizetype NameMax = 255;
} // namespace

QString failureReason(int e) {
    switch (e) {
    case EEXIST:
    case ENOTEMPTY:
        return QCoreApplication::translate("tallowin::core",
                                           "a file with that name already exists");
    case ENOENT:
        return QCoreApplication::translate("tallowin::core", "the file no longer exists");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("tallowin::core", "permission denied");
    case EROFS:
        return QCoreApplication::translate("tallowin::core", "the file system is read-only");
    case EBUSY:
    case ETXTBSY:
        return QCoreApplication::translate("tallowin::core", "the file is in use");
    case ENAMETOOLONG:
        return QCoreApplication::translate("tallowin::core", "the new name is too long");
    case EILSEQ:
        return QCoreApplication::translate("tallowin::core",
                                           "the file system does not accept the new name");
    default: {
        // The system's text reads as part of a sentence: "no space left on device".
        QString text = systemErrorText(e);
        if (text.size() > 1 && text[0].isUpper() && !text[1].isUpper())
            text[0] = text[0].toLower();
        return text;
    }
    }
}

QString nameProblem(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return QCoreApplication::translate("tallowin::core", "the new name is empty");
    if (bytes == "." || bytes == "..")
        return QCoreApplication::translate("tallowin::core", "the new name cannot be \"%1\"")
            .arg(QLatin1String(bytes));
    if (bytes.contains('/'))
        return QCoreApplication::translate("tallowin::core", "the new name holds \"/\"");
    if (bytes.contains('\0'))
        return QCoreApplication::translate("tallowin::core", "the new name holds a null character");
    if (bytes.size() > NameMax)
        return QCoreApplication::translate("tallowin::core",
                                           "the new name is too long (%1 bytes, at most %2)")
            .arg(bytes.size())
            .arg(NameMax);
    return {};
}

} // namespace tallowin
