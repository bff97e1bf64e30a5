#include "shell/errorreport.h"

#include <cstring>

namespace tallowin {

ErrorReport ErrorReport::program(qint32 location, qint32 number) {
    return program(location, number, errorText(number));
}

ErrorReport ErrorReport::program(qint32 location, qint32 number, const QString &description) {
    return ErrorReport{location, number, description, ErrorOrigin::Program};
}

ErrorReport ErrorReport::system(qint32 location, int errnoValue) {
    return system(location, errnoValue, systemErrorText(errnoValue));
}

ErrorReport ErrorReport::system(qint32 location, int errnoValue, const QString &description) {
    return ErrorReport{location, qint32(errnoValue), description, ErrorOrigin::System};
}

QString errorText(qint32 number) {
    using namespace ErrorNumbers;
    switch (number) {
    case InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case BadFileName:
        return QStringLiteral("Bad file name or number");
    case FileNotFound:
        return QStringLiteral("File not found");
    case FileAlreadyOpen:
        return QStringLiteral("File already open");
    case FileAlreadyExists:
        return QStringLiteral("File already exists");
    case DeviceUnavailable:
        return QStringLiteral("Device unavailable");
    case PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case PathNotFound:
        return QStringLiteral("Path not found");
    default:
        return QStringLiteral("Application-defined or object-defined error");
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
