#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbSystem.General: one-column lookups and existence checks on any table of the package.
// Table and column names are taken only from the package's own schema; values are compared
// as text (the ...NumYN flag False) or as numbers (True).
class General : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
public:
    using SiblingService::SiblingService;

    // The text of `fldName` in the first row of `TblName` whose `WhereFldName` equals
    // `WhereFldValue` (and `SecondWhereFldName` equals `SecondWhereFldValue` when given);
    // the empty string when there is no such row or the value is null. Callers pass 4, 5 or
    // 8 arguments.
    Q_INVOKABLE virtual QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                            const QVariant &WhereFldValue, bool WhereFldNumYN = false,
                                            const QString &SecondWhereFldName = QString(),
                                            const QVariant &SecondWhereFldValue = QVariant(),
                                            bool SecdWhereFldNumYN = false) = 0;
    // True when `table` holds a row whose `column` equals `value`; False (with ErrDesc
    // saying so) when it does not.
    Q_INVOKABLE virtual bool ExistDocument(const QString &table, const QString &column, const QVariant &value,
                                           bool numeric) = 0;
};

} // namespace orbsales
