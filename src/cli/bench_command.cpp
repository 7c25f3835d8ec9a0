#include "bench.h"
#include "bench_chain.h"
#include "commands.h"
#include "database_setup.h"
#include "front_end.h"
#include "safe_output.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/schema.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>
#include <vector>

namespace orbsales::cli {

namespace {

// What the benchmark times, in this order, each by the name --only knows it by; each document
// type adds its own. The chain of an order, its delivery and its invoice comes last.
struct Named {
    const char *name;
    Measurement (*make)();
};
constexpr Named kMeasurements[] = {
    {"customers", customerMeasurement},   {"quotations", quotationMeasurement}, {"orders", orderMeasurement},
    {"deliveries", deliveryMeasurement},  {"cashmemos", cashMemoMeasurement},   {"invoices", invoiceMeasurement},
    {"returns", returnMeasurement},       {"conversion", conversionMeasurement},
};
const char *const kChain = "chain";

QStringList measurementNames() {
    QStringList names;
    for (const Named &named : kMeasurements)
        names << QLatin1String(named.name);
    return names << QLatin1String(kChain);
}

constexpr int kWarmUp = 3; // documents made before timing, so statements are prepared

struct Options {
    int rows = 200000;
    int count = 200;
    bool atomic = false;
    QString only; // one measurement by name, or every one
};

bool parseOptions(const QStringList &args, Options &options, QString &error) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &name = args[i];
        if (name == QStringLiteral("--atomic")) {
            options.atomic = true;
            continue;
        }
        if (name == QStringLiteral("--only")) {
            options.only = args.value(i + 1);
            if (!measurementNames().contains(options.only)) {
                error = QStringLiteral("--only needs one of %1").arg(measurementNames().join(QStringLiteral(", ")));
                return false;
            }
            ++i;
            continue;
        }
        int *target = name == QStringLiteral("--rows")    ? &options.rows
                      : name == QStringLiteral("--count") ? &options.count
                                                          : nullptr;
        if (!target) {
            error = QStringLiteral("unknown option %1").arg(name);
            return false;
        }
        bool ok = false;
        const int value = args.value(i + 1).toInt(&ok);
        if (!ok || value < (target == &options.count ? 1 : 0)) {
            error = QStringLiteral("%1 needs a number%2").arg(name, target == &options.count ? " of at least 1" : "");
            return false;
        }
        *target = value;
        ++i;
    }
    return true;
}

void makeOne(const Measurement &measurement, Connection &connection, const QString &db, int serial) {
    if (measurement.createOnConnection)
        measurement.createOnConnection(connection, db, serial);
    else
        measurement.createOne(db, serial);
}

// Seconds taken to make `count` documents.
double timeDocuments(const Measurement &measurement, Connection &connection, const QString &db, int count,
                     int &serial) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        makeOne(measurement, connection, db, serial++);
    return std::max<qint64>(timer.nsecsElapsed(), 1) / 1e9;
}

QString afterLabel(int rows, const Measurement &measurement) {
    return QStringLiteral("after %1 more %2").arg(rows).arg(QLatin1String(measurement.prefilled));
}

// One figure line; the labels are padded to `width`, the longest of the run, so that the
// figures stand in one column.
void report(QTextStream &out, const QString &label, qsizetype width, const Measurement &measurement, int count,
            double seconds) {
    out << "  " << label.leftJustified(width) << QString::number(count / seconds, 'f', 1).rightJustified(9)
        << " per second   " << QString::number(seconds * 1000 / count, 'f', 3) << " ms per " << measurement.unit
        << '\n';
}

} // namespace

void analyseTables(Connection &connection) {
    QStringList tables;
    for (const schema::Table &table : schema::Schema::instance().tables())
        tables << table.name;
    connection.execute(QStringLiteral("ANALYZE ") + tables.join(QStringLiteral(", ")));
}

Progress::Progress(QTextStream &err, const QString &what, qint64 total) : m_err(err), m_what(what), m_total(total) {}

void Progress::setTotal(qint64 total) { m_total = total; }

void Progress::add(qint64 rows) {
    m_done += rows;
    show();
}

void Progress::show() {
    const int percent = m_total > 0 ? int(std::min(m_done, m_total) * 100 / m_total) : 100;
    if (percent == m_shown)
        return;
    m_shown = percent;
    SafeOutput::returnToLineStart(m_err);
    m_err << m_what << ": " << percent << "% (" << m_done << " of " << m_total << " rows)";
    m_err.flush();
}

void Progress::finish() {
    m_done = std::max(m_done, m_total);
    show();
    m_err << '\n';
    m_err.flush();
}

void insertMany(Connection &connection, const QString &table, const QStringList &columns, int rows,
                const std::function<QVariantList(int)> &row, Progress *progress) {
    // Many rows per statement: far fewer round trips, well inside both engines' limit on
    // bound values.
    const int batch = std::max(1, int(3000 / std::max<qsizetype>(columns.size(), 1)));
    const QString oneRow =
        QLatin1Char('(') + QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    const QString head = QStringLiteral("Insert into %1 (%2) values ").arg(table, columns.join(QStringLiteral(", ")));
    for (int done = 0; done < rows;) {
        const int size = std::min(batch, rows - done);
        QVariantList values;
        values.reserve(size * columns.size());
        for (int i = 0; i < size; ++i)
            values << row(done + i);
        connection.execute(head + QStringList(size, oneRow).join(QLatin1Char(',')), values);
        done += size;
        if (progress)
            progress->add(size);
    }
}

int runBench(const Invocation &call) {
    Options options;
    QString error;
    if (!parseOptions(call.args, options, error)) {
        call.err << "orbsales bench: " << error
                 << "\nusage: orbsales bench [--rows N] [--count N] [--atomic] [--only NAME] [--db DB]\n";
        return kExitUsage;
    }
    if (call.explicitDb) {
        Connection probe;
        if (const std::optional<int> refused = openForCommand(call, "bench", probe, DatabaseUse::Existing))
            return *refused;
    }
    const FrontEndObject::AllOrNothing allOrNothing(options.atomic);
    try {
        // Without --db every measurement starts on a database of its own, fresh from init, and
        // never on the user's; with --db they all work on that one, one after the other.
        QTemporaryDir temporary;
        if (call.explicitDb) {
            call.err << "orbsales bench: this adds documents and " << options.rows
                     << " pre-filled rows per measurement to " << displayName(call.db) << '\n';
        } else if (!temporary.isValid()) {
            throw std::runtime_error("cannot create a temporary directory");
        }
        const QString before = call.explicitDb ? QStringLiteral("before pre-filling") : QStringLiteral("fresh database");

        std::vector<Measurement> measurements;
        qsizetype labelWidth = before.size();
        for (const Named &named : kMeasurements) {
            if (!options.only.isEmpty() && options.only != QLatin1String(named.name))
                continue;
            measurements.push_back(named.make());
            labelWidth = std::max(labelWidth, afterLabel(options.rows, measurements.back()).size());
        }

        call.out << "database: "
                 << (call.explicitDb ? displayName(call.db)
                                     : QStringLiteral("a new temporary SQLite file for each measurement"))
                 << '\n'
                 << "ratio = time per document after pre-filling / time per document before pre-filling;"
                    " 1.00 means no slowdown\n";
        int serial = 0;
        for (size_t m = 0; m < measurements.size(); ++m) {
            const Measurement &measurement = measurements[m];
            const QString db =
                call.explicitDb ? call.db : temporary.filePath(QStringLiteral("bench-%1.db").arg(m + 1));
            call.out << '\n' << measurement.title << ", " << options.count << " per measurement\n";
            call.out.flush();
            {
                Connection connection;
                connection.open(db, call.explicitDb ? Connection::Creation::MustExist
                                                    : Connection::Creation::MayCreate);
                initialiseDatabase(connection);
                for (int i = 0; i < kWarmUp; ++i)
                    makeOne(measurement, connection, db, serial++);
                const double fresh = timeDocuments(measurement, connection, db, options.count, serial);
                report(call.out, before, labelWidth, measurement, options.count, fresh);
                call.out.flush();

                Progress progress(call.err,
                                  QStringLiteral("pre-filling %1").arg(QLatin1String(measurement.prefilled)));
                connection.beginTransaction();
                measurement.prefill(connection, options.rows, progress);
                connection.commit();
                progress.finish();
                if (connection.dialect() == Dialect::PostgreSQL)
                    analyseTables(connection);

                const double prefilled = timeDocuments(measurement, connection, db, options.count, serial);
                report(call.out, afterLabel(options.rows, measurement), labelWidth, measurement, options.count,
                       prefilled);
                call.out << "ratio: " << QString::number(prefilled / fresh, 'f', 2) << '\n';
                call.out.flush();
            }
            if (!call.explicitDb) {
                // Done with: its sessions end and the file goes, so the disk holds one at a time.
                Connection::closeIdleSessions();
                QFile::remove(db);
            }
        }
        if (options.only.isEmpty() || options.only == QLatin1String(kChain)) {
            const QString db = call.explicitDb ? call.db : temporary.filePath(QStringLiteral("bench-chain.db"));
            {
                Connection connection;
                connection.open(db, call.explicitDb ? Connection::Creation::MustExist
                                                    : Connection::Creation::MayCreate);
                initialiseDatabase(connection);
            }
            benchChains({call.out, call.err, db, before, options.rows, options.count});
        }
        return kExitOk;
    } catch (const std::exception &failure) {
        call.err << "\norbsales bench: " << QString::fromUtf8(failure.what()) << '\n';
        return kExitFailed;
    }
}

} // namespace orbsales::cli
