#pragma once

#include "orbsales/data/schema.h"

#include <QString>
#include <QStringList>

// Short builders for the table descriptions of tables_*.cpp. Text columns whose names end in
// "_No", "_Code" or "_Prefix" are keys by the schema's own rule (schema.h).
namespace orbsales::schema::columns {

inline Column text(const char *name, bool notNull = false) { return {QString::fromLatin1(name), ColumnType::Text, notNull}; }
inline Column number(const char *name) { return {QString::fromLatin1(name), ColumnType::Double}; }
// A quantity that later documents add to: starts at 0, never NULL.
inline Column quantity(const char *name) { return {QString::fromLatin1(name), ColumnType::Double, false, true}; }
inline Column whole(const char *name) { return {QString::fromLatin1(name), ColumnType::Long}; }
inline Column flag(const char *name) { return {QString::fromLatin1(name), ColumnType::Flag}; }
inline Column date(const char *name) { return {QString::fromLatin1(name), ColumnType::Date}; }

inline Index index(const QString &table, const char *suffix, QStringList columns, bool unique = false) {
    return {QStringLiteral("IX_%1_%2").arg(table, QString::fromLatin1(suffix)), std::move(columns), unique};
}

} // namespace orbsales::schema::columns
