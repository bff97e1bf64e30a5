#pragma once

#include <QByteArray>
#include <QString>

namespace tallowin {

// Why a file-system call failed, in words a user reads: "permission denied", "the file system
// is read-only", "the file is in use" (only for a file held busy), otherwise the system's own
// text. The window and the command line tell a failure with these same words.
QString failureReason(int errnoValue);

// Why `bytes` cannot be a new file name ("the new name is too long", ...), or an empty
// string when it can.
QString nameProblem(const QByteArray &bytes);

} // namespace tallowin
