#pragma once

#include "engine/ruletable.h"
#include "preview/previewbuilder.h"
#include "support/files.h"

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

} // namespace tallowin::test
