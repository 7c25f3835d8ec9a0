#include "check.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"

#include <algorithm>

namespace orbsales::cli {

QString CheckContext::pickOne(const QString &sql, const QVariantList &values) {
    const Connection::Result found = connection.select(sql, values);
    if (found.rows.isEmpty())
        return {};
    return found.rows.at(pick(int(found.rows.size()))).first().toString();
}

QVariantList CheckContext::pickRow(const QString &sql, const QVariantList &values) {
    const Connection::Result found = connection.select(sql, values);
    if (found.rows.isEmpty())
        return {};
    return found.rows.at(pick(int(found.rows.size())));
}

double CheckContext::manualNumber() {
    if (manualTaken >= kManualBand)
        throw OrbError(QStringLiteral("client %1 has typed every number of its band").arg(client));
    return double(manualFrom) + double(client + 1) * kManualBand - 1 - manualTaken++;
}

qint32 manualNumbersFrom(Connection &connection) {
    const double highest =
        connection.scalar(QStringLiteral("Select COALESCE(MAX(Document_Next_No), 0) from Document_Prefix")).toDouble();
    return (qint32(highest) / kManualBand + 1) * kManualBand;
}

bool synchroniseOne(CheckContext &context) {
    if (context.awaitingCopy.empty())
        return true;
    const auto chosen = context.awaitingCopy.begin() + context.pick(int(context.awaitingCopy.size()));
    const std::function<bool(CheckContext &)> copy = std::move(*chosen);
    context.awaitingCopy.erase(chosen);
    return copy(context);
}

bool isContention(const QString &message) {
    for (const char *sign : {"database is locked", "database table is locked", "deadlock detected",
                             "could not serialize access"})
        if (message.contains(QLatin1String(sign), Qt::CaseInsensitive))
            return true;
    return false;
}

std::vector<CheckAction> checkActions() {
    std::vector<CheckAction> all;
    for (auto family : {customerActions, stockActions, orderActions, deliveryActions, invoiceActions, cashMemoActions, returnActions})
        for (const CheckAction &action : family())
            all.push_back(action);
    all.push_back({"synchronised copy", 4, synchroniseOne});
    return all;
}

CheckTally runWorkload(const CheckRun &run, const std::function<void(int done)> &progress) {
    const std::vector<CheckAction> actions = checkActions();
    CheckTally tally;
    std::vector<int> cumulative;
    int total = 0;
    for (const CheckAction &action : actions) {
        tally.names << QString::fromLatin1(action.name);
        total += action.weight;
        cumulative.push_back(total);
    }
    tally.ran.assign(actions.size(), 0);
    tally.refused.assign(actions.size(), 0);

    std::mt19937_64 random(run.seed + quint64(run.client) * 0x9E3779B97F4A7C15ULL);
    Connection connection;
    connection.open(run.db);
    CheckContext context{run.db, connection, random, run.client, std::max(1, run.clients), run.atomic, run.manualFrom, {}, 0};
    const size_t synchronising = actions.size() - 1;
    // Once the steps are done, the copies still waiting are processed: the books are read
    // when every site has caught up.
    for (int step = 0; step < run.steps || !context.awaitingCopy.empty(); ++step) {
        size_t chosen = synchronising;
        if (step < run.steps) {
            const int drawn = context.pick(total);
            chosen = 0;
            while (drawn >= cumulative[chosen])
                ++chosen;
        }
        context.refusal.clear();
        ++tally.ran[chosen];
        if (!actions[chosen].run(context)) {
            if (isContention(context.refusal))
                throw OrbError(QStringLiteral("%1 answered: %2").arg(tally.names[int(chosen)], context.refusal));
            ++tally.refused[chosen];
            tally.lastRefusals << QStringLiteral("%1: %2").arg(tally.names[int(chosen)], context.refusal);
            if (tally.lastRefusals.size() > 5)
                tally.lastRefusals.removeFirst();
        }
        if (progress && step < run.steps)
            progress(step + 1);
    }
    return tally;
}

} // namespace orbsales::cli
