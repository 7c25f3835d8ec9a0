#pragma once

#include <QString>

// The customer side's fixed messages, exactly as the front end shows them (full stops included
// or left out as each operation has always reported them).
namespace orbsales::customer_messages {

// Customer validation, in the order the checks run.
inline const QString kInvalidConnectionString = QStringLiteral("Invalid Connection string Property.");
inline const QString kInvalidCustomerCode = QStringLiteral("Invalid Customer Code.");
inline const QString kInvalidCustomerName = QStringLiteral("Invalid Customer Name.");
inline const QString kInvalidCustomerCurrency = QStringLiteral("Invalid Customer Currency.");
inline const QString kInvalidCurrency = QStringLiteral("Invalid Currency.");
inline const QString kInvalidReceivableAccount = QStringLiteral("Invalid Account Receivable Number.");

// Missing rows.
inline const QString kCustomerDoesNotExist = QStringLiteral("Customer Code Does Not Exists");
inline const QString kInvalidCustomerCodeNoDot = QStringLiteral("Invalid Customer Code");
inline const QString kInvalidAccount = QStringLiteral("Invalid Account");
inline const QString kCannotDelete = QStringLiteral("This Customer could not be deleted, due to existing transactions");

// Code change: "This " + the new code as typed + " code already in use".
inline QString codeAlreadyInUse(const QString &typedCode) {
    return QStringLiteral("This ") + typedCode + QStringLiteral(" code already in use");
}

// Price list.
inline const QString kInvalidItemCode = QStringLiteral("Invalid Item Code.");
inline const QString kInvalidItemName = QStringLiteral("Invalid Item Name.");
inline const QString kInvalidUnitName = QStringLiteral("Invalid Unit Name.");
inline const QString kInvalidCustomer = QStringLiteral("Invalid Customer");

// Opening balances (kInvalidCustomer above is theirs too).
inline const QString kInvalidConnectionDot = QStringLiteral("Invalid Connection.");
inline const QString kInvalidConnectionStringOB = QStringLiteral("Invalid Connection String");
inline const QString kInvalidReferenceNo = QStringLiteral("Invalid Reference No.");
inline const QString kInvalidReferenceDate = QStringLiteral("Invalid Reference Date");
inline const QString kInvalidAmount = QStringLiteral("Invalid Amount");
inline const QString kInvalidOBReceivableAccount = QStringLiteral("Invalid Accounts Receivable Account");
inline const QString kSetAdvanceReceiptAccount =
    QStringLiteral("Set Default Preferences for Advance Receipt Account in Account Preferences.");
inline const QString kErrorWhileProcessingOB = QStringLiteral("Error while Processing Opening balance");
// The receivable line of an opening-balance document: this, then the customer code from its third character on.
inline const QString kOpeningBalanceDescription = QStringLiteral("Customer Opening Balance Customer Code-");

// Collection errors of CustomerAddresses, in the words of the package's collections.
inline const QString kSubscriptOutOfRange = QStringLiteral("Subscript out of range");
inline const QString kInvalidProcedureCall = QStringLiteral("Invalid procedure call or argument");
inline const QString kDuplicateKey =
    QStringLiteral("This key is already associated with an element of this collection");

} // namespace orbsales::customer_messages
