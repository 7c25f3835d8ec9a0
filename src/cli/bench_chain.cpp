#include "bench_chain.h"
#include "bench.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/statement_watch.h"
#include "orbsales/values/errors.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <exception>
#include <latch>
#include <thread>
#include <vector>

// Chains per second on the benchmark's database: each figure is timed in one of the two ways a
// front end may run its operations (one commit per statement, or all or nothing: one commit per
// operation), once fresh and once after the order, delivery and invoice line tables were
// pre-filled. On SQLite the statements of every timed run are recorded and replayed bare, through
// the driver alone, on a copy of the database taken just before the run: what is left between the
// two is what this library adds. On PostgreSQL two clients make chains at once.
namespace orbsales::cli {

namespace {

constexpr int kWarmUp = 3; // chains made before timing, so statements are prepared

struct Mode {
    const char *label;
    bool allOrNothing;
};
constexpr Mode kModes[] = {{"one commit per statement", false}, {"all or nothing", true}};

double secondsSince(const QElapsedTimer &timer) { return std::max<qint64>(timer.nsecsElapsed(), 1) / 1e9; }

QString perSecond(int chains, double seconds) {
    return QString::number(chains / seconds, 'f', 1).rightJustified(9) + QStringLiteral(" per second   ") +
           QString::number(seconds * 1000 / chains, 'f', 3) + QStringLiteral(" ms per chain");
}

// The SQLite file as it stands now, WAL folded in, copied beside it; an empty text on PostgreSQL.
QString snapshot(Connection &connection, const QString &db) {
    if (connection.dialect() != Dialect::SQLite)
        return {};
    connection.execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QString file = parseConnectionString(db).databaseName;
    const QString copy = file + QStringLiteral(".replay");
    QFile::remove(copy);
    if (!QFile::copy(file, copy))
        throw OrbError(QStringLiteral("cannot copy %1 for the replay").arg(file));
    return copy;
}

void removeSnapshot(const QString &copy) {
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(copy + QLatin1String(suffix));
}

struct Timed {
    double seconds = 0;
    std::vector<RecordedStatement> statements;
};

// `count` chains after the warm-up, their statements recorded.
Timed timeChains(Connection &connection, const QString &db, int count) {
    const ChainClient client = chainClient(0);
    StatementRecorder recorder;
    QElapsedTimer timer;
    {
        WatchStatements watch(recorder);
        timer.start();
        for (int i = 0; i < count; ++i)
            runChain(connection, db, client);
    }
    return {secondsSince(timer), std::move(recorder.statements)};
}

// One figure in each mode, with its replay; answers the seconds of each mode.
std::vector<double> measureModes(const ChainBench &bench, Connection &connection, const QString &stage,
                                 qsizetype width) {
    std::vector<double> seconds;
    for (const Mode &mode : kModes) {
        const FrontEndObject::AllOrNothing allOrNothing(mode.allOrNothing);
        const ChainClient client = chainClient(0);
        for (int i = 0; i < kWarmUp; ++i)
            runChain(connection, bench.db, client);
        const QString copy = snapshot(connection, bench.db);
        const Timed timed = timeChains(connection, bench.db, bench.count);
        seconds.push_back(timed.seconds);
        bench.out << "  " << (stage + QStringLiteral(", ") + QLatin1String(mode.label)).leftJustified(width)
                  << perSecond(bench.count, timed.seconds) << '\n';
        const double perChain = double(timed.statements.size()) / bench.count;
        if (copy.isEmpty()) {
            bench.out << "    " << QString::number(perChain, 'f', 1)
                      << " statements per chain; no bare replay on PostgreSQL\n";
        } else {
            QElapsedTimer timer;
            timer.start();
            replayStatements(copy, timed.statements);
            const double bare = secondsSince(timer);
            removeSnapshot(copy);
            bench.out << "    bare replay of its " << timed.statements.size() << " statements ("
                      << QString::number(perChain, 'f', 1) << " per chain): ours "
                      << QString::number(timed.seconds, 'f', 3) << " s, bare " << QString::number(bare, 'f', 3)
                      << " s, ratio " << QString::number(timed.seconds / bare, 'f', 2) << '\n';
        }
        bench.out.flush();
    }
    return seconds;
}

// Seconds for `clients` clients making `count` chains each at once, each on a thread with a
// connection of its own (the session pool is per thread), timed from when all have warmed up.
double timeClients(const ChainBench &bench, int clients) {
    std::latch warmedUp(clients + 1);
    std::vector<std::exception_ptr> failures(static_cast<size_t>(clients));
    std::vector<std::thread> threads;
    for (int index = 0; index < clients; ++index)
        threads.emplace_back([&, index] {
            bool arrived = false;
            try {
                const ChainClient client = chainClient(index);
                {
                    Connection connection;
                    connection.open(bench.db);
                    for (int i = 0; i < kWarmUp; ++i)
                        runChain(connection, bench.db, client);
                    warmedUp.count_down();
                    arrived = true;
                    for (int i = 0; i < bench.count; ++i)
                        runChain(connection, bench.db, client);
                }
                Connection::closeIdleSessions();
            } catch (...) {
                failures[size_t(index)] = std::current_exception();
                if (!arrived)
                    warmedUp.count_down();
            }
        });
    warmedUp.arrive_and_wait();
    QElapsedTimer timer;
    timer.start();
    for (std::thread &thread : threads)
        thread.join();
    const double seconds = secondsSince(timer);
    for (const std::exception_ptr &failure : failures)
        if (failure)
            std::rethrow_exception(failure);
    return seconds;
}

void measureClients(const ChainBench &bench) {
    bench.out << "clients at once, " << bench.count << " chains each, every client on a connection of its own:\n";
    for (const Mode &mode : kModes) {
        const FrontEndObject::AllOrNothing allOrNothing(mode.allOrNothing);
        const double one = timeClients(bench, 1);
        const double two = timeClients(bench, 2);
        const QString label = QStringLiteral("%1 client%2, ") + QLatin1String(mode.label);
        const qsizetype width = label.size() + 2;
        bench.out << "  " << label.arg(1).arg(QString()).leftJustified(width) << perSecond(bench.count, one) << '\n'
                  << "  " << label.arg(2).arg(QStringLiteral("s")).leftJustified(width)
                  << perSecond(2 * bench.count, two) << '\n'
                  << "  ratio (chains per second, 2 clients / 1): "
                  << QString::number((2 * bench.count / two) / (bench.count / one), 'f', 2) << '\n';
        bench.out.flush();
    }
}

} // namespace

void benchChains(const ChainBench &bench) {
    const Measurement prefill = conversionMeasurement(); // pre-fills the same three line tables
    const QString after =
        QStringLiteral("after %1 more %2").arg(bench.rows).arg(QLatin1String(prefill.prefilled));
    qsizetype width = 0;
    for (const Mode &mode : kModes)
        width = std::max(width, after.size() + 2 + qsizetype(qstrlen(mode.label)));

    bench.out << '\n'
              << "chains (an order of 10 lines created and processed, a delivery of it and the delivery's invoice, "
                 "each created and processed online), "
              << bench.count << " per measurement\n";
    bench.out.flush();
    {
        Connection connection;
        connection.open(bench.db);
        prepareChains(connection);
        const std::vector<double> fresh = measureModes(bench, connection, bench.freshLabel, width);

        Progress progress(bench.err, QStringLiteral("pre-filling %1").arg(QLatin1String(prefill.prefilled)));
        connection.beginTransaction();
        prefill.prefill(connection, bench.rows, progress);
        connection.commit();
        progress.finish();
        if (connection.dialect() == Dialect::PostgreSQL)
            analyseTables(connection);

        const std::vector<double> prefilled = measureModes(bench, connection, after, width);
        bench.out << "ratio (time per chain after pre-filling / before):";
        for (size_t m = 0; m < std::size(kModes); ++m)
            bench.out << (m ? ", " : " ") << kModes[m].label << ' '
                      << QString::number(prefilled[m] / fresh[m], 'f', 2);
        bench.out << '\n'
                  << "all or nothing is " << QString::number(fresh[0] / fresh[1], 'f', 2) << "x as fast fresh, "
                  << QString::number(prefilled[0] / prefilled[1], 'f', 2) << "x after pre-filling\n";
        bench.out.flush();
        if (connection.dialect() != Dialect::PostgreSQL) {
            bench.out << "clients at once: measured on PostgreSQL only (SQLite lets one writer in at a time)\n";
            return;
        }
    }
    measureClients(bench);
}

} // namespace orbsales::cli
