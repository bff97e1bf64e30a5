#include "shell/failurereason.h"

#include "shell/errorreport.h"

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
        return QStringLiteral("a file with that name already exists");
    case ENOENT:
        return QStringLiteral("the file no longer exists");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied");
    case EROFS:
        return QStringLiteral("the file system is read-only");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("the file is in use");
    case ENAMETOOLONG:
        return QStringLiteral("the new name is too long");
    case EILSEQ:
        return QStringLiteral("the file system does not accept the new name");
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
        return QStringLiteral("the new name is empty");
    if (bytes == "." || bytes == "..")
        return QStringLiteral("the new name cannot be \"%1\"").arg(QLatin1String(bytes));
    if (bytes.contains('/'))
        return QStringLiteral("the new name holds \"/\"");
    if (bytes.contains('\0'))
        return QStringLiteral("the new name holds a null character");
    if (bytes.size() > NameMax)
        return QStringLiteral("the new name is too long (%1 bytes, at most %2)")
            .arg(bytes.size())
            .arg(NameMax);
    return {};
}

} // namespace tallowin
