#pragma once

#include "orbsales/data/operation_scope.h"
#include "orbsales/frame/error_trap.h"
#include "orbsales/frame/property.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <type_traits>
#include <utility>

namespace orbsales {

// What every business object shares: the text of its last failure, the error trap that turns
// an unexpected failure into that text and a false result, and the notification signal that
// stands in for message boxes (the library never blocks on a dialog).
//
// Each class declares its own ErrDesc property (String in most classes, Variant in some), over
// the text kept here. ErrDesc is never cleared by a success.
//
// AtomicFlag (off by default) makes every public operation all-or-nothing: it runs in one
// transaction, committed when it answers True, rolled back when it answers False or raises
// (data/operation_scope.h). Off, completed steps stay written when a later step fails, as the
// package always has. The switch lives at the operation boundary, trapped() and untrapped(),
// so a class needs no code of its own for it.
class BusinessObject : public QObject {
    Q_OBJECT
    ORB_PROPERTY(bool, AtomicFlag)
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
    // The operation boundary: with AtomicFlag set (or inside another all-or-nothing operation)
    // the body runs in one transaction; a commit that fails is ErrDesc := its text and false.
    template <typename Body> bool trapped(Body &&body) {
        OperationScope scope(m_AtomicFlag);
        adoptConnections(scope);
        const bool answered = trapErrors(m_errDesc, std::forward<Body>(body));
        return finishOperation(scope, answered);
    }
    // The boundary of an operation without an error trap of its own: the switch applies the same
    // way, and an unexpected error reaches the caller as it is, after the operation's writes are
    // rolled back. A Boolean answer decides commit or rollback; any other answer commits.
    template <typename Body> auto untrapped(Body &&body) -> decltype(body()) {
        OperationScope scope(m_AtomicFlag);
        adoptConnections(scope);
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            scope.finish(true);
        } else {
            auto answer = body();
            if constexpr (std::is_same_v<decltype(answer), bool>)
                scope.finish(answer);
            else
                scope.finish(true);
            return answer;
        }
    }

private:
    // The caller's connections handed in through the object's connection properties: a
    // connection string naming the same database uses their session inside the operation.
    void adoptConnections(OperationScope &scope) const;
    bool finishOperation(OperationScope &scope, bool answered);

    QString m_errDesc;
};

} // namespace orbsales
