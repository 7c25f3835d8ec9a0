#pragma once

#include "orbsales/documents/document_messages.h"

#include <QString>

// The fixed messages of sales invoices, exactly as the front end shows them (blanks included).
namespace orbsales::invoice_messages {

inline const QString &kConnectionNotOpened = document_messages::kConnectionNotOpened;
inline const QString &kInvalidConnectionObject = document_messages::kInvalidConnectionObject;
inline const QString kInvalidInvoiceNo = QStringLiteral("Invalid Invoice No");
inline const QString kInvalidCustomerCode = QStringLiteral("Invalid Customer Code");
inline const QString &kInvalidCurrencyCode = document_messages::kInvalidCurrencyCode;
inline const QString &kInvalidItemDetails = document_messages::kInvalidItemDetails;
inline const QString kInvalidTemporaryInvoiceNo =
    QStringLiteral("Error while Processing, Invalid Temporary Sales Invoice No.");
inline const QString &kInvalidDefaultSalesAccount = document_messages::kInvalidDefaultSalesAccount;
inline const QString &kSetSalesDefaults = document_messages::kSetSalesDefaults;
inline const QString kInvalidSalesAccount = QStringLiteral("Invalid Sales Account "); // with its trailing blank
inline const QString &kInvalidDefaultDiscountAccount = document_messages::kInvalidDefaultDiscountAccount;
inline const QString kAlreadyAdjusted = QStringLiteral("Cannot Cancel, This Invoice Already Adjusted");

// Texts of the postings.
inline const QString kSalesAccountItemCode = QStringLiteral("Sales Account : ItemCode - ");
inline const QString kSalesAccountItemName = QStringLiteral("Sales Account : ItemName - ");
inline const QString kDiscountAccount = QStringLiteral("Discount Account");
inline const QString kReceivableCustomerCode = QStringLiteral("Accounts Receivable : Customer Code - ");

} // namespace orbsales::invoice_messages
