#include "shell/errorreport.h"

#include <cstring>

namespace tallowin {

ErrorReport ErrorReport::program(qint32 location, qint32 number) {
    return program(location, number, errorText(number));
}

ErrorReport ErrorReport::program(qint32 location, qint32 number, const QString &description) {
    return ErrorReport{location, number, description, ErrorOrigin::Program, {}};
}

ErrorReport ErrorReport::system(qint32 location, int errnoValue) {
    return system(location, errnoValue, systemErrorText(errnoValue));
}

ErrorReport ErrorReport::system(qint32 location, int errnoValue, const QString &description) {
    return ErrorReport{location, qint32(errnoValue), description, ErrorOrigin::System, {}};
}

// The reports keep these texts as written (they are sent as they are); the error window shows
// them translated.
QString errorText(qint32 number) {
    using namespace ErrorNumbers;
    switch (number) {
    case InvalidProcedureCall:
        return QStringLiteral(
            QT_TRANSLATE_NOOP("tallowin::core", "Invalid procedure call or argument"));
    case Overflow:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Overflow"));
    case SubscriptOutOfRange:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Subscript out of range"));
    case TypeMismatch:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Type mismatch"));
    case BadFileName:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Bad file name or number"));
    case FileNotFound:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "File not found"));
    case FileAlreadyOpen:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "File already open"));
    case FileAlreadyExists:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "File already exists"));
    case DeviceUnavailable:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Device unavailable"));
    case PathFileAccessError:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Path/File access error"));
    case PathNotFound:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Path not found"));
    default:
        return QStringLiteral(
            QT_TRANSLATE_NOOP("tallowin::core", "Application-defined or object-defined error"));
    }
}

QString systemErrorText(int errnoValue) {
    // strerror_r (GNU form) never shares a buffer with another thread; listings and previews
    // report from several.
    char buffer[256];
    return QString::fromLocal8Bit(::strerror_r(errnoValue, buffer, sizeof buffer));
}

QString errorText(qint32 number, ErrorOrigin origin) {
    return origin == ErrorOrigin::System ? systemErrorText(number) : errorText(number);
}

} // namespace tallowin
