#include "orbsales/data/legacy_sql.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace orbsales::legacy_sql {

namespace {

constexpr auto kOptions = QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

// The statement with quoted text blanked out, so that nothing inside a literal is taken for
// syntax; same length as the statement.
QString withoutLiterals(const QString &sql) {
    QString bare = sql;
    bool quoted = false;
    for (QChar &c : bare) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            c = QLatin1Char(' ');
    }
    return bare;
}

// The names a piece of SQL qualifies columns with ("Z" in "Z.Customer_Code").
QSet<QString> qualifiers(const QString &sql) {
    static const QRegularExpression qualified(QStringLiteral(R"((?<![\w.])([A-Za-z_]\w*)\.[A-Za-z_])"));
    QSet<QString> names;
    for (auto it = qualified.globalMatch(withoutLiterals(sql)); it.hasNext();)
        names.insert(it.next().captured(1).toLower());
    return names;
}

// Conditions joined by AND outside parentheses; an empty list when an OR outside parentheses
// would make the split change the meaning.
QStringList topLevelConditions(const QString &where) {
    const QString bare = withoutLiterals(where);
    static const QRegularExpression word(QStringLiteral(R"(\s(and|or)\s)"), kOptions);
    QStringList conditions;
    qsizetype start = 0;
    qsizetype from = 0;
    while (true) {
        const auto match = word.match(bare, from);
        if (!match.hasMatch())
            break;
        from = match.capturedEnd();
        const QString before = bare.left(match.capturedStart());
        if (before.count(QLatin1Char('(')) != before.count(QLatin1Char(')')))
            continue; // inside a function's arguments or a subquery
        if (match.captured(1).compare(QLatin1String("or"), Qt::CaseInsensitive) == 0)
            return {};
        conditions << where.mid(start, match.capturedStart() - start).trimmed();
        start = match.capturedEnd();
    }
    conditions << where.mid(start).trimmed();
    return conditions;
}

struct Source {
    QString table;
    QString alias;
    QStringList on; // conditions of its LEFT JOIN; empty for a table that is not optional
    bool optional = false;
};

} // namespace

QString outerJoinsAsLeftJoins(const QString &sql) {
    static const QRegularExpression hasOperator(QStringLiteral(R"(\w\s*(=\*|\*=)\s*\w)"));
    if (!hasOperator.match(withoutLiterals(sql)).hasMatch())
        return sql;
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(select\s+.*?)\s+from\s+(.*?)\s+where\s+(.*?)(\s+order\s+by\s+.*)?\s*$)"), kOptions);
    const auto statement = form.match(sql);
    if (!statement.hasMatch())
        return sql;

    std::vector<Source> sources;
    static const QRegularExpression plainSource(QStringLiteral(R"(^([A-Za-z_]\w*)(?:\s+([A-Za-z_]\w*))?$)"));
    for (const QString &entry : statement.captured(2).split(QLatin1Char(','))) {
        const auto source = plainSource.match(entry.trimmed());
        if (!source.hasMatch())
            return sql;
        const QString table = source.captured(1);
        sources.push_back({table, source.captured(2).isEmpty() ? table : source.captured(2), {}, false});
    }
    auto sourceOf = [&](const QString &alias) {
        return std::find_if(sources.begin(), sources.end(),
                            [&](const Source &s) { return s.alias.compare(alias, Qt::CaseInsensitive) == 0; });
    };

    const QStringList conditions = topLevelConditions(statement.captured(3));
    if (conditions.isEmpty())
        return sql;
    static const QRegularExpression outerJoin(
        QStringLiteral(R"(^([A-Za-z_]\w*)\.([A-Za-z_]\w*)\s*(=\*|\*=)\s*([A-Za-z_]\w*)\.([A-Za-z_]\w*)$)"));
    // Which condition goes where: the index of the optional source whose ON clause takes it, or -1.
    std::vector<int> placement(size_t(conditions.size()), -1);
    QStringList rewritten = conditions;
    for (int c = 0; c < conditions.size(); ++c) {
        const auto join = outerJoin.match(conditions[c]);
        if (!join.hasMatch())
            continue;
        const bool rightKept = join.captured(3) == QLatin1String("=*");
        const auto optional = sourceOf(join.captured(rightKept ? 1 : 4));
        if (optional == sources.end() || sourceOf(join.captured(rightKept ? 4 : 1)) == sources.end())
            return sql;
        optional->optional = true;
        placement[size_t(c)] = int(optional - sources.begin());
        rewritten[c] = join.captured(1) + QLatin1Char('.') + join.captured(2) + QStringLiteral(" = ") +
                       join.captured(4) + QLatin1Char('.') + join.captured(5);
    }
    // A condition on an optional table alone restricts that table before the join.
    for (int c = 0; c < conditions.size(); ++c) {
        if (placement[size_t(c)] >= 0)
            continue;
        const QSet<QString> names = qualifiers(conditions[c]);
        if (names.size() != 1)
            continue;
        const auto only = sourceOf(*names.begin());
        if (only != sources.end() && only->optional)
            placement[size_t(c)] = int(only - sources.begin());
    }

    // The new order of the conditions: every ON clause in the order of its table, then WHERE.
    std::vector<int> order;
    QStringList where;
    for (size_t s = 0; s < sources.size(); ++s)
        for (int c = 0; c < conditions.size(); ++c)
            if (placement[size_t(c)] == int(s)) {
                sources[s].on << rewritten[c];
                order.push_back(c);
            }
    for (int c = 0; c < conditions.size(); ++c)
        if (placement[size_t(c)] < 0) {
            where << rewritten[c];
            order.push_back(c);
        }
    // Bound values go by position: the conditions that hold one must keep their order.
    int last = -1;
    for (const int c : order) {
        if (!conditions[c].contains(QLatin1Char('?')))
            continue;
        if (c < last)
            return sql;
        last = c;
    }

    QStringList kept;
    QString joins;
    for (const Source &source : sources) {
        const QString named =
            source.alias == source.table ? source.table : source.table + QLatin1Char(' ') + source.alias;
        if (source.optional)
            joins += QStringLiteral(" LEFT JOIN ") + named + QStringLiteral(" ON ") +
                     source.on.join(QStringLiteral(" and "));
        else
            kept << named;
    }
    if (kept.isEmpty())
        return sql;
    QString result =
        statement.captured(1) + QStringLiteral(" from ") + kept.join(QStringLiteral(" CROSS JOIN ")) + joins;
    if (!where.isEmpty())
        result += QStringLiteral(" Where ") + where.join(QStringLiteral(" and "));
    return result + statement.captured(4);
}

QString aliasForLoneQualifier(const QString &sql) {
    // A parenthesis may open a subquery, whose qualifiers are its own: such statements stay.
    if (withoutLiterals(sql).contains(QLatin1Char('(')))
        return sql;
    static const QRegularExpression lone(
        QStringLiteral(R"(^(\s*select\s+.*?\s+from\s+)([A-Za-z_]\w*)(\s+where\s+.*)$)"), kOptions);
    const auto statement = lone.match(sql);
    if (!statement.hasMatch())
        return sql;
    const QString source = statement.captured(2);
    QSet<QString> names = qualifiers(sql);
    names.remove(source.toLower());
    if (names.size() != 1)
        return sql;
    // The qualifier as the statement writes it.
    static const QRegularExpression qualified(QStringLiteral(R"((?<![\w.])([A-Za-z_]\w*)\.[A-Za-z_])"));
    QString alias;
    for (auto it = qualified.globalMatch(withoutLiterals(sql)); it.hasNext() && alias.isEmpty();) {
        const QString name = it.next().captured(1);
        if (name.toLower() == *names.begin())
            alias = name;
    }
    return statement.captured(1) + source + QLatin1Char(' ') + alias + statement.captured(3);
}

QString standardForm(const QString &sql) { return aliasForLoneQualifier(outerJoinsAsLeftJoins(sql)); }

} // namespace orbsales::legacy_sql
