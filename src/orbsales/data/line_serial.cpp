#include "orbsales/data/recordset.h"
#include "orbsales/data/scoped_transaction.h"

namespace orbsales {

qint32 nextLineSerial(Connection &connection, const QString &detailTable) {
    Recordset rs;
    rs.open(QStringLiteral("Select max(SL_NO) as MaxNo from ") + detailTable, {}, connection, CursorType::Static);
    const QVariant maxNo = rs.value(u"MaxNo");
    return maxNo.isNull() ? 1 : maxNo.toInt() + 1;
}

} // namespace orbsales
