#include "orbsales/data/schema.h"

namespace orbsales::schema {

// Tables of the package itself that the sales side reads or numbers its documents by.
void addSystemTables(Schema &schema) {
    using T = ColumnType;
    schema.addTable({QStringLiteral("Schema_Version"),
                     {{QStringLiteral("Version"), T::Long, true}, {QStringLiteral("Last_Update"), T::Date}},
                     {}});
    schema.addTable({QStringLiteral("Document_Prefix"),
                     {{QStringLiteral("Document_Prefix"), T::Text, true},
                      {QStringLiteral("Company_Prefix"), T::Text, true},
                      {QStringLiteral("Branch_Prefix"), T::Text, true},
                      {QStringLiteral("Document_Name"), T::Text},
                      {QStringLiteral("Document_Next_No"), T::Long, true},
                      {QStringLiteral("Manual_Flag"), T::Flag},
                      {QStringLiteral("Last_Update"), T::Date}},
                     {{QStringLiteral("IX_Document_Prefix_Key"),
                       {QStringLiteral("Document_Prefix"), QStringLiteral("Company_Prefix"),
                        QStringLiteral("Branch_Prefix")},
                       true}}});
    schema.addTable({QStringLiteral("Currency_Master"),
                     {{QStringLiteral("Currency_Code"), T::Text, true},
                      {QStringLiteral("Currency_Name"), T::Text},
                      {QStringLiteral("Currency_Symbol"), T::Text},
                      {QStringLiteral("Home_Currency_Flag"), T::Flag},
                      {QStringLiteral("Exchange_Rate"), T::Double},
                      {QStringLiteral("Last_Update"), T::Date}},
                     {{QStringLiteral("IX_Currency_Master_Code"), {QStringLiteral("Currency_Code")}, true}}});
    schema.addTable({QStringLiteral("Branch_Master"),
                     {{QStringLiteral("Company_Prefix"), T::Text, true},
                      {QStringLiteral("Branch_Prefix"), T::Text, true},
                      {QStringLiteral("Branch_Name"), T::Text},
                      {QStringLiteral("Last_Update"), T::Date}},
                     {{QStringLiteral("IX_Branch_Master_Key"),
                       {QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix")},
                       true}}});
}

} // namespace orbsales::schema
