#pragma once

#include <QString>
#include <QtGlobal>

namespace tallowin {

// The genre name of an ID3 genre number: 0 to 125 from the table, above that "Other", below 0
// the empty text.
QString genreName(qint16 number);

} // namespace tallowin
