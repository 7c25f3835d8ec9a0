#pragma once

#include <QString>
#include <QVariant>
#include <array>

namespace orbsales::code_change {

// A table that stores a customer's code, and the column it is in.
struct CodeColumn {
    const char *table;
    const char *column;
};

// The tables a customer's new code is written into, in the order they are changed; the first
// failure stops the sequence. Balance rows and delivery addresses are not among them: they keep
// the old code.
inline constexpr std::array<CodeColumn, 16> kCodeColumns{{
    {"Customer_Master", "Customer_Code"},
    {"Customer_OB", "Customer_Code"},
    {"Accounts_Receivable_Ledger", "Customer_Code"},
    {"AR_Adjustment_Detail", "Customer_Code"},
    {"AR_Adjustment_Master", "Customer_Code"},
    {"Receipt_Master", "Receipt_To_Code"},
    {"PDC_Master", "CustomerID"},
    {"Customer_Price_List", "Customer_Code"},
    {"Delivery_Master", "Customer_Code"},
    {"Direct_Delivery_Master", "Customer_Code"},
    {"Cash_Memo_Master", "Customer_Code"},
    {"Direct_Sales_Invoice_Master", "Customer_Code"},
    {"Sales_Invoice_Master", "Customer_Code"},
    {"Sales_Order_Master", "Customer_Code"},
    {"Sales_Quotation_Master", "Customer_Code"},
    {"Sales_Return_Master", "Customer_Code"},
}};

// The UPDATE that moves one table's rows from the old code to the new one and stamps the day,
// with the new value, the day and the old value as its three parameters. `database` "MSACCESS"
// (exactly) gives the Access form, which passes the day through DateValue(); anything else
// gives the SQL Server form with the day as a quoted literal. Table and column must be plain
// names (letters, digits, underscores): anything else is refused with an OrbError, as no
// value is ever spliced into the text.
QString statement(const QString &database, const QString &table, const QString &column);

// The day as the change stamps it: today's date at midnight. The Access form hands it to
// DateValue() as the date's short text; the other form binds the date itself. Either way it is
// stored like every other date of the database.
QVariant today(const QString &database);

} // namespace orbsales::code_change
