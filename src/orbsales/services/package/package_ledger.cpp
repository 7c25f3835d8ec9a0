#include "orbsales/services/package/package_ledger.h"

#include "orbsales/services/package/chart_postings.h"
#include "orbsales/services/package/ledger_store.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"

#include <utility>

namespace orbsales::package {

namespace msg = messages;

bool PackageGeneralLedger::GLInsert() {
    return trapped([this] {
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        LedgerLine line{DocumentNo(),          DocumentPrefix(),     GLDate(),          CurrencyCode(),
                        CurrencySymbol(),      GLDescription(),      GLComments(),      accountno(),
                        GLDebitAmount(),       GLCreditAmount(),     FCGLDebitAmount(), FCGLCreditAmount(),
                        ForeignCurrencyFlag(), stampOf(LastUpdate())};
        const QString problem = checkLedgerLine(db.get(), line);
        if (!problem.isEmpty())
            return fail(problem);
        writeLedgerLine(db.get(), line);
        m_lastLine = PostedLine{line.accountNo, line.debit - line.credit};
        return true;
    });
}

bool PackageGeneralLedger::COAPosting(const QString &accountNo, double amount) {
    return trapped([&] {
        if (!usableNumber(amount))
            return fail(msg::notANumber(QStringLiteral("The amount")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        WriteUnit unit(db.get());
        if (!moveAccountBalance(db.get(), accountNo, amount, stampOf(LastUpdate())))
            return fail(msg::unknownAccount(accountNo));
        // The balance of the line just written moved by another amount than the line: kept, so
        // that the books tell it from a breach and taking the document back takes back this.
        const std::optional<PostedLine> line = std::exchange(m_lastLine, std::nullopt);
        if (line && line->account == accountNo && !sameAmount(line->net, amount) &&
            !DocumentNo().trimmed().isEmpty())
            recordChartDifference(db.get(), DocumentNo(), accountNo, line->net, amount, stampOf(LastUpdate()));
        unit.commit();
        return true;
    });
}

bool PackageGeneralLedger::GLDelete() {
    return trapped([this] {
        if (DocumentNo().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("DocumentNo")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        WriteUnit unit(db.get());
        takeBackDocument(db.get(), DocumentNo(), stampOf(LastUpdate()));
        unit.commit();
        return true;
    });
}

bool PackageAccountsReceivable::AR_Insert_Transaction() {
    return trapped([this] {
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        ReceivableLine line{
            DocumentNo(),         DocumentPrefix(),  ARLDate(),          CurrencyCode(),      CurrencySymbol(),
            ARLDescription(),     ARLComments(),     accountno(),        CustomerCode(),      BranchPrefix(),
            ARLDebitAmount(),     ARLCreditAmount(), FCARLDebitAmount(), FCARLCreditAmount(), ForeignCurrencyFlag(),
            stampOf(LastUpdate())};
        QString company;
        const QString problem = checkReceivableLine(db.get(), line, company);
        if (!problem.isEmpty())
            return fail(problem);
        WriteUnit unit(db.get());
        writeReceivableLine(db.get(), line, company);
        unit.commit();
        return true;
    });
}

bool PackageAccountsReceivable::ARL_Delete() {
    return trapped([this] {
        if (DocumentNo().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("DocumentNo")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        WriteUnit unit(db.get());
        deleteReceivableLines(db.get(), DocumentNo());
        unit.commit();
        return true;
    });
}

} // namespace orbsales::package
