#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tallowin::test {

// Makes each file in `dir`, holding its own name, so a test can tell where every file went.
// Names are raw bytes (not UTF-8 ones too). A file that exists already fails the test.
void makeFiles(const QByteArray &dir, const QList<QByteArray> &names);
// Makes empty files with the given names in `dir`, for tests that look at names only.
void makeFiles(const QString &dir, const QStringList &names);

// Every entry of `dir` (hidden ones too) with its content, names as raw bytes; a folder shows as
// "<dir>". When `hashed`, a file shows as the SHA-1 of its content (for big folders).
QMap<QByteArray, QByteArray> folderState(const QByteArray &dir, bool hashed = false);

// Removes every file of `dir`: QTemporaryDir cannot remove names that are not UTF-8.
void removeAll(const QByteArray &dir);

} // namespace tallowin::test
