#include "orbsales/services/package/package_voucher.h"

#include "orbsales/data/schema.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/services/package/ledger_store.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"

#include <vector>

namespace orbsales::package {

namespace msg = messages;

namespace {

struct VoucherHeader {
    QString number;
    QString company;
    QString branch;
    QString prefix;
    QDateTime date;
    QString comments;
    QString customer;
    bool processed = false;
};

std::optional<VoucherHeader> findVoucher(Connection &connection, const QString &number) {
    const Connection::Result found = connection.select(
        QStringLiteral("Select Voucher_No, Company_Prefix, Branch_Prefix, Document_Prefix, Voucher_Date, "
                       "Voucher_Comments, Customer_Code, process_Flag from Voucher_Master Where Voucher_No = ?"),
        {number});
    if (found.rows.isEmpty())
        return std::nullopt;
    const QVariantList &row = found.rows.first();
    return VoucherHeader{row.at(0).toString(),
                         row.at(1).toString(),
                         row.at(2).toString(),
                         row.at(3).toString(),
                         schema::fromDatabase(schema::ColumnType::Date, row.at(4)).toDateTime(),
                         row.at(5).toString(),
                         row.at(6).toString().trimmed(),
                         row.at(7).toInt() != 0};
}

} // namespace

bool PackageDebitCreditNote::Process_Voucher(QString &voucherNo) {
    return trapped([&] {
        const QString number = voucherNo.trimmed().isEmpty() ? VoucherNo() : voucherNo;
        if (number.trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("VoucherNo")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<VoucherHeader> voucher = findVoucher(db.get(), number);
        if (!voucher)
            return fail(msg::unknownVoucher(number));
        if (voucher->processed)
            return fail(msg::voucherProcessed(number));

        const QVariant stamp = stampOf(LastUpdate());
        const Connection::Result rows = db->select(
            QStringLiteral("Select Voucher_Type, Account_No, Voucher_Description, Debit_Amount, FC_Debit_Amount, "
                           "Credit_Amount, FC_Credit_Amount, Foreign_Currency_Flag, Currency_Code, Currency_Symbol "
                           "from Voucher_Detail Where Voucher_No = ? Order by SL_No"),
            {number});
        if (rows.rows.isEmpty())
            return fail(msg::voucherWithoutLines(number));

        std::vector<LedgerLine> ledger;
        std::vector<ReceivableLine> receivable;
        QString customerCompany;
        double debits = 0, credits = 0, fcDebits = 0, fcCredits = 0;
        for (const QVariantList &row : rows.rows) {
            LedgerLine line{number,
                            voucher->prefix,
                            voucher->date,
                            row.at(8).toString(),
                            row.at(9).toString(),
                            row.at(2).toString(),
                            voucher->comments,
                            row.at(1).toString(),
                            row.at(3).toDouble(),
                            row.at(5).toDouble(),
                            row.at(4).toDouble(),
                            row.at(6).toDouble(),
                            row.at(7).toInt() != 0,
                            stamp};
            const QString problem = checkLedgerLine(db.get(), line);
            if (!problem.isEmpty())
                return fail(problem);
            debits += line.debit;
            credits += line.credit;
            fcDebits += line.fcDebit;
            fcCredits += line.fcCredit;
            if (row.at(0).toString().trimmed().compare(QStringLiteral("Customer"), Qt::CaseInsensitive) == 0) {
                if (voucher->customer.isEmpty())
                    return fail(msg::voucherWithoutCustomer(number));
                ReceivableLine entry{number,
                                     voucher->prefix,
                                     voucher->date,
                                     line.currencyCode,
                                     line.currencySymbol,
                                     line.description,
                                     line.comments,
                                     line.accountNo,
                                     voucher->customer,
                                     voucher->branch,
                                     line.debit,
                                     line.credit,
                                     line.fcDebit,
                                     line.fcCredit,
                                     line.foreignCurrency,
                                     stamp};
                const QString refused = checkReceivableLine(db.get(), entry, customerCompany);
                if (!refused.isEmpty())
                    return fail(refused);
                receivable.push_back(entry);
            }
            ledger.push_back(line);
        }
        if (!sameAmount(debits, credits))
            return fail(
                msg::voucherUnbalanced(number, QStringLiteral("home currency"), figure(debits), figure(credits)));
        if (!sameAmount(fcDebits, fcCredits))
            return fail(msg::voucherUnbalanced(number, QStringLiteral("foreign currency"), figure(fcDebits),
                                               figure(fcCredits)));

        WriteUnit unit(db.get());
        for (const LedgerLine &line : ledger) {
            writeLedgerLine(db.get(), line);
            moveAccountBalance(db.get(), line.accountNo, line.debit - line.credit, stamp);
        }
        for (const ReceivableLine &entry : receivable)
            writeReceivableLine(db.get(), entry, customerCompany);
        db->execute(QStringLiteral("Update Voucher_Master Set process_Flag = 1, Last_Update = ? Where Voucher_No = ?"),
                    {stamp, number});
        if (DocFlag())
            raiseCounterPastManual(db.get(), {voucher->company, voucher->branch, voucher->prefix},
                                   manualIdentity(manualDocIdentity()));
        unit.commit();
        voucherNo = number;
        return true;
    });
}

} // namespace orbsales::package
