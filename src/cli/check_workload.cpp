#include "check.h"

#include "orbsales/data/connection.h"

namespace orbsales::cli {

QString CheckContext::pickOne(const QString &sql, const QVariantList &values) {
    const Connection::Result found = connection.select(sql, values);
    if (found.rows.isEmpty())
        return {};
    return found.rows.at(pick(int(found.rows.size()))).first().toString();
}

std::vector<CheckAction> checkActions() {
    std::vector<CheckAction> all;
    for (auto family : {orderActions})
        for (const CheckAction &action : family())
            all.push_back(action);
    return all;
}

CheckTally runWorkload(const QString &db, quint64 seed, int steps, int client, bool atomic,
                       const std::function<void(int done)> &progress) {
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

    std::mt19937_64 random(seed + quint64(client) * 0x9E3779B97F4A7C15ULL);
    Connection connection;
    connection.open(db);
    CheckContext context{db, connection, random, client, atomic, {}};
    for (int step = 0; step < steps; ++step) {
        const int drawn = context.pick(total);
        size_t chosen = 0;
        while (drawn >= cumulative[chosen])
            ++chosen;
        context.refusal.clear();
        ++tally.ran[chosen];
        if (!actions[chosen].run(context)) {
            ++tally.refused[chosen];
            tally.lastRefusals << QStringLiteral("%1: %2").arg(tally.names[int(chosen)], context.refusal);
            if (tally.lastRefusals.size() > 5)
                tally.lastRefusals.removeFirst();
        }
        if (progress)
            progress(step + 1);
    }
    return tally;
}

} // namespace orbsales::cli
