#include "check_support.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"

#include <algorithm>
#include <cmath>

namespace orbsales::cli {

void prepare(CheckContext &context, FrontEndObject &object) {
    object.set("LastUpdate", QDateTime::currentDateTime());
    if (context.atomic)
        object.set("AtomicFlag", true);
}

bool answered(CheckContext &context, FrontEndObject &object, const char *operation) {
    if (object.call(operation))
        return true;
    return refused(context, QStringLiteral("%1 %2").arg(QLatin1String(operation), object.errDesc()));
}

bool refused(CheckContext &context, const QString &why) {
    context.refusal = why;
    return false;
}

QString randomBranch(CheckContext &context) { return context.chance(0.8) ? demo::kHeadOffice : demo::kSecondBranch; }

CheckCustomer randomCustomer(CheckContext &context) {
    const auto customers = demo::customers();
    const demo::DemoCustomer &customer = customers[size_t(context.pick(int(customers.size())))];
    const QString currency = QString::fromUtf8(customer.currency);
    return {demo::kCompany + QString::fromUtf8(customer.code), QString::fromUtf8(customer.name), currency,
            currency != demo::kHomeCurrency};
}

QString stockKey(const QString &itemCode, const QString &branch) { return itemCode + QLatin1Char('|') + branch; }

double Sellable::take(const QString &itemCode, const QString &branch, double wanted) {
    const Connection::Result stock = m_context.connection.select(
        QStringLiteral("Select COALESCE(D.Stock_In_Hand, 0), I.Item_Type from Item_Master I left join "
                       "Item_Master_Detail D on D.Item_Code = I.Item_Code and D.Branch_Prefix = ? Where I.Item_Code = ?"),
        {branch, itemCode});
    if (stock.rows.isEmpty())
        return 0;
    const QString type = stock.rows.first().at(1).toString().trimmed();
    if (type != QLatin1String("0") && type != QLatin1String("3"))
        return wanted;
    const QString key = stockKey(itemCode, branch);
    const double share = std::floor(stock.rows.first().at(0).toDouble() / m_context.clients);
    const double left = share - m_context.reserved.value(key) - m_taken.value(key);
    const double granted = std::max(0.0, std::min(wanted, std::floor(left)));
    m_taken[key] += granted;
    return granted;
}

SampleQuotation randomSale(CheckContext &context) {
    SampleQuotation sale;
    const CheckCustomer customer = randomCustomer(context);
    sale.customerCode = customer.code.mid(demo::kCompany.size());
    sale.customerName = customer.name;
    sale.currency = customer.currency;
    sale.branch = randomBranch(context);
    sale.date = QDate(2026, 12, 1).addDays(context.pick(28));
    sale.discountPercent = context.chance(0.3) ? double(context.pick(3) * 5) : 0;
    const auto items = demo::items();
    const int lines = 1 + context.pick(4);
    Sellable sellable(context);
    for (int i = 0; i < lines; ++i) {
        const QString code = QString::fromUtf8(items[size_t(context.pick(int(items.size())))].code);
        const double wanted = double(1 + context.pick(9));
        const double quantity = sellable.take(demo::kCompany + code, sale.branch, wanted);
        // No line discount: the keyed sample gives a line's discount as the line's total, which
        // deliveries, invoices and cash memos made from the order read as a discount per unit.
        if (quantity > 0)
            sale.lines.push_back({code, quantity, 0});
    }
    if (sale.lines.empty()) // nothing of the drawn goods in stock: the customer books the service
        sale.lines.push_back({QStringLiteral("S100"), double(1 + context.pick(3)), 0});
    return sale;
}

ProcessMode randomMode(CheckContext &context, bool synchronisable) {
    const int drawn = context.pick(synchronisable ? 10 : 8);
    return drawn < 6 ? ProcessMode::Online : drawn < 8 ? ProcessMode::Offline : ProcessMode::Synchronised;
}

void setMode(FrontEndObject &object, ProcessMode mode) {
    object.set("OnlineFlag", mode == ProcessMode::Online);
    object.set("SyncFlag", mode == ProcessMode::Synchronised);
}

void maybeTypeNumber(CheckContext &context, FrontEndObject &object, const char *flag, const char *identity) {
    const bool typed = context.chance(0.3);
    object.set(flag, typed);
    if (typed)
        object.set(identity, context.manualNumber());
}

bool processDrawn(CheckContext &context, std::shared_ptr<FrontEndObject> object, std::shared_ptr<void> keep,
                  const char *manualFlag, const char *manualIdentity, const Processing &process,
                  const Reservation &takes) {
    const bool offline = context.chance(0.25);
    setMode(*object, offline ? ProcessMode::Offline : ProcessMode::Online);
    maybeTypeNumber(context, *object, manualFlag, manualIdentity);
    object->set("LastUpdate", QDateTime::currentDateTime());
    if (!process(context, *object))
        return false;
    if (!offline)
        return true;
    for (auto taken = takes.begin(); taken != takes.end(); ++taken)
        context.reserved[taken.key()] += taken.value();
    context.awaitingCopy.push_back([object, keep, process, takes](CheckContext &later) {
        for (auto taken = takes.begin(); taken != takes.end(); ++taken)
            later.reserved[taken.key()] -= taken.value();
        setMode(*object, ProcessMode::Synchronised);
        object->set("LastUpdate", QDateTime::currentDateTime());
        return process(later, *object);
    });
    return true;
}

bool processOnline(CheckContext &context, FrontEndObject &object, const char *manualFlag, const char *manualIdentity,
                   const Processing &process) {
    setMode(object, ProcessMode::Online);
    maybeTypeNumber(context, object, manualFlag, manualIdentity);
    object.set("LastUpdate", QDateTime::currentDateTime());
    return process(context, object);
}

Processing operation(const char *name) {
    return [name](CheckContext &context, FrontEndObject &object) { return answered(context, object, name); };
}

QDateTime today() { return QDateTime(QDate::currentDate(), QTime(0, 0)); }

} // namespace orbsales::cli
