#pragma once

#include "orbsales/documents/document_messages.h"

#include <QString>

// The fixed messages of cash memos, exactly as the front end shows them (misspellings included).
namespace orbsales::cashmemo_messages {

// Header checks.
inline const QString &kInvalidCompanyPrefix = document_messages::kInvalidComapnyPrefix;
inline const QString &kInvalidBranchPrefix = document_messages::kInvalidBranchPrefix;
inline const QString &kInvalidDocumentPrefix = document_messages::kInvalidDocumentPrefix;
inline const QString &kInvalidCustomerDetails = document_messages::kInvalidCustomerDetails;
inline const QString &kInvalidPaymentType = document_messages::kInvalidPaymentType;
inline const QString kInvalidCreditCardDetails = QStringLiteral("Invalid Credit Card Details");
inline const QString kInvalidChequeDetails = QStringLiteral("Invalid Cheque Details");

// The memo itself.
inline const QString kInvalidCashMemoNoDot = QStringLiteral("Invalid Cash Memo No.");
inline const QString kCashMemoNotFoundOnLoad = QStringLiteral("Invlaid Cash Memo No");
inline const QString &kInvalidCashMemoNo = document_messages::kInvalidCashMemoNo;
inline const QString &kInvalidConnectionObject = document_messages::kInvalidConnectionObject;
inline const QString kInvalidTemporaryCashMemoNo =
    QStringLiteral("Error while Processing, Invalid Temporary Cash Memo No.");

// Source documents.
inline const QString &kInvalidSalesOrderNo = document_messages::kInvalidSalesOrderNo;
inline const QString &kInvalidDeliveryNo = document_messages::kInvalidDeliveryNo;
inline const QString &kInvalidItemDetails = document_messages::kInvalidItemDetails;

// Accounts of the preferences.
inline const QString kInvalidCashSalesAccount =
    QStringLiteral("Invalid Cash Sales Account, Set this account in the Sales Preferences");
inline const QString &kSetSalesDefaults = document_messages::kSetSalesDefaults;
inline const QString &kInvalidDefaultSalesAccount = document_messages::kInvalidDefaultSalesAccount;
inline const QString &kInvalidDefaultDiscountAccount = document_messages::kInvalidDefaultDiscountAccount;
inline const QString &kInvalidDefaultCashMemoAccount = document_messages::kInvalidDefaultCashMemoAccount;

} // namespace orbsales::cashmemo_messages
