#include "bench.h"
#include "check.h"
#include "commands.h"
#include "database_setup.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/values/errors.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <exception>
#include <memory>

namespace orbsales::cli {

namespace {

struct CheckOptions {
    quint64 seed = 0;
    int steps = 500;
    int clients = 1;
    bool atomic = false;
    int worker = -1;        // a client process started by the check itself
    qint32 manualFrom = -1; // handed to each client process: where the run's typed numbers begin
};

bool readOptions(const QStringList &args, CheckOptions &options, QString &problem) {
    options.seed = quint64(QDateTime::currentMSecsSinceEpoch());
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &word = args.at(i);
        if (word == QLatin1String("--atomic")) {
            options.atomic = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            problem = QStringLiteral("%1 needs a value").arg(word);
            return false;
        }
        bool ok = false;
        const QString value = args.at(++i);
        if (word == QLatin1String("--seed"))
            options.seed = value.toULongLong(&ok);
        else if (word == QLatin1String("--steps"))
            options.steps = value.toInt(&ok), ok = ok && options.steps >= 0 && options.steps <= 10'000'000;
        else if (word == QLatin1String("--clients"))
            options.clients = value.toInt(&ok), ok = ok && options.clients >= 1 && options.clients <= 64;
        else if (word == QLatin1String("--worker"))
            options.worker = value.toInt(&ok), ok = ok && options.worker >= 0;
        else if (word == QLatin1String("--numbers-from"))
            options.manualFrom = value.toInt(&ok), ok = ok && options.manualFrom >= 0;
        else {
            problem = QStringLiteral("unknown option %1").arg(word);
            return false;
        }
        if (!ok) {
            problem = QStringLiteral("%1 takes a whole number in range, not \"%2\"").arg(word, value);
            return false;
        }
    }
    return true;
}

QString replayLine(const QString &db, const CheckOptions &options, bool explicitDb) {
    QString line = QStringLiteral("orbsales check --seed %1 --steps %2").arg(options.seed).arg(options.steps);
    if (options.clients > 1)
        line += QStringLiteral(" --clients %1").arg(options.clients);
    if (options.atomic)
        line += QStringLiteral(" --atomic");
    if (explicitDb)
        line += QStringLiteral(" --db ") + displayName(db);
    return line;
}

void printTally(QTextStream &out, const CheckTally &tally) {
    for (qsizetype i = 0; i < tally.names.size(); ++i)
        out << "  " << tally.names.at(i).leftJustified(27) << tally.ran[size_t(i)] << " steps, "
            << tally.refused[size_t(i)] << " refused\n";
    for (const QString &refusal : tally.lastRefusals)
        out << "  last refusals: " << refusal << '\n';
}

// Several clients at once, each a process of its own with its own connection, as several users
// of one company database are.
int runClients(const Invocation &call, const CheckOptions &options) {
    std::vector<std::unique_ptr<QProcess>> clients;
    for (int client = 0; client < options.clients; ++client) {
        auto process = std::make_unique<QProcess>();
        QStringList args{QStringLiteral("check"), QStringLiteral("--worker"), QString::number(client),
                         QStringLiteral("--seed"), QString::number(options.seed), QStringLiteral("--steps"),
                         QString::number(options.steps), QStringLiteral("--clients"), QString::number(options.clients),
                         QStringLiteral("--numbers-from"),
                         QString::number(options.manualFrom), QStringLiteral("--db"), call.db};
        if (options.atomic)
            args << QStringLiteral("--atomic");
        process->start(QCoreApplication::applicationFilePath(), args);
        clients.push_back(std::move(process));
    }
    int failedClients = 0;
    for (size_t client = 0; client < clients.size(); ++client) {
        QProcess &process = *clients[client];
        process.waitForFinished(-1);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        call.out << "client " << client << ":\n" << out;
        const QString err = QString::fromUtf8(process.readAllStandardError()).trimmed();
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != kExitOk || isContention(out) ||
            isContention(err)) {
            ++failedClients;
            call.out << "client " << client << " stopped: " << err << '\n';
        }
    }
    return failedClients;
}

} // namespace

int runCheck(const Invocation &call) {
    CheckOptions options;
    QString problem;
    if (!readOptions(call.args, options, problem)) {
        call.err << "orbsales check: " << problem
                 << "\nusage: orbsales check [--seed N] [--steps M] [--clients N] [--atomic] [--db DB]\n";
        return kExitUsage;
    }
    try {
        if (options.worker >= 0) { // one client of runClients
            Connection connection;
            connection.open(call.db);
            const qint32 manualFrom = options.manualFrom >= 0 ? options.manualFrom : manualNumbersFrom(connection);
            const CheckTally tally = runWorkload(
                {call.db, options.seed, options.steps, options.worker, options.clients, options.atomic, manualFrom}, {});
            printTally(call.out, tally);
            return kExitOk;
        }
        QTemporaryDir temporary;
        QString db = call.db;
        if (!call.explicitDb) {
            db = temporary.filePath(QStringLiteral("check.db"));
            Connection fresh;
            fresh.open(db, Connection::Creation::MayCreate);
            initialiseDatabase(fresh);
        } else {
            if (isMissingSqliteFile(db)) {
                call.err << "orbsales check: " << displayName(db) << " does not exist; run orbsales init first\n";
                return kExitUsage;
            }
            Connection probe;
            probe.open(db);
            if (!isInitialised(probe)) {
                call.err << "orbsales check: " << displayName(db) << " is not initialised; run orbsales init first\n";
                return kExitUsage;
            }
        }
        call.out << "checking " << (call.explicitDb ? displayName(db) : QStringLiteral("a fresh demo database"))
                 << " with seed " << options.seed << ", " << options.steps << " steps"
                 << (options.clients > 1 ? QStringLiteral(" per client, %1 clients").arg(options.clients) : QString())
                 << (options.atomic ? QStringLiteral(", all-or-nothing") : QString()) << '\n';
        call.out.flush();
        {
            Connection connection;
            connection.open(db);
            options.manualFrom = manualNumbersFrom(connection);
        }
        int failedClients = 0;
        if (options.clients > 1) {
            Invocation clientCall{db, call.args, call.out, call.err, true};
            failedClients = runClients(clientCall, options);
        } else {
            Progress progress(call.err, QStringLiteral("steps"), options.steps);
            const CheckTally tally = runWorkload({db, options.seed, options.steps, 0, 1, options.atomic, options.manualFrom},
                                                 [&](int) { progress.add(1); });
            progress.finish();
            printTally(call.out, tally);
        }
        Connection connection;
        connection.open(db);
        const QStringList breaches = package::verifyBooks(connection);
        for (const QString &breach : breaches)
            call.out << breach << '\n';
        if (breaches.isEmpty() && failedClients == 0) {
            call.out << "The books hold together after the workload.\n";
            return kExitOk;
        }
        call.out << breaches.size() << (breaches.size() == 1 ? " breach" : " breaches") << "; replay with: "
                 << replayLine(db, options, call.explicitDb) << '\n';
        return kExitFailed;
    } catch (const std::exception &error) {
        call.err << "orbsales check: " << QString::fromUtf8(error.what()) << "; replay with: "
                 << replayLine(call.db, options, call.explicitDb) << '\n';
        return kExitFailed;
    }
}

} // namespace orbsales::cli
