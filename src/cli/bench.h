#pragma once

#include <QDateTime>
#include <QString>
#include <QTextStream>
#include <QVariantList>
#include <functional>

namespace orbsales {
class Connection;
namespace cli {

// A percentage on one line of stderr, rewritten in place (\r) as work goes on: rows written
// of all the rows a piece of work writes.
class Progress {
public:
    Progress(QTextStream &err, const QString &what, qint64 total = 0);
    // All the rows the work writes, once it knows; before any are added.
    void setTotal(qint64 total);
    // `rows` more written.
    void add(qint64 rows);
    void finish();
    // Where it shows, for a piece of work that reports a part of itself on a line of its own.
    QTextStream &stream() const { return m_err; }

private:
    void show();

    QTextStream &m_err;
    QString m_what;
    qint64 m_total;
    qint64 m_done = 0;
    int m_shown = -1;
};

// One thing the benchmark times: how fast documents are made on a fresh database, and again
// after their tables have been filled with many rows. Each document type adds its own in the
// list in bench_command.cpp.
struct Measurement {
    const char *title;     // "quotations (10 lines each)"
    const char *unit;      // "quotation"
    const char *prefilled; // what the pre-filling adds, for the output: "quotation lines"
    // Makes one document through the front-end door; `serial` counts up over the run.
    // Throws when the object answers False.
    void (*createOne)(const QString &db, int serial);
    // Adds `rows` rows to the tables the documents write, fast, in one transaction; sets the
    // progress's total to every row it writes, in all those tables, and reports each.
    void (*prefill)(Connection &connection, int rows, Progress &progress);
    // Instead of createOne, for documents that work on the caller's open connection: made on
    // the benchmark's own connection, which stays open over the run as a front end's does.
    void (*createOnConnection)(Connection &connection, const QString &db, int serial) = nullptr;
};

Measurement customerMeasurement();
Measurement quotationMeasurement();
Measurement orderMeasurement();
Measurement deliveryMeasurement();
Measurement cashMemoMeasurement();
Measurement invoiceMeasurement();
Measurement returnMeasurement();
Measurement conversionMeasurement();

// Brings the planner's statistics up to date on every table, so that it sees pre-filled rows
// (a database in use has them).
void analyseTables(Connection &connection);

// An invoice of every line of `customer`'s processed deliveries in `branch` (the first `lines`
// rows Get_Delivery_Details offers, all ticked), in the home currency, created and processed
// online through the front-end door. Throws when either answers False.
void invoiceOpenDeliveries(Connection &connection, const QString &db, const QString &branch, const QString &customer,
                           const QString &customerName, int lines, const QDateTime &now);

// Inserts `rows` rows of `columns` into `table` with one prepared multi-row statement per
// batch (inside the caller's transaction); `row(i)` gives the values of row i. The rows are
// added to `progress`, which may be null.
void insertMany(Connection &connection, const QString &table, const QStringList &columns, int rows,
                const std::function<QVariantList(int)> &row, Progress *progress);

} // namespace cli
} // namespace orbsales
