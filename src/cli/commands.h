#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orbsales::cli {

// What every command gets: the database (--db: a SQLite path or a PostgreSQL connection
// string; orbsales.db by default), the words after the command name, and where to print.
struct Invocation {
    QString db;
    QStringList args;
    QTextStream &out;
    QTextStream &err;
    // True when the user named the database with --db (bench then uses it instead of a
    // temporary file).
    bool explicitDb = false;
};

// Exit codes shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // the work ran and something did not hold
inline constexpr int kExitUsage = 2;  // bad arguments or bad input (a database that cannot be used
                                      // included); nothing (more) was done
inline constexpr int kExitHalfDone = 3; // verify: the books hold, but documents were left half-done

// Each returns the process exit code.
int runInit(const Invocation &call);
int runDemo(const Invocation &call);
int runDescribe(const Invocation &call);
int runScenario(const Invocation &call); // orbsales run FILE...
int runBench(const Invocation &call);
int runBooks(const Invocation &call);
int runVerify(const Invocation &call);
int runCheck(const Invocation &call); // the randomized books check

} // namespace orbsales::cli
