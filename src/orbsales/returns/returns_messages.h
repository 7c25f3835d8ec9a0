#pragma once

#include <QString>

// What a sales return says, exactly as the front end shows it: double blanks, trailing blanks
// and the leading blank are part of the interface. The messages several documents share are in
// documents/document_messages.h.
namespace orbsales::returns_messages {

// Loading a cash memo's returnable lines.
inline const QString kNoReturnableCashMemoLines = QStringLiteral(" Delivery not created for this Cash Memo..");
// Reading a return.
inline const QString kInvalidSalesReturnNumber = QStringLiteral("Invalid Sales Return Number");
// Processing.
inline const QString kInvalidSalesReturn = QStringLiteral("Invalid Sales Return");
inline const QString kAlreadyProcessed = QStringLiteral("Already Processed");
inline const QString kInvalidTemporaryReturnNo =
    QStringLiteral("Error while Processing, Invalid Temporary Sales Return No.");
inline const QString kInvalidCostingType = QStringLiteral("Invalid Costing Type");
// The credit memo.
inline const QString kEnterCreditMemoNo = QStringLiteral("Please Enter  Credit Memo No");
inline const QString kEnterNumericCreditMemoNo = QStringLiteral("Please Enter Valid Numeric Credit Memo No ");
inline const QString kCreditMemoExists = QStringLiteral("Credit Memo No Already Exists ");
inline const QString kInvalidSalesReturnAccount = QStringLiteral("Invalid Sales Return Account");
inline const QString kCreditMemoDescription = QStringLiteral("System Generated Credit Memo.");

// Refusals of our own where the package's return gave none: a quantity beyond what the source
// line still has to return, and a source line that is not there. Nothing is written.
inline QString moreThanReturnable(const QString &itemCode, double quantity, double returnable,
                                  const QString &sourceNo) {
    return QStringLiteral("Return quantity %1 of item %2 is more than the %3 still returnable on %4")
        .arg(QString::number(quantity, 'g', 15), itemCode, QString::number(returnable, 'g', 15), sourceNo);
}
inline QString sourceLineMissing(const QString &itemCode, const QString &serial, const QString &sourceNo) {
    return QStringLiteral("Item %1 (line %2) is not a returnable line of %3").arg(itemCode, serial, sourceNo);
}

} // namespace orbsales::returns_messages
