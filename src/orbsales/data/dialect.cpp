#include "orbsales/data/dialect.h"

#include "orbsales/data/legacy_sql.h"
#include "orbsales/values/errors.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace orbsales {

namespace {

bool startsWithCi(const QString &text, const QString &prefix) { return text.startsWith(prefix, Qt::CaseInsensitive); }

ConnectionTarget parsePostgresUri(const QString &uri) {
    const QUrl url(uri);
    if (!url.isValid())
        throw DatabaseError(QStringLiteral("Invalid PostgreSQL connection string: %1").arg(url.errorString()));
    ConnectionTarget target;
    target.dialect = Dialect::PostgreSQL;
    target.host = url.host();
    target.port = url.port(-1);
    target.user = url.userName(QUrl::FullyDecoded);
    target.password = url.password(QUrl::FullyDecoded);
    target.databaseName = url.path(QUrl::FullyDecoded).mid(1);
    QStringList options;
    for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        options << key + QLatin1Char('=') + value;
    target.options = options.join(QLatin1Char(';'));
    return target;
}

ConnectionTarget parsePostgresKeywords(const QString &text) {
    ConnectionTarget target;
    target.dialect = Dialect::PostgreSQL;
    QStringList options;
    static const QRegularExpression pair(QStringLiteral(R"((\w+)\s*=\s*('(?:[^'\\]|\\.)*'|\S+))"));
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString key = match.captured(1).toLower();
        QString value = match.captured(2);
        if (value.startsWith(QLatin1Char('\'')))
            value = value.mid(1, value.size() - 2).replace(QStringLiteral("\\'"), QStringLiteral("'"));
        if (key == u"host" || key == u"hostaddr")
            target.host = value;
        else if (key == u"port")
            target.port = value.toInt();
        else if (key == u"dbname")
            target.databaseName = value;
        else if (key == u"user")
            target.user = value;
        else if (key == u"password")
            target.password = value;
        else
            options << key + QLatin1Char('=') + value;
    }
    target.options = options.join(QLatin1Char(';'));
    return target;
}

} // namespace

ConnectionTarget parseConnectionString(const QString &connectionString) {
    const QString text = connectionString.trimmed();
    if (text.isEmpty())
        throw DatabaseError(QStringLiteral("The connection string is empty"));
    if (startsWithCi(text, QStringLiteral("postgresql://")) || startsWithCi(text, QStringLiteral("postgres://")))
        return parsePostgresUri(text);
    static const QRegularExpression keyword(QStringLiteral(R"(\b(dbname|host|hostaddr)\s*=)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (keyword.match(text).hasMatch())
        return parsePostgresKeywords(text);
    ConnectionTarget target;
    target.databaseName = startsWithCi(text, QStringLiteral("sqlite:")) ? text.mid(7) : text;
    return target;
}

QString adaptStatement(Dialect dialect, const QString &sql) {
    QString adapted = legacy_sql::standardForm(sql);
    if (dialect == Dialect::SQLite && adapted.contains(QLatin1String("DateValue("), Qt::CaseInsensitive)) {
        static const QRegularExpression dateValue(QStringLiteral(R"(\bDateValue\()"),
                                                  QRegularExpression::CaseInsensitiveOption);
        adapted.replace(dateValue, QStringLiteral("datetime("));
    }
    return adapted;
}

} // namespace orbsales
