#pragma once

#include <QString>
#include <QTextStream>

namespace orbsales {
class Connection;
class LineGrid;
namespace cli {

class FrontEndObject;
struct SampleQuotation;

// What a section of the demonstration works with.
struct DemoContext {
    QString db; // the connection string every object is given
    QTextStream &out;
    Connection &connection; // for showing what the database holds
};

// One document type's part of the demonstration. Sections run in the order of the list in
// demo_command.cpp; each document type adds its own section there.
struct DemoSection {
    const char *title;
    void (*run)(DemoContext &context);
};

void demoCustomers(DemoContext &context);
void demoOpeningBalances(DemoContext &context);
void demoQuotations(DemoContext &context);
void demoOrders(DemoContext &context);
void demoConversion(DemoContext &context);
void demoDeliveries(DemoContext &context);
void demoCashMemos(DemoContext &context);
void demoInvoices(DemoContext &context);
void demoReturns(DemoContext &context);
void demoChain(DemoContext &context);
void demoBooks(DemoContext &context);

// Calls a Boolean operation, prints "> what: Operation -> True" and returns the result.
bool demoCall(DemoContext &context, FrontEndObject &object, const char *operation, const QString &what);
// The same for an operation that must succeed: False stops the demonstration with its ErrDesc.
void demoRequire(DemoContext &context, FrontEndObject &object, const char *operation, const QString &what);
// The same for an operation that takes one text argument, printed as Operation("argument").
bool demoCall(DemoContext &context, FrontEndObject &object, const char *operation, const QString &argument,
              const QString &what);
void demoRequire(DemoContext &context, FrontEndObject &object, const char *operation, const QString &argument,
                 const QString &what);

// Columns of the order grid (column 0 is not used); the benchmark keys its orders in the same way.
inline constexpr int kOrderGridColumns = 18;

// An order keyed in without a quotation: lines, amounts and totals worked out as for a quotation
// of the same lines, header and grid filled as an order raised from a quotation is; payment
// "Credit", processed offline. The connection and connection string are left to the caller.
void fillOrder(FrontEndObject &order, LineGrid &grid, const SampleQuotation &sample);

} // namespace cli
} // namespace orbsales
