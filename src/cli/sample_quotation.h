#pragma once

#include "orbsales/services/package/demo_company.h"

#include <QDate>
#include <QString>
#include <vector>

namespace orbsales {
class LineGrid;
namespace cli {

class FrontEndObject;

// A quotation as a user would key it in, for the demo and the benchmark.
struct SampleLine {
    QString code; // an item of the demo company, as the grid shows it
    double qty = 1;
    double discountPercent = 0;
};

struct SampleQuotation {
    QString branch = demo::kHeadOffice;
    QString customerCode; // as the user types it
    QString customerName;
    QString currency = demo::kHomeCurrency;
    double discountPercent = 0; // on the sub total
    QString reference;
    QString comments;
    QDate date;
    std::vector<SampleLine> lines;
};

// Columns of the quotation grid the samples fill (column 0 is not used).
inline constexpr int kQuotationGridColumns = 15;

// Captions in the header row, which the library never reads.
void writeQuotationCaptions(LineGrid &grid);

// Puts the lines in rows 1.. (emptying the rows after them) and sets the quotation's header
// properties, with line amounts, discounts and totals worked out as the front end does before
// it saves. The connection string is left to the caller.
void fillQuotation(FrontEndObject &quotation, LineGrid &grid, const SampleQuotation &sample);

} // namespace cli
} // namespace orbsales
