#include "shell/errorreport.h"

#include <cstring>

namespace tallowin {

QString errorText(qint32 number) {
    switch (number) {
    case ErrorNumbers::InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumbers::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumbers::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case ErrorNumbers::TypeMismatch:
        return QStringLiteral("Type mismatch");
    default:
        // Other numbers are operating-system error numbers.
        return QString::fromLocal8Bit(std::strerror(number));
    }
}

} // namespace tallowin
