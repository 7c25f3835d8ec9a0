#include "orbsales/frame/business_object.h"

#include "orbsales/data/connection.h"

#include <QHash>
#include <QList>
#include <QMetaProperty>

namespace orbsales {

namespace {

// The indices of a class's properties that hold a connection object, found once per class.
const QList<int> &connectionProperties(const QMetaObject &type) {
    thread_local QHash<const QMetaObject *, QList<int>> known;
    auto found = known.constFind(&type);
    if (found != known.constEnd())
        return *found;
    QList<int> indices;
    for (int i = QObject::staticMetaObject.propertyCount(); i < type.propertyCount(); ++i) {
        const QMetaObject *holds = type.property(i).metaType().metaObject();
        if (holds != nullptr && holds->inherits(&Connection::staticMetaObject))
            indices << i;
    }
    return *known.insert(&type, indices);
}

} // namespace

void BusinessObject::adoptConnections(OperationScope &scope) const {
    if (!scope.isOpen())
        return;
    const QMetaObject &type = *metaObject();
    for (const int index : connectionProperties(type))
        scope.adopt(qobject_cast<Connection *>(type.property(index).read(this).value<QObject *>()));
}

bool BusinessObject::finishOperation(OperationScope &scope, bool answered) {
    if (!scope.isOpen())
        return answered;
    try {
        scope.finish(answered);
    } catch (const OrbError &error) {
        if (answered) {
            m_errDesc = error.description();
            return false;
        }
    }
    return answered;
}

} // namespace orbsales
