#include "orbsales/services/package/package_records.h"

#include "orbsales/data/recordset.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/services/package/item_store.h"
#include "orbsales/services/package/package_counter.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"

#include <initializer_list>
#include <utility>

namespace orbsales::package {

namespace msg = messages;

namespace {

// The first of `figures` that is not a finite number, by its property name; empty when none.
QString unusableFigure(std::initializer_list<std::pair<const char *, double>> figures) {
    for (const auto &[name, value] : figures)
        if (!usableNumber(value))
            return msg::notANumber(QString::fromLatin1(name));
    return {};
}

} // namespace

bool PackageSalesLog::Create_SalesLog() {
    return trapped([this] {
        if (SalesDocumentNo().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("SalesDocumentNo")));
        const QString problem = unusableFigure({{"UnitQty", UnitQty()},
                                                {"SalesQty", SalesQty()},
                                                {"SalesItemAmount", SalesItemAmount()},
                                                {"SalesUnitPrice", SalesUnitPrice()},
                                                {"InventoryValue", InventoryValue()}});
        if (!problem.isEmpty())
            return fail(problem);
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        // A line without an item (a charge typed on the document) is logged as it is.
        if (!ItemCode().trimmed().isEmpty() && !findItem(db.get(), ItemCode()))
            return fail(msg::unknownItem(ItemCode()));
        Recordset rs;
        rs.open(QStringLiteral("Select * from Sales_Log"), {}, db.get(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"Sales_Document_No", SalesDocumentNo());
        rs.setValue(u"Company_Prefix", CompanyPrefix());
        rs.setValue(u"Branch_Prefix", BranchPrefix());
        rs.setValue(u"Document_Prefix", DocumentPrefix());
        rs.setValue(u"Ref_Document_Prefix", RefDocumentPrefix());
        rs.setValue(u"Item_Code", ItemCode());
        rs.setValue(u"Item_Name", ItemName());
        rs.setValue(u"Unit_Code", UnitCode());
        rs.setValue(u"Unit_Name", UnitName());
        rs.setValue(u"Period_Type", PeriodType());
        rs.setValue(u"FOC_Flag", FOC_Flag());
        rs.setValue(u"Unit_Qty", UnitQty());
        rs.setValue(u"Sales_Qty", SalesQty());
        rs.setValue(u"Sales_Item_Amount", SalesItemAmount());
        rs.setValue(u"Sales_Unit_Price", SalesUnitPrice());
        rs.setValue(u"Inventory_Value", InventoryValue());
        rs.setValue(u"Sales_Log_Date", SalesLogDate());
        rs.setValue(u"Sales_Document_Prefix", SalesDocumentPrefix());
        rs.setValue(u"Proj_No", ProjNo());
        rs.setValue(u"Last_Update", stampOf(LastUpdate()));
        rs.update();
        return true;
    });
}

bool PackageProjectTransaction::Save_Project_Transaction() {
    return trapped([this] {
        if (ProjNo().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("ProjNo")));
        if (DocumentNo().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("DocumentNo")));
        const QString problem = unusableFigure({{"ProjdDebitAmount", ProjdDebitAmount()},
                                                {"ProjdFCDebitAmount", ProjdFCDebitAmount()},
                                                {"ProjdCreditAmount", ProjdCreditAmount()},
                                                {"ProjdFCCreditAmount", ProjdFCCreditAmount()}});
        if (!problem.isEmpty())
            return fail(problem);
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        Recordset rs;
        rs.open(QStringLiteral("Select * from Project_Transaction"), {}, db.get(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"Proj_No", ProjNo());
        rs.setValue(u"Document_No", DocumentNo());
        rs.setValue(u"Company_Prefix", CompanyPrefix());
        rs.setValue(u"Branch_Prefix", BranchPrefix());
        rs.setValue(u"Document_Prefix", DocumentPrefix());
        rs.setValue(u"Document_Date", DocumentDate());
        rs.setValue(u"Projd_Debit_Amount", ProjdDebitAmount());
        rs.setValue(u"Projd_FC_Debit_Amount", ProjdFCDebitAmount());
        rs.setValue(u"Projd_Credit_Amount", ProjdCreditAmount());
        rs.setValue(u"Projd_FC_Credit_Amount", ProjdFCCreditAmount());
        rs.setValue(u"Foreign_Currency_Flag", ForeignCurrencyFlag());
        rs.setValue(u"Currency_Code", CurrencyCode());
        rs.setValue(u"Currency_Symbol", CurrencySymbol());
        rs.setValue(u"Projd_Description", ProjdDescription());
        rs.setValue(u"Last_Update", stampOf(LastUpdate()));
        rs.update();
        return true;
    });
}

bool PackagePDC::Create_PDC() {
    return trapped([this] {
        const std::pair<const char *, QString> required[] = {{"CompanyPrefix", CompanyPrefix()},
                                                             {"BranchPrefix", BranchPrefix()},
                                                             {"DocumentPrefix", DocumentPrefix()},
                                                             {"SourceNo", SourceNo()}};
        for (const auto &[name, value] : required)
            if (value.trimmed().isEmpty())
                return fail(msg::required(QString::fromLatin1(name)));
        const QString problem =
            unusableFigure({{"ChequeAmount", ChequeAmount()}, {"ChequeFCAmount", ChequeFCAmount()}});
        if (!problem.isEmpty())
            return fail(problem);
        if (ChequeAmount() <= 0)
            return fail(msg::notPositive(QStringLiteral("ChequeAmount"), figure(ChequeAmount())));
        if (ChequeFCAmount() < 0)
            return fail(msg::negative(QStringLiteral("ChequeFCAmount"), figure(ChequeFCAmount())));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const QVariant stamp = stampOf(LastUpdate());

        WriteUnit unit(db.get());
        PackageCounter counter;
        counter.setCompanyPrefix(CompanyPrefix());
        counter.setBranchPrefix(BranchPrefix());
        counter.setDocumentPrefix(DocumentPrefix());
        Connection *connection = &db.get();
        if (!counter.Get_Last_Counter(connection))
            return fail(counter.ErrDesc());
        const qint32 identity = numbers::toLong(counter.NextDocumentNo());
        Recordset rs;
        rs.open(QStringLiteral("Select * from PDC_Master"), {}, db.get(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"PDC_No", documentNumber({CompanyPrefix(), BranchPrefix(), DocumentPrefix()}, identity));
        rs.setValue(u"PDC_Identity", identity);
        rs.setValue(u"Company_Prefix", CompanyPrefix());
        rs.setValue(u"Branch_Prefix", BranchPrefix());
        rs.setValue(u"Document_Prefix", DocumentPrefix());
        rs.setValue(u"Transaction_Type", TransactionType());
        rs.setValue(u"Bank_Name", BankName());
        rs.setValue(u"Cheque_No", ChequeNo());
        rs.setValue(u"PDC_Date", PDCDate());
        rs.setValue(u"PDC_Due_Date", PDCDueDate());
        rs.setValue(u"Credit_Card_No", CreditCardNo());
        rs.setValue(u"Credit_Card_Name", CreditCardName());
        rs.setValue(u"Credit_Card_Code", CreditCardCode());
        rs.setValue(u"Cheque_Amount", ChequeAmount());
        rs.setValue(u"Cheque_FC_Amount", ChequeFCAmount());
        rs.setValue(u"Cleared", Cleared());
        rs.setValue(u"CustomerID", CustomerID());
        rs.setValue(u"Customer_Name", CustomerName());
        rs.setValue(u"Source_No", SourceNo());
        rs.setValue(u"Source_Prefix", SourcePrefix());
        rs.setValue(u"Status", Status());
        rs.setValue(u"Foreign_Currency_Flag", ForeignCurrencyFlag());
        rs.setValue(u"Currency_Code", CurrencyCode());
        rs.setValue(u"PDC_Comments", PDCComments());
        rs.setValue(u"Last_Update", stamp);
        rs.update();
        if (!counter.Increase_Counter())
            return fail(counter.ErrDesc());
        unit.commit();
        return true;
    });
}

} // namespace orbsales::package
