#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/grid/line_grid.h"

#include <QPointer>
#include <memory>

namespace orbsales {


// A price offer to a customer: Sales_Quotation_Master and one Sales_Quotation_Detail row per
// grid line. The only document whose saves run in one database transaction; it takes its final
// number at once.
class SalesQuotation : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.SalesQuotation")
    Q_CLASSINFO("Interface", "_SalesQuotation")
    Q_CLASSINFO("WriteOnly", "DocFlag manualDocIdentity")

    ORB_PROPERTY(QString, SalesQuotNo)
    ORB_PROPERTY(qint32, SalesQuotIdentity)
    ORB_PROPERTY(QString, CompanyPrefix)
    ORB_PROPERTY(QString, BranchPrefix)
    ORB_PROPERTY(QString, DocumentPrefix)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, CustomerName)
    ORB_DATE_PROPERTY(SalesQuotDate)
    ORB_DATE_PROPERTY(SalesQuotValidDate)
    ORB_PROPERTY(QString, SalesQuotRefNo)
    ORB_PROPERTY(QString, SalesQuotComments)
    ORB_PROPERTY(QString, SalesQuotDescription)
    ORB_PROPERTY(double, SalesQuotSubTotal)
    ORB_PROPERTY(double, SalesQuotDiscPercent)
    ORB_PROPERTY(double, SalesQuotDiscAmount)
    ORB_PROPERTY(double, SalesQuotAmount)
    ORB_PROPERTY(double, SalesQuotFCSubTotal)
    ORB_PROPERTY(double, SalesQuotFCDiscAmount)
    ORB_PROPERTY(double, SalesQuotFCAmount)
    ORB_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_PROPERTY(double, ExchangeRate)
    ORB_PROPERTY(QString, CurrencyCode)
    ORB_PROPERTY(QString, CurrencySymbol)
    ORB_PROPERTY(bool, CancelFlag)
    ORB_PROPERTY(bool, AllowCancelFlag)
    ORB_PROPERTY(bool, ProcessFlag)
    ORB_PROPERTY(bool, FulFilledFlag)
    ORB_PROPERTY(bool, YearEndFlag)
    ORB_PROPERTY(QString, EmployeeID)
    ORB_PROPERTY(QString, EmployeeName)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(QString, ADOConnectionString)
    ORB_PROPERTY(bool, DocFlag)
    ORB_PROPERTY(double, manualDocIdentity)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
    Q_PROPERTY(orbsales::LineGrid *QuotationGrid READ QuotationGrid WRITE setQuotationGrid)

public:
    explicit SalesQuotation(QObject *parent = nullptr);
    ~SalesQuotation() override;

    QString ErrDesc() const { return errorText(); }
    LineGrid *QuotationGrid() const { return m_grid; }
    void setQuotationGrid(LineGrid *grid) { m_grid = grid; }

    Q_INVOKABLE bool Create_Quotation();
    Q_INVOKABLE bool Update_Quotation();
    Q_INVOKABLE bool Get_Quotation();
    Q_INVOKABLE bool Cancel_Quotation();

private:
    bool Validate_Quotation();
    bool Save_Quotation_Master();
    bool Save_Quotation_Detail();
    bool Load_Quotation_Detail();

    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }
    void loadMaster(class Recordset &master);

    QPointer<LineGrid> m_grid;
    ConnectionProperty m_connection{ConnectionProperty::Start::OwnObject}; // the member connection, opened per operation
    qint32 m_lastIdentity = 0; // identity last produced by Create_Quotation
};

} // namespace orbsales
