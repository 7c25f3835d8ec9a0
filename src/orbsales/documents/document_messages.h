#pragma once

#include <QString>

// Messages several sales documents give in the same words. Each subsystem keeps the messages
// only it gives in its own header; these are the shared ones, exactly as the front end shows
// them (misspellings included: they are part of the interface).
namespace orbsales::document_messages {

// Header checks.
inline const QString kInvalidComapnyPrefix = QStringLiteral("Invalid Comapny Prefix");
inline const QString kInvalidBranchPrefix = QStringLiteral("Invalid Branch Prefix");
inline const QString kInvalidDocumentPrefix = QStringLiteral("Invalid Document Prefix");
inline const QString kInvalidCustomerDetails = QStringLiteral("Invalid Customer Details");
inline const QString kInvalidPaymentType = QStringLiteral("Invalid Payment Type");
inline const QString kInvalidCurrencyCode = QStringLiteral("Invalid Currency Code");
inline const QString kInvalidSubTotal = QStringLiteral("Invalid Sub Total");

// The caller's connection.
inline const QString kConnectionNotOpened = QStringLiteral("Connection not opened");
inline const QString kConnectionIsNotOpen = QStringLiteral("Connection is not open");
inline const QString kInvalidConnectionObject = QStringLiteral("Invalid Connection Object");

// Source documents and their lines.
inline const QString kInvalidSalesOrderNo = QStringLiteral("Invalid Sales Order No");
inline const QString kInvalidDeliveryNo = QStringLiteral("Invalid Delivery No");
inline const QString kInvalidCashMemoNo = QStringLiteral("Invalid Cash Memo No");
inline const QString kInvalidItemDetails = QStringLiteral("Invalid Item Details");

// Accounts of the preferences.
inline const QString kSetSalesDefaults = QStringLiteral("Set the Sales default settings in the Sales Preferences");
inline const QString kInvalidDefaultSalesAccount = QStringLiteral("Invalid Default Sales Account");
inline const QString kInvalidDefaultDiscountAccount = QStringLiteral("Invalid Default Discount Account");
inline const QString kInvalidDefaultCashMemoAccount = QStringLiteral("Invalid Default Cash Memo Account");

} // namespace orbsales::document_messages
