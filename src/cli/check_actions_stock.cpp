#include "check_support.h"

#include "orbsales/data/connection.h"
#include "orbsales/documents/posting.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_deliveries.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

// Goods received: the shop buys again what it sells. The package has no purchase document, so
// the check books a receipt the way the demo company's opening stock is booked: a purchase lot,
// a stock movement in at the branch's location, the stock in hand and its value, and the ledger
// (inventory debited, the head office's equity credited in place of a supplier), in one
// transaction.
namespace orbsales::cli {

namespace {

struct Received {
    QString item;
    QString name;
    QString unit;
    QString branch;
    QString inventoryAccount;
    double quantity = 0;
    double amount = 0;
};

void bookReceipt(CheckContext &context, const Received &receipt, const QString &number) {
    Connection &db = context.connection;
    const QDateTime now = QDateTime::currentDateTime();
    const package::StockLocation location = package::demoLocation(receipt.branch);
    db.execute(QStringLiteral("Insert into Purchase_Log (Item_Code, Company_Prefix, Branch_Prefix, Purchase_Document_No, "
                              "Purchase_Log_Date, Total_Purchase_Qty, Sold_Qty, Purchase_Item_Amount, Last_Update) "
                              "values (?, ?, ?, ?, ?, ?, 0, ?, ?)"),
               {receipt.item, demo::kCompany, receipt.branch, number, today(), receipt.quantity, receipt.amount, now});
    db.execute(QStringLiteral("Insert into Stock_Movement (Company_Prefix, Branch_Prefix, Document_Prefix, Document_No, "
                              "Document_Date, Document_Type, Item_Code, Item_Name, Unit_Code, Unit_Name, FOC_Flag, "
                              "Unit_Qty, In_Qty, In_Amount, In_Price, Out_Qty, Out_Amount, Out_Price, Base_Qty, "
                              "Location_ID, Location_Name, Stock_Comments, Last_Update) values (?, ?, 'GRN', ?, ?, 'IN', "
                              "?, ?, 1, ?, 0, 1, ?, ?, ?, 0, 0, 0, ?, ?, ?, 'Goods received', ?)"),
               {demo::kCompany, receipt.branch, number, today(), receipt.item, receipt.name, receipt.unit,
                receipt.quantity, receipt.amount, receipt.amount / receipt.quantity, receipt.quantity, location.id,
                location.name, now});
    db.execute(QStringLiteral("Update Item_Master_Detail Set Stock_In_Hand = COALESCE(Stock_In_Hand, 0) + ?, "
                              "Stock_Amount = COALESCE(Stock_Amount, 0) + ?, Last_Update = ? Where Item_Code = ? and "
                              "Branch_Prefix = ?"),
               {receipt.quantity, receipt.amount, now, receipt.item, receipt.branch});
    const int moved = db.execute(
        QStringLiteral("Update Location_Stock Set Location_Qty = COALESCE(Location_Qty, 0) + ?, Last_Update = ? Where "
                       "Item_Code = ? and Branch_Prefix = ? and Location_ID = ?"),
        {receipt.quantity, now, receipt.item, receipt.branch, location.id});
    if (moved == 0)
        db.execute(QStringLiteral("Insert into Location_Stock (Company_Prefix, Branch_Prefix, Item_Code, Item_Name, "
                                  "Location_ID, Location_Name, Location_Qty, Opening_Qty, Last_Update) values "
                                  "(?, ?, ?, ?, ?, ?, ?, 0, ?)"),
                   {demo::kCompany, receipt.branch, receipt.item, receipt.name, location.id, location.name,
                    receipt.quantity, now});
    const posting::DocumentRef document{number, QStringLiteral("GRN"), today(), demo::kHomeCurrency,
                                        QStringLiteral("Dhs"), false, now};
    const QString equity = demo::kCompany + demo::kHeadOffice + QStringLiteral("3000");
    QString problem;
    if (!posting::postLedgerLine(db, document,
                                 {receipt.inventoryAccount, QStringLiteral("Goods received"), std::nullopt,
                                  receipt.amount, 0, receipt.amount, 0},
                                 problem) ||
        !posting::postLedgerLine(db, document,
                                 {equity, QStringLiteral("Goods received"), std::nullopt, 0, receipt.amount, 0,
                                  receipt.amount},
                                 problem))
        throw OrbError(QStringLiteral("the receipt %1 could not be posted: %2").arg(number, problem));
}

bool goodsReceived(CheckContext &context) {
    const QString branch = randomBranch(context);
    const QVariantList item = context.pickRow(
        QStringLiteral("Select D.Item_Code, I.Item_Name, I.Unit_Name, D.Inventory_Account_No, "
                       "COALESCE(D.Stock_In_Hand, 0), COALESCE(D.Stock_Amount, 0), COALESCE(I.Unit_Price, 0) "
                       "from Item_Master_Detail D, Item_Master I Where I.Item_Code = D.Item_Code and "
                       "D.Branch_Prefix = ? and TRIM(I.Item_Type) in ('0', '3') Order by D.Item_Code"),
        {branch});
    if (item.isEmpty())
        return true;
    Received receipt{item.at(0).toString(), item.at(1).toString(), item.at(2).toString(), branch,
                     item.at(3).toString(),  double(10 * (2 + context.pick(5))), 0};
    const double inHand = item.at(4).toDouble();
    const double unitCost = inHand > 0 && item.at(5).toDouble() > 0 ? item.at(5).toDouble() / inHand
                                                                     : 0.6 * item.at(6).toDouble();
    receipt.amount = numbers::roundHalfEven(receipt.quantity * unitCost, 2);
    const QString number = demo::kCompany + branch + QStringLiteral("GRN") + QString::number(qint64(context.manualNumber()));
    context.connection.beginTransaction();
    try {
        bookReceipt(context, receipt, number);
        context.connection.commit();
    } catch (...) {
        context.connection.rollback();
        throw;
    }
    return true;
}

} // namespace

std::vector<CheckAction> stockActions() { return {{"goods received", 4, goodsReceived}}; }

} // namespace orbsales::cli
