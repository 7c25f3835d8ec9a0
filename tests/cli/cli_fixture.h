#pragma once

#include "bench.h"
#include "commands.h"
#include "demo.h"
#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QString>
#include <QTextStream>

namespace orbsales::testing {

// What a command printed, and the Invocation that prints there.
struct CapturedOutput {
    QString out;
    QString err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};

    cli::Invocation call(const QString &db, const QStringList &args = {}, bool explicitDb = false) {
        return cli::Invocation{db, args, outStream, errStream, explicitDb};
    }
    void flush() {
        outStream.flush();
        errStream.flush();
    }
};

// A fresh database holding the demo company, as `orbsales init` leaves it.
class SeededDatabaseTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (db)
            demo::seedDemoCompany(database().connection());
    }

    // What one section of the demonstration printed.
    QString runDemoSection(void (*section)(cli::DemoContext &)) {
        CapturedOutput output;
        Connection session;
        session.open(connectionString());
        cli::DemoContext context{connectionString(), output.outStream, session};
        section(context);
        output.flush();
        return output.out;
    }
    // Pre-fills the measurement's tables with each number of rows in turn, one transaction each;
    // what its progress printed.
    QString prefill(const cli::Measurement &measurement, std::initializer_list<int> rowCounts) {
        Connection session;
        session.open(connectionString());
        QString progressText;
        QTextStream progressStream(&progressText);
        for (int rows : rowCounts) {
            cli::Progress progress(progressStream, QStringLiteral("pre-filling"), rows);
            session.beginTransaction();
            measurement.prefill(session, rows, progress);
            session.commit();
            progress.finish();
        }
        progressStream.flush();
        return progressText;
    }
    int count(const QString &table, const QString &where = {}) { return database().count(table, where); }
};

} // namespace orbsales::testing
