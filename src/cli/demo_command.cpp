#include "commands.h"
#include "database_setup.h"
#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"

#include <QMetaObject>
#include <exception>
#include <optional>

namespace orbsales::cli {

namespace {

// The demonstration, one section per document type, in the order a sale runs.
constexpr DemoSection kSections[] = {
    {"Customers", demoCustomers},
    {"Customer opening balance", demoOpeningBalances},
    {"Sales quotations", demoQuotations},
    {"Sales order", demoOrders},
    {"Deliveries", demoDeliveries},
    {"Cash memos", demoCashMemos},
    {"Sales invoice", demoInvoices},
    {"Order conversion", demoConversion},
    {"Sales returns", demoReturns},
    {"The whole chain", demoChain},
    {"The books", demoBooks},
};

bool reportCall(DemoContext &context, const FrontEndObject &object, const QString &call, const QString &what,
                bool result) {
    context.out << "> " << what << ": " << call << " -> " << (result ? "True" : "False");
    if (!result)
        context.out << "   ErrDesc: \"" << object.errDesc() << '"';
    context.out << '\n';
    return result;
}

void requireResult(const FrontEndObject &object, const char *operation, bool result) {
    if (!result)
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), object.errDesc()));
}

} // namespace

bool demoCall(DemoContext &context, FrontEndObject &object, const char *operation, const QString &what) {
    return reportCall(context, object, QLatin1String(operation), what, object.call(operation));
}

void demoRequire(DemoContext &context, FrontEndObject &object, const char *operation, const QString &what) {
    requireResult(object, operation, demoCall(context, object, operation, what));
}

bool demoCall(DemoContext &context, FrontEndObject &object, const char *operation, const QString &argument,
              const QString &what) {
    bool result = false;
    if (!QMetaObject::invokeMethod(&object.object(), operation, Qt::DirectConnection, Q_RETURN_ARG(bool, result),
                                   Q_ARG(QString, argument)))
        throw OrbError(
            QStringLiteral("%1 has no operation %2(String)").arg(object.identifier(), QLatin1String(operation)));
    return reportCall(context, object, QStringLiteral("%1(\"%2\")").arg(QLatin1String(operation), argument), what,
                      result);
}

void demoRequire(DemoContext &context, FrontEndObject &object, const char *operation, const QString &argument,
                 const QString &what) {
    requireResult(object, operation, demoCall(context, object, operation, argument, what));
}

const demo::DemoCustomer &seededCustomer(const char *code) {
    for (const demo::DemoCustomer &customer : demo::customers())
        if (qstrcmp(customer.code, code) == 0)
            return customer;
    throw OrbError(QStringLiteral("the demo company has no customer %1").arg(QLatin1String(code)));
}

// --atomic makes every operation of the demonstration all-or-nothing (AtomicFlag).
int runDemo(const Invocation &call) {
    QStringList args = call.args;
    const bool atomic = args.removeAll(QStringLiteral("--atomic")) > 0;
    if (!args.isEmpty()) {
        call.err << "usage: orbsales demo [--atomic] [--db DB]\n";
        return kExitUsage;
    }
    Connection connection;
    if (const std::optional<int> refused = openForCommand(call, "demo", connection, DatabaseUse::Existing))
        return *refused;
    try {
        const FrontEndObject::AllOrNothing allOrNothing(atomic);
        if (initialiseDatabase(connection))
            call.out << "initialised " << displayName(call.db) << " with the demo company\n";
        else
            call.out << "using " << displayName(call.db) << " as it is; document numbers go on from there\n";
        DemoContext context{call.db, call.out, connection};
        for (const DemoSection &section : kSections) {
            const QString title = QString::fromLatin1(section.title);
            call.out << '\n' << title << '\n' << QString(title.size(), QLatin1Char('=')) << "\n\n";
            section.run(context);
        }
        call.out << "\nThe demonstration ran to the end.\n";
        return kExitOk;
    } catch (const std::exception &error) {
        call.out.flush();
        call.err << "orbsales demo: " << QString::fromUtf8(error.what()) << '\n';
        return kExitFailed;
    }
}

} // namespace orbsales::cli
