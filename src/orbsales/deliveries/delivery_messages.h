#pragma once

#include "orbsales/documents/document_messages.h"

#include <QString>

// The fixed messages of delivery notes and direct deliveries, exactly as the front end shows
// them (the capital "NO" included: it is part of the interface).
namespace orbsales::delivery_messages {

// Delivery notes.
inline const QString &kConnectionNotOpened = document_messages::kConnectionNotOpened;
inline const QString kInvalidSourceNo = QStringLiteral("Invalid Sales Order or Cash Memo No");
inline const QString kInvalidSourcePrefix = QStringLiteral("Invalid Sales Order or Cash Memo Prefix");
inline const QString kBlankSalesOrderNo = QStringLiteral("Invalid Sales Order NO");
inline const QString &kInvalidSalesOrderNo = document_messages::kInvalidSalesOrderNo;
inline const QString &kInvalidCashMemoNo = document_messages::kInvalidCashMemoNo;
inline const QString &kInvalidItemDetails = document_messages::kInvalidItemDetails;
inline const QString &kInvalidDocumentPrefix = document_messages::kInvalidDocumentPrefix;
inline const QString &kConnectionIsNotOpen = document_messages::kConnectionIsNotOpen;
inline const QString &kInvalidDeliveryNo = document_messages::kInvalidDeliveryNo;
inline const QString &kInvalidCurrencyCode = document_messages::kInvalidCurrencyCode;
inline const QString kInvalidTemporaryDeliveryNo =
    QStringLiteral("Error while Processing, Invalid Temporary Delivery No.");
inline const QString &kSetSalesDefaults = document_messages::kSetSalesDefaults;

// Direct deliveries: their own spelling of the company check.
inline const QString &kInvalidCustomerDetails = document_messages::kInvalidCustomerDetails;
inline const QString &kInvalidPaymentType = document_messages::kInvalidPaymentType;
inline const QString kInvalidCompanyPrefix = QStringLiteral("Invalid Company Prefix");
inline const QString &kInvalidBranchPrefix = document_messages::kInvalidBranchPrefix;
inline const QString &kInvalidSubTotal = document_messages::kInvalidSubTotal;
inline const QString kInvalidTotalAmount = QStringLiteral("Invalid Total Amount");

// Descriptions of the cost-of-goods ledger lines, followed by the item code without its company.
inline const QString kInventoryLine = QStringLiteral("Inventory Account : Item Code - ");
inline const QString kCostOfGoodsLine = QStringLiteral("Cost Of Goods Account : Item Code - ");
// The delivery note and the direct delivery have always written "of" differently here.
inline const QString kDeliveryFreeOfCostLine = QStringLiteral("Free Of Cost Account : Item Code - ");
inline const QString kDirectFreeOfCostLine = QStringLiteral("Free of Cost Account : Item Code - ");

} // namespace orbsales::delivery_messages
