#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

namespace orbsales {

class Recordset;

// A processed document moves from its temporary number to its final one.
//
// The master row takes the final number and identity; the caller then sets what its processing
// marks (processed flag, stamp, ...) and updates the row.
void setFinalNumber(Recordset &master, QStringView numberColumn, QStringView identityColumn, const QString &finalNo,
                    qint32 identity);
// Every line still open in `lines` (the lines of the temporary number) takes the final number
// and the stamp, and is updated. Answers how many lines moved.
int moveLinesToFinalNumber(Recordset &lines, QStringView numberColumn, const QString &finalNo,
                           const QVariant &lastUpdate);

} // namespace orbsales
