#pragma once

#include "demo.h"
#include "sample_quotation.h"
#include "sample_return.h"

#include "orbsales/services/package/demo_company.h"

#include <QString>
#include <functional>
#include <vector>

// The steps of the document sections that the whole chain takes again for one customer. Each
// is written once, in the section of its document type, and prints what it does as that
// section does.
namespace orbsales::cli {

// The customer of the demo company with that code, as the user types it ("C002").
const demo::DemoCustomer &seededCustomer(const char *code);

// The quotation keyed in as `sample`, created; with `show`, its header fields and grid printed.
// Answers its number.
QString createQuotation(DemoContext &context, const SampleQuotation &sample, const QString &what, bool show = false);

// An order raised from the quotation as the order screen does, created and processed offline;
// with `show`, the processed order reloaded and its header fields and grid printed. Answers its
// final number.
QString orderFromQuotation(DemoContext &context, const QString &quotationNo, bool show = false);

// A delivery of a processed order of the head office as the storekeeper keys it: the order's open
// lines loaded, each row given the quantity `take(row, open quantity)` answers (0: left open).
struct OrderDelivery {
    QString orderNo;
    std::function<double(int row, double open)> take;
    QString reference;
    QString comments;
};
// Loads, picks and prints the lines, creates the delivery, marks the order and processes the
// delivery online. Answers its final number.
QString deliverOrder(DemoContext &context, const OrderDelivery &delivery, const QString &what);

// An invoice of the customer's processed delivery of the head office: the customer's open
// delivery lines offered, the delivery's own ticked, created and processed online. Answers the
// invoice's final number.
QString invoiceDelivery(DemoContext &context, const demo::DemoCustomer &customer, const QString &deliveryNo,
                        const QString &what);

// What a processed return left: its number and its credit memo's (empty when none was made).
struct ProcessedReturn {
    QString returnNo;
    QString creditMemoNo;
};
// The return screen: the source's lines loaded, the asked ones ticked, saved and processed, with
// the cost each line came back at and the credit memo printed; processing it again is refused.
ProcessedReturn returnGoods(DemoContext &context, const SampleReturn &sample, const QString &what);

// A cash memo keyed in at the head office's counter for the customer, paid in cash, saved and
// processed online; its grid and header printed. `referencePrefix` marks a point-of-sale memo
// ("POS"). Answers its final number.
QString sellForCash(DemoContext &context, const demo::DemoCustomer &customer, const std::vector<SampleLine> &lines,
                    const QString &what, const QString &referencePrefix = {});

} // namespace orbsales::cli
