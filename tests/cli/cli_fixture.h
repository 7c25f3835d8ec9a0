#pragma once

#include "commands.h"
#include "orbsales/services/package/demo_company.h"
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
};

} // namespace orbsales::testing
