#pragma once

#include <QString>

// The programmatic identifiers under which the package's sibling components are created.
namespace orbsales::service_ids {

inline const QString kCounterTransaction = QStringLiteral("OrbSystem.CounterTransaction");
inline const QString kGeneral = QStringLiteral("OrbSystem.General");
inline const QString kCurrency = QStringLiteral("OrbCurrency.Currency");
inline const QString kGeneralLedger = QStringLiteral("OrbAccounts.GeneralLedger");
inline const QString kAccountsReceivable = QStringLiteral("OrbAccounts.AccountsReceivable");
inline const QString kInventory = QStringLiteral("OrbInventory.Inventory");
inline const QString kStockMovement = QStringLiteral("OrbInventory.StockMovement");
inline const QString kLocationStock = QStringLiteral("OrbInventory.LocationStock");
inline const QString kReduceStock = QStringLiteral("OrbInventory.ReduceStock");
inline const QString kSalesLog = QStringLiteral("OrbInventory.SalesLog");
inline const QString kProjectTransaction = QStringLiteral("OrbProject.ProjectTransaction");
inline const QString kPDC = QStringLiteral("OrbBank.PDC");
inline const QString kDebitCreditNote = QStringLiteral("OrbAccountsExt.DebitCreditNote");

} // namespace orbsales::service_ids
