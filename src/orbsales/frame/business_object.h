#pragma once

#include "orbsales/frame/error_trap.h"
#include "orbsales/frame/property.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <utility>

namespace orbsales {

// What every business object shares: the text of its last failure, the error trap that turns
// an unexpected failure into that text and a false result, and the notification signal that
// stands in for message boxes (the library never blocks on a dialog).
//
// Each class declares its own ErrDesc property (String in most classes, Variant in some), over
// the text kept here. ErrDesc is never cleared by a success.
class BusinessObject : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // A message the package would have shown in a box; `buttons` as the box would offer
    // them ("OK", "YesNo"), `icon` the box's icon ("Information", or empty for none). A front
    // end may connect and show it; nobody waits for an answer.
    void notification(const QString &message, const QString &title, const QString &buttons, const QString &icon);

protected:
    const QString &errorText() const { return m_errDesc; }
    void setErrDesc(const QString &text) { m_errDesc = text; }
    // Where a shared step leaves its failure text (a sibling's ErrDesc, copied unchanged).
    QString &errDescTarget() { return m_errDesc; }
    // Validation failures: set the fixed message and answer false, in one statement.
    bool fail(const QString &message) {
        m_errDesc = message;
        return false;
    }

    // The error trap: runs an operation body returning bool. An unexpected error becomes
    // ErrDesc := its text and false; what the body opened is released by its own destructors.
    template <typename Body> bool trapped(Body &&body) { return trapErrors(m_errDesc, std::forward<Body>(body)); }

private:
    QString m_errDesc;
};

} // namespace orbsales
