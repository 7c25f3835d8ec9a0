#pragma once

#include <QString>

namespace orbsales {

// Statement forms of the package's older server database that neither of our engines reads,
// turned into their standard equivalents without changing what they select. Both answer the
// statement unchanged when it is not of the form they handle.
namespace legacy_sql {

// The old outer-join operator: in "Select ... from A X, B Y, C Z Where ... and Z.k =* X.k and
// Z.c = ? and ...", "=*" keeps every row of the right-hand side and "*=" every row of the
// left-hand side. The optional table becomes a LEFT JOIN whose ON clause takes the outer-join
// conditions and every condition on that table alone (the old operator applied those before
// joining); the other tables are cross-joined and keep the rest of the conditions in WHERE.
// Only a FROM list of plain tables and a WHERE of conditions joined by AND are handled, and only
// when the bound values keep their order.
QString outerJoinsAsLeftJoins(const QString &sql);

// A lone source queried without an alias while its columns are qualified by one other name
// ("Select * from V Where M.Customer_Code=?"): the name becomes the source's alias. Statements
// with a parenthesis (a function, a subquery) are left alone.
QString aliasForLoneQualifier(const QString &sql);

// Both of the above.
QString standardForm(const QString &sql);

} // namespace legacy_sql
} // namespace orbsales
