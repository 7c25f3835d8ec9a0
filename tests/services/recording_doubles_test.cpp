#include "services/recording_doubles.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/counter_transaction.h"
#include "orbsales/services/currency.h"
#include "orbsales/services/debit_credit_note.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/package/package_ledger.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/service_ids.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

TEST(RecordingDoubles, KeepEveryAssignmentAndCallInOrderPerObject) {
    RecordingScope ledger(ids::kGeneralLedger);
    Connection connection;
    for (double amount : {120.0, 45.5}) {
        auto gl = createObject<GeneralLedger>(ids::kGeneralLedger);
        gl->setAdoConnectionObject(&connection);
        gl->setDocumentNo(QStringLiteral("01HOCHM1"));
        gl->setaccountno(QStringLiteral("01HO4100"));
        gl->setGLCreditAmount(amount);
        gl->setLastUpdate(QStringLiteral("05/Mar/2026"));
        EXPECT_TRUE(gl->GLInsert());
        EXPECT_TRUE(gl->COAPosting(QStringLiteral("01HO4100"), -amount));
    }
    EXPECT_EQ(ledger->objectCount(), 2);
    EXPECT_EQ(ledger->trace(1),
              (QStringList{QStringLiteral("AdoConnectionObject=(connection)"), QStringLiteral("DocumentNo=01HOCHM1"),
                           QStringLiteral("accountno=01HO4100"), QStringLiteral("GLCreditAmount=45.5"),
                           QStringLiteral("LastUpdate=05/Mar/2026"), QStringLiteral("GLInsert()"),
                           QStringLiteral("COAPosting(01HO4100, -45.5)")}));
    const QList<RecordedCall> inserts = ledger->actions(QStringLiteral("GLInsert"));
    ASSERT_EQ(inserts.size(), 2);
    EXPECT_EQ(inserts[0].object, 0);
    EXPECT_EQ(ledger->propertiesAt(inserts[0]).value(QStringLiteral("GLCreditAmount")).toDouble(), 120);
    EXPECT_EQ(ledger->propertiesAt(inserts[1]).value(QStringLiteral("GLCreditAmount")).toDouble(), 45.5);
    EXPECT_FALSE(ledger->propertiesAt(inserts[0]).contains(QStringLiteral("GLDebitAmount")));
}

TEST(RecordingDoubles, AnswerAsScriptedWithOutputsAndErrDesc) {
    RecordingScope stock(ids::kReduceStock);
    stock->script(QStringLiteral("ReduceStockInHand"), [](const RecordedCall &call) {
        const double quantity = call.arguments.at(0).toDouble();
        return Reply{QVariant(),
                     QString(),
                     {{QStringLiteral("ItemType"), QVariant::fromValue<qint16>(3)},
                      {QStringLiteral("SellingValue"), quantity * 2.5},
                      {QStringLiteral("TotalQty"), quantity * 12}}};
    });
    auto reduce = createObject<ReduceStock>(ids::kReduceStock);
    ASSERT_TRUE(reduce->ReduceStockInHand(4));
    EXPECT_EQ(reduce->ItemType(), 3);
    EXPECT_EQ(reduce->SellingValue(), 10);
    EXPECT_EQ(reduce->TotalQty(), 48);

    RecordingScope inventory(ids::kInventory);
    inventory->fail(QStringLiteral("Get_Item_Account"), QStringLiteral("Item '01Z9' does not exist"));
    inventory->output(QStringLiteral("ItemType"), QStringLiteral("1"));
    auto items = createObject<Inventory>(ids::kInventory);
    EXPECT_FALSE(items->Get_Item_Account());
    EXPECT_EQ(items->ErrDesc(), QStringLiteral("Item '01Z9' does not exist"));
    EXPECT_TRUE(items->Get_Item_Type());
    EXPECT_EQ(items->ItemType(), QStringLiteral("1"));

    RecordingScope note(ids::kDebitCreditNote);
    note->output(QStringLiteral("voucherNo"), QStringLiteral("01HOCRM9"));
    QString voucher = QStringLiteral("01HOCRM5");
    EXPECT_TRUE(createObject<DebitCreditNote>(ids::kDebitCreditNote)->Process_Voucher(voucher));
    EXPECT_EQ(voucher, QStringLiteral("01HOCRM9"));
    EXPECT_EQ(note->actions().at(0).arguments, QVariantList{QStringLiteral("01HOCRM5")});
}

TEST(RecordingDoubles, ConversionsAndTheCounterHaveWorkingDefaults) {
    RecordingScope currency(ids::kCurrency);
    auto convert = createObject<Currency>(ids::kCurrency);
    EXPECT_DOUBLE_EQ(convert->Convert_Into_FC(QStringLiteral("USD"), 36.725, QVariant(), true, 3.6725), 10);
    EXPECT_DOUBLE_EQ(convert->Convert_Into_HC(QStringLiteral("USD"), 10, QVariant(), true, 3.6725), 36.725);
    currency->answer(QStringLiteral("Convert_Into_FC"), 99.0);
    EXPECT_EQ(convert->Convert_Into_FC(QStringLiteral("USD"), 1), 99);

    RecordingScope counter(ids::kCounterTransaction);
    counter->output(QStringLiteral("NextDocumentNo"), 41.0);
    auto numbers = createObject<CounterTransaction>(ids::kCounterTransaction);
    numbers->setDocumentPrefix(QStringLiteral("CHM"));
    Connection *connection = nullptr;
    ASSERT_TRUE(numbers->Get_Last_Counter(connection, true));
    EXPECT_EQ(numbers->NextDocumentNo(), 41);
    EXPECT_EQ(counter->trace(0),
              (QStringList{QStringLiteral("DocumentPrefix=CHM"), QStringLiteral("Get_Last_Counter((nothing), True)")}));
}

TEST(RecordingDoubles, EveryComponentHasOneAndTheRealOneReturnsAfterTheScope) {
    for (const QString &identifier :
         {ids::kCounterTransaction, ids::kGeneral, ids::kCurrency, ids::kGeneralLedger, ids::kAccountsReceivable,
          ids::kInventory, ids::kStockMovement, ids::kLocationStock, ids::kReduceStock, ids::kSalesLog,
          ids::kProjectTransaction, ids::kPDC, ids::kDebitCreditNote}) {
        SCOPED_TRACE(identifier.toStdString());
        const std::unique_ptr<QObject> real = Registry::instance().create(identifier);
        {
            RecordingScope scope(identifier);
            const std::unique_ptr<QObject> first = Registry::instance().create(identifier);
            const std::unique_ptr<QObject> second = Registry::instance().create(identifier);
            EXPECT_NE(first.get(), second.get());
            EXPECT_EQ(scope->objectCount(), 2);
            EXPECT_EQ(first->metaObject(), real->metaObject()->superClass());
        }
        EXPECT_EQ(Registry::instance().create(identifier)->metaObject(), real->metaObject());
    }
    EXPECT_NE(qobject_cast<package::PackageGeneralLedger *>(Registry::instance().create(ids::kGeneralLedger).get()),
              nullptr);
}

} // namespace
} // namespace orbsales::testing
