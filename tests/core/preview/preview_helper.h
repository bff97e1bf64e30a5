#pragma once

#include "engine/ruletable.h"
#include "preview/previewbuilder.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

namespace tallowin::test {

// A rule table from "KIND|P1|...|DESCRIPTION" lines.
RuleTable rulesFrom(const QStringList &lines);

// Rows written "1|old|new" (ticked) or "0|old|new".
std::vector<PreviewEntry> rowsFrom(const QStringList &rows);
QStringList rowsText(const std::vector<PreviewEntry> &rows);

// Creates each file in `dir` with its own name as content (names are raw bytes).
void makeFiles(const QByteArray &dir, const QList<QByteArray> &names);
// Every entry of `dir` with its content; folders show as "<dir>".
QMap<QByteArray, QByteArray> folderState(const QByteArray &dir);

} // namespace tallowin::test
