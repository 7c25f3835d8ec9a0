#pragma once

#include "orbsales/documents/document_messages.h"

#include <QString>

// The fixed messages of quotations and orders, exactly as the front end shows them.
namespace orbsales::order_messages {

inline const QString &kInvalidCompanyPrefix = document_messages::kInvalidComapnyPrefix;
inline const QString &kInvalidBranchPrefix = document_messages::kInvalidBranchPrefix;
inline const QString &kInvalidDocumentPrefix = document_messages::kInvalidDocumentPrefix;
inline const QString &kInvalidSubTotal = document_messages::kInvalidSubTotal;
inline const QString kInvalidQuotationAmount = QStringLiteral("Invalid Quotation Amount");
inline const QString kInvalidFcSubTotal = QStringLiteral("Invalid Foreign Currency Sub Total");
inline const QString kInvalidFcAmount = QStringLiteral("Invalid Foreign Currency Amount");
inline const QString &kInvalidCurrencyCode = document_messages::kInvalidCurrencyCode;
inline const QString kInvalidItemDetails = QStringLiteral("Invalid Quotation Item details.");
inline const QString kInvalidQuotationNoDot = QStringLiteral("Invalid Quotation No.");
inline const QString kInvalidQuotationNo = QStringLiteral("Invalid Quotation No");
inline const QString kInvalidConnectionString = QStringLiteral("Invalid Connection String");
inline const QString kCannotCancel = QStringLiteral("Cannot Cancel");

// Orders
inline const QString &kInvalidCustomerDetails = document_messages::kInvalidCustomerDetails;
inline const QString &kInvalidPaymentType = document_messages::kInvalidPaymentType;
inline const QString kQuotationToMarkNotFound = QStringLiteral("Invalid Quotation No "); // with its trailing blank
inline const QString kInvalidOrderNoDot = QStringLiteral("Invalid Order No.");
inline const QString kOrderNotFoundOnLoad = QStringLiteral("Invlaid Order No");
inline const QString &kInvalidSalesOrderNo = document_messages::kInvalidSalesOrderNo;
inline const QString kInvalidOrderNo = QStringLiteral("Invalid Order No");
inline const QString kOrderHasReferences = QStringLiteral("Cannot cancel, this Order is having References");
inline const QString kInvalidTemporaryOrderNo =
    QStringLiteral("Error while Processing, Invalid Temporary Sales Order No.");
inline const QString kSetSalesPreferences = QStringLiteral("Set the default sales preferences.");

// A unit or base factor missing for an item: reported, and the line counts with factor 1.
inline QString factorNotFound(const QString &itemCode, const QString &unitName) {
    return QStringLiteral("Item Code :'") + itemCode + QStringLiteral("' Unit Name :'") + unitName +
           QStringLiteral("' Not Found");
}

} // namespace orbsales::order_messages
