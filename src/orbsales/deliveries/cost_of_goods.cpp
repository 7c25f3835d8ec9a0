#include "orbsales/deliveries/cost_of_goods.h"

#include "orbsales/deliveries/delivery_messages.h"

namespace orbsales::cost_of_goods {

namespace msg = delivery_messages;

bool post(Connection &connection, const Posting &how, const GoodsOut &goods, QString &errDesc) {
    posting::ItemAccounts itemAccounts;
    if (!posting::itemAccounts(connection, goods.itemCode, how.companyPrefix, how.branchPrefix, itemAccounts, errDesc))
        return false;
    const std::optional<posting::CostAccounts> branch = posting::branchCostAccounts(connection, how.branchPrefix);
    if (!branch) {
        errDesc = msg::kSetSalesDefaults;
        return false;
    }
    const QString shownCode = goods.itemCode.mid(2);
    const bool foreign = how.document.foreignCurrency;

    posting::LedgerLine credit;
    credit.account = itemAccounts.inventory;
    credit.description = msg::kInventoryLine + shownCode;
    credit.credit = goods.value;
    credit.fcCredit = posting::foreignAmount(foreign, how.conversion, goods.value);
    if (!posting::postLedgerLine(connection, how.document, credit, -goods.value, errDesc))
        return false;

    posting::LedgerLine debit;
    debit.account = goods.freeOfCost ? branch->freeOfCost : branch->costOfGoods;
    debit.description = (goods.freeOfCost ? how.freeOfCostDescription : msg::kCostOfGoodsLine) + shownCode;
    debit.debit = goods.value;
    debit.fcDebit = posting::foreignAmount(foreign, how.conversion, goods.value);
    return posting::postLedgerLine(connection, how.document, debit, goods.value, errDesc);
}

} // namespace orbsales::cost_of_goods
