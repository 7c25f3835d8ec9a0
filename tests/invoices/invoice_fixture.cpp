#include "invoices/invoice_fixture.h"

#include "orbsales/values/numbers.h"

namespace orbsales::testing {

void InvoiceTest::SetUp() {
    PackageTest::SetUp();
    if (!db)
        return;
    database().execute(
        QStringLiteral("Update Branch_Master Set Branch_Name = 'Head Office' Where Branch_Prefix = 'HO'"));
    database().execute(
        QStringLiteral("Update Branch_Master Set Branch_Name = 'Second Branch' Where Branch_Prefix = 'B2'"));
    for (const char *branch : {"HO", "B2"}) {
        const QString b = QString::fromLatin1(branch);
        database().execute(
            QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, "
                           "Document_Next_No) values ('INV', '01', ?, 1)"),
            {b});
        for (const char *account : {"1200", "4000", "4300"})
            addAccount(QStringLiteral("01") + b + QString::fromLatin1(account));
        addPreferences(b);
    }
    addCustomer(QStringLiteral("01C001"));
    database().execute(QStringLiteral("Insert into Customer_Address (Customer_Code, Address_Code, Address_Desc) "
                                      "values ('01C001', 'A1', 'Main Warehouse')"));
    for (const char *item : {"01A100", "01B200"}) {
        addItem(QString::fromLatin1(item));
        for (const char *branch : {"HO", "B2"})
            addBranchItem(QString::fromLatin1(item), QString::fromLatin1(branch), 0, 0);
    }
    setReinvoicing(0);
    caller = std::make_unique<Connection>();
    caller->open(connectionString());
    grid = std::make_unique<MemoryGrid>(10, 32);
}

void InvoiceTest::TearDown() {
    grid.reset();
    caller.reset();
    PackageTest::TearDown();
}

std::unique_ptr<SalesInvoice> InvoiceTest::newInvoice(LineGrid *lines) {
    auto invoice = std::make_unique<SalesInvoice>();
    invoice->setAdoDBConnectionObject(caller.get());
    invoice->setADOConnectionString(connectionString());
    invoice->setCompanyPrefix(QStringLiteral("01"));
    invoice->setBranchPrefix(QStringLiteral("HO"));
    invoice->setDocumentPrefix(QStringLiteral("INV"));
    invoice->setCustomerCode(QStringLiteral("01C001"));
    invoice->setCustomerName(QStringLiteral("Acme Trading"));
    invoice->setPaymentType(QStringLiteral("Credit"));
    invoice->setCurrencyCode(QStringLiteral("AED"));
    invoice->setExchangeRate(1);
    invoice->setAmtDig(2);
    invoice->setSalesLogPrefix(QStringLiteral("SLG"));
    invoice->setSalesInvDate(day(5));
    invoice->setLastUpdate(day(5));
    invoice->setOnlineFlag(true);
    invoice->setInvoiceGridName(lines ? lines : grid.get());
    return invoice;
}

std::vector<int> InvoiceTest::addDelivery(const DeliveryHead &head, const std::vector<DeliveryLine> &lines) {
    const bool d = head.direct;
    const QString master = d ? QStringLiteral("Direct_Delivery_Master") : QStringLiteral("Delivery_Master");
    const QString detail = d ? QStringLiteral("Direct_Delivery_Detail") : QStringLiteral("Delivery_Detail");
    const QString no = d ? QStringLiteral("Direct_Delivery_No") : QStringLiteral("Delivery_No");
    const QString prefix = d ? QStringLiteral("Direct_Delivery") : QStringLiteral("Delivery");
    database().execute(
        QStringLiteral("Insert into %1 (%2, %3_Identity, Company_Prefix, Branch_Prefix, Customer_Code, "
                       "Foreign_Currency_Flag, %3_Date, %3_End_Date, Processed_Flag, Cancel_Flag, Paid_Flag, "
                       "Address_Code) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(master, no, prefix),
        {head.number, head.number.mid(7).toInt(), head.company, head.branch, head.customer, head.foreign ? 1 : 0,
         day(1), day(20), head.processed, head.cancelled, head.paid, head.address});
    if (!d && !head.reference.isNull())
        database().execute(QStringLiteral("Update Delivery_Master Set Delivery_Ref_No = ? Where Delivery_No = ?"),
                           {head.reference, head.number});
    const QString price = d ? QStringLiteral("Direct_Delivery_Dtl") : QStringLiteral("Delivery_Dtl");
    const QString qty = d ? QStringLiteral("Direct_Delivery_Qty") : QStringLiteral("Delivery_Qty");
    const QString overall =
        d ? QStringLiteral("Direct_Delivery_Overall_Disc_Amount") : QStringLiteral("Sales_Ord_Overall_Disc");
    const QString overallFc =
        d ? QStringLiteral("Direct_Delivery_Overall_Fc_Disc_Amount") : QStringLiteral("Sales_Ord_Overall_FC_Disc");
    const QString disc = d ? QStringLiteral("Direct_Delivery") : QStringLiteral("Delivery");
    std::vector<int> serials;
    for (const DeliveryLine &line : lines) {
        const int serial =
            database().scalar(QStringLiteral("Select COALESCE(max(SL_No), 0) + 1 from ") + detail).toInt();
        database().execute(
            QStringLiteral("Insert into %1 (%2, SL_No, Item_Code, Item_Name, Unit_Code, Unit_Name, Period_Type, "
                           "FOC_Flag, Unit_Qty, %3, %4_Unit_Price, %4_FC_Unit_Price, %5_Disc_Amount, "
                           "%5_FC_Disc_Amount, %5_Item_Amount, %5_FC_Item_Amount, %6, %7, Invoiced_Qty, Return_Qty, "
                           "Proj_No) values (?, ?, ?, ?, 1, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                .arg(detail, no, qty, price, disc, overall, overallFc),
            {head.number, serial, line.code.isEmpty() ? QVariant() : QVariant(QStringLiteral("01") + line.code),
             line.code.isEmpty() ? QStringLiteral("Freight") : QStringLiteral("Item ") + line.code, line.unit,
             line.period, line.foc, line.qty, line.price, line.fcPrice, line.disc, line.fcDisc,
             line.amount.isNull() ? QVariant(line.qty * line.price) : line.amount,
             line.fcAmount.isNull() ? QVariant(line.qty * line.fcPrice) : line.fcAmount, line.overall, line.overallFc,
             line.invoiced, line.returned, QStringLiteral("01HOPRJ0042")});
        serials.push_back(serial);
    }
    return serials;
}

void InvoiceTest::setReinvoicing(int flag) {
    database().execute(QStringLiteral("Delete from RentOptions"));
    database().execute(QStringLiteral("Insert into RentOptions (reinvoicingoption_flag) values (?)"), {flag});
}

QString InvoiceTest::createdInvoice(SalesInvoice &invoice, double discount) {
    EXPECT_TRUE(invoice.Get_Delivery_Details()) << invoice.ErrDesc().toStdString();
    LineGrid &lines = *invoice.InvoiceGridName();
    double total = 0;
    double fcTotal = 0;
    for (int row = 1; row < lines.rowCount() && !lines.cellText(row, 3).isEmpty(); ++row) {
        lines.setCellText(row, 1, QStringLiteral("1"));
        // The screen totals the line amounts as it shows them, to the cent.
        total += numbers::roundHalfEven(lines.cellNumber(row, 15), 2);
        fcTotal += numbers::roundHalfEven(lines.cellNumber(row, 16), 2);
    }
    invoice.setSalesInvSubtotal(total);
    invoice.setSalesInvFCsubtotal(fcTotal);
    invoice.setSalesInvDiscAmount(discount);
    invoice.setSalesInvFCDiscAmount(discount / invoice.ExchangeRate());
    invoice.setSalesInvTotalAmount(total - discount);
    invoice.setSalesInvFCTotalAmount(fcTotal - discount / invoice.ExchangeRate());
    EXPECT_TRUE(invoice.Create_Sales_Invoice()) << invoice.ErrDesc().toStdString();
    return invoice.SalesInvNo();
}

QVariant InvoiceTest::invoiceValue(const QString &column, const QString &number) {
    return database().scalar(QStringLiteral("Select %1 from Sales_Invoice_Master Where Sales_Inv_No = ?").arg(column),
                             {number});
}

double InvoiceTest::invoicedQty(const QString &table, int serial) {
    return number(QStringLiteral("Select Invoiced_Qty from %1 Where SL_No = ?").arg(table), {serial});
}

QString InvoiceTest::handed(const QVariantMap &properties, const char *names) {
    QStringList texts;
    for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' ')))
        texts << (properties.contains(name) ? numbers::valueText(properties.value(name)) : QStringLiteral("-"));
    return texts.join(QLatin1Char('|'));
}

int InvoiceTest::counter(const QString &branch) {
    return database()
        .scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where Document_Prefix = 'INV' and "
                               "Branch_Prefix = ?"),
                {branch})
        .toInt();
}

} // namespace orbsales::testing
