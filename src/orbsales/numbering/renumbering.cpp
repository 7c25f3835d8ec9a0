#include "orbsales/numbering/renumbering.h"

#include "orbsales/data/recordset.h"

namespace orbsales {

void setFinalNumber(Recordset &master, QStringView numberColumn, QStringView identityColumn, const QString &finalNo,
                    qint32 identity) {
    master.setValue(numberColumn, finalNo);
    master.setValue(identityColumn, identity);
}

int moveLinesToFinalNumber(Recordset &lines, QStringView numberColumn, const QString &finalNo,
                           const QVariant &lastUpdate) {
    int moved = 0;
    for (; !lines.eof(); lines.moveNext(), ++moved) {
        lines.setValue(numberColumn, finalNo);
        lines.setValue(u"Last_Update", lastUpdate);
        lines.update();
    }
    return moved;
}

} // namespace orbsales
