#pragma once

#include "orbsales/documents/posting.h"

#include <QString>

namespace orbsales {

class Connection;

// The cost of goods that leave stock on a delivery, as two ledger lines of the same value: the
// item's inventory account credited, and the branch's cost-of-goods account debited, or its
// free-of-cost account for goods given free of charge. The cost accounts are the branch's
// sales preferences, not the item's own.
namespace cost_of_goods {

struct GoodsOut {
    QString itemCode; // as stored, company prefix included
    bool freeOfCost = false;
    double value = 0;
};

struct Posting {
    QString companyPrefix;
    QString branchPrefix;
    posting::DocumentRef document;
    posting::Conversion conversion; // into the document's currency, when it is foreign
    QString freeOfCostDescription;  // the two documents spell it differently
};

// The item's accounts (Get_Item_Account), the branch's cost accounts ("Set the Sales default
// settings in the Sales Preferences" when the branch has none), then the credit and the debit,
// each followed by its chart-of-accounts posting. False leaves the reason in `errDesc`; a line
// already posted stays.
bool post(Connection &connection, const Posting &posting, const GoodsOut &goods, QString &errDesc);

} // namespace cost_of_goods
} // namespace orbsales
