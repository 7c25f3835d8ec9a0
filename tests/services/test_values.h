#pragma once

#include "orbsales/data/schema.h"
#include "orbsales/values/numbers.h"
#include "support/test_database.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>
#include <QStringList>
#include <ostream>
#include <type_traits>

// Failed comparisons show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace orbsales::testing {

// Sets properties by name, in the order given, as a front end does:
// assign(object, "Name", value, "Other", value, ...). A name the object does not publish fails.
inline void assign(QObject &) {}
template <typename Value, typename... Rest>
void assign(QObject &object, const char *name, const Value &value, const Rest &...rest) {
    static_assert(!std::is_pointer_v<Value> || std::is_same_v<Value, const char *>,
                  "objects are handed over with their setter");
    EXPECT_TRUE(object.setProperty(name, QVariant(value))) << name;
    assign(object, rest...);
}

// What of `members` an object does not publish as its callers use it by name: "Name" a property
// they may set, "Name!" one they may only read, "Name()" an operation. Empty when all is there.
inline QStringList unpublished(const QObject &object, const char *members) {
    const QMetaObject *meta = object.metaObject();
    QStringList missing;
    for (const QString &member : QString::fromLatin1(members).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool found = false;
        if (member.endsWith(QStringLiteral("()"))) {
            for (int i = 0; i < meta->methodCount() && !found; ++i)
                found = meta->method(i).name() == member.chopped(2).toLatin1();
        } else {
            const bool readOnly = member.endsWith(QLatin1Char('!'));
            const int index = meta->indexOfProperty((readOnly ? member.chopped(1) : member).toLatin1().constData());
            found = index >= 0 && meta->property(index).isWritable() != readOnly;
        }
        if (!found)
            missing << member;
    }
    return missing;
}

// Rows of one table as text, so a test compares whole rows at once on either engine: NULL as
// "NULL", numbers and flags in their shortest text, dates as "yyyy-MM-dd hh:mm". The columns
// may be expressions.
inline QList<QStringList> rowsOf(TestDatabase &db, const QString &table, const QString &columns,
                                 const QString &rest = {}, const QVariantList &values = {}) {
    using schema::ColumnType;
    const schema::Table *definition = schema::Schema::instance().table(table);
    const Connection::Result result =
        db.connection().select(QStringLiteral("Select %1 from %2 %3").arg(columns, table, rest), values);
    QList<QStringList> rows;
    for (const QVariantList &row : result.rows) {
        QStringList texts;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const schema::Column *column = definition ? definition->column(result.columns.at(i)) : nullptr;
            // An expression (count, sum) of a number is a number too.
            const ColumnType type = column                                      ? column->type
                                    : numbers::isNumberType(row.at(i).typeId()) ? ColumnType::Double
                                                                                : ColumnType::Text;
            const QVariant value = schema::fromDatabase(type, row.at(i));
            texts << (value.isNull()             ? QStringLiteral("NULL")
                      : type == ColumnType::Text ? value.toString()
                      : type == ColumnType::Date ? value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                                                 : numbers::numberText(value.toDouble()));
        }
        rows << texts;
    }
    return rows;
}

// The first such row, or an empty list when there is none.
inline QStringList rowOf(TestDatabase &db, const QString &table, const QString &columns, const QString &rest = {},
                         const QVariantList &values = {}) {
    return rowsOf(db, table, columns, rest, values).value(0);
}

} // namespace orbsales::testing
