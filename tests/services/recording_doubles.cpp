#include "services/recording_doubles.h"

#include "orbsales/values/numbers.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/counter_transaction.h"
#include "orbsales/services/currency.h"
#include "orbsales/services/debit_credit_note.h"
#include "orbsales/services/general.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/pdc.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/sales_log.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"

#include <QDateTime>

namespace orbsales::testing {

QString traceText(const QVariant &value) {
    if (value.metaType().flags() & QMetaType::PointerToQObject)
        return value.value<QObject *>() ? QStringLiteral("(connection)") : QStringLiteral("(nothing)");
    if (!value.isValid() || value.isNull())
        return QStringLiteral("(null)");
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return numbers::numberText(value.toDouble());
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return value.toString();
    }
}

void Recorder::answer(const QString &action, const QVariant &result) {
    m_scripts.insert(action, [result](const RecordedCall &) { return Reply{result, QString(), {}}; });
}

void Recorder::fail(const QString &action, const QString &errDesc) {
    m_scripts.insert(action, [errDesc](const RecordedCall &) { return Reply{false, errDesc, {}}; });
}

void Recorder::output(const QString &property, const QVariant &value) { m_outputs.insert(property, value); }

void Recorder::script(const QString &action, Script script) { m_scripts.insert(action, std::move(script)); }

QList<RecordedCall> Recorder::actions(const QString &action) const {
    QList<RecordedCall> found;
    for (const RecordedCall &call : m_calls)
        if (call.action && (action.isEmpty() || call.member == action))
            found << call;
    return found;
}

QVariantMap Recorder::propertiesAt(const RecordedCall &call) const {
    QVariantMap properties;
    for (const RecordedCall &earlier : m_calls) {
        if (earlier.sequence >= call.sequence)
            break;
        if (!earlier.action && earlier.object == call.object)
            properties.insert(earlier.member, earlier.arguments.value(0));
    }
    return properties;
}

QStringList Recorder::trace(int object) const {
    QStringList lines;
    for (const RecordedCall &call : m_calls) {
        if (call.object != object)
            continue;
        if (!call.action) {
            lines << call.member + QLatin1Char('=') + traceText(call.arguments.value(0));
            continue;
        }
        QStringList arguments;
        for (const QVariant &argument : call.arguments)
            arguments << traceText(argument);
        lines << call.member + QLatin1Char('(') + arguments.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return lines;
}

void Recorder::assigned(int object, const QString &property, const QVariant &value) {
    m_calls << RecordedCall{static_cast<int>(m_calls.size()), object, property, {value}, false};
}

Reply Recorder::invoked(int object, const QString &action, const QVariantList &arguments) {
    const RecordedCall call{static_cast<int>(m_calls.size()), object, action, arguments, true};
    m_calls << call;
    const auto script = m_scripts.constFind(action);
    Reply reply = script == m_scripts.constEnd() ? Reply{} : (*script)(call);
    for (auto it = m_outputs.constBegin(); it != m_outputs.constEnd(); ++it)
        if (!reply.outputs.contains(it.key()))
            reply.outputs.insert(it.key(), it.value());
    return reply;
}

namespace {

// What every double shares: assignments and calls go to the recorder, replies come back.
template <typename Interface> class Recording : public Interface {
public:
    explicit Recording(std::shared_ptr<Recorder> recorder)
        : m_recorder(std::move(recorder)), m_object(m_recorder->enrol()) {}

protected:
    void assigned(const char *property, const QVariant &value) override {
        m_recorder->assigned(m_object, QString::fromLatin1(property), value);
    }
    Reply act(const char *action, const QVariantList &arguments) {
        Reply reply = m_recorder->invoked(m_object, QString::fromLatin1(action), arguments);
        if (!reply.errDesc.isNull())
            this->setErrDesc(reply.errDesc);
        return reply;
    }
    static bool answer(const Reply &reply) { return reply.result.isValid() ? reply.result.toBool() : true; }
    template <typename T, typename Report> static void apply(const Reply &reply, const char *name, Report &&report) {
        const auto it = reply.outputs.constFind(QString::fromLatin1(name));
        if (it != reply.outputs.constEnd())
            report(it->template value<T>());
    }

private:
    std::shared_ptr<Recorder> m_recorder;
    int m_object;
};

class RecordingGeneral : public Recording<General> {
public:
    using Recording::Recording;
    QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                        const QVariant &WhereFldValue, bool WhereFldNumYN, const QString &SecondWhereFldName,
                        const QVariant &SecondWhereFldValue, bool SecdWhereFldNumYN) override {
        const Reply reply = act("GetFldValue", {TblName, fldName, WhereFldName, WhereFldValue, WhereFldNumYN,
                                                SecondWhereFldName, SecondWhereFldValue, SecdWhereFldNumYN});
        return reply.result.isValid() ? reply.result.toString() : QString();
    }
    bool ExistDocument(const QString &table, const QString &column, const QVariant &value, bool numeric) override {
        return answer(act("ExistDocument", {table, column, value, numeric}));
    }
};

class RecordingCurrency : public Recording<Currency> {
public:
    using Recording::Recording;
    bool Get_Currency() override {
        const Reply reply = act("Get_Currency", {});
        apply<QString>(reply, "CurrencyName", [this](const QString &v) { reportCurrencyName(v); });
        apply<QString>(reply, "CurrencySymbol", [this](const QString &v) { reportCurrencySymbol(v); });
        return answer(reply);
    }
    double Convert_Into_FC(const QString &currency, double amount, const QVariant &unused, bool useRate,
                           double exchangeRate) override {
        const Reply reply = act("Convert_Into_FC", {currency, amount, unused, useRate, exchangeRate});
        if (reply.result.isValid())
            return reply.result.toDouble();
        return useRate && exchangeRate > 0 ? amount / exchangeRate : amount;
    }
    double Convert_Into_HC(const QString &currency, double amount, const QVariant &unused, bool useRate,
                           double exchangeRate) override {
        const Reply reply = act("Convert_Into_HC", {currency, amount, unused, useRate, exchangeRate});
        if (reply.result.isValid())
            return reply.result.toDouble();
        return useRate && exchangeRate > 0 ? amount * exchangeRate : amount;
    }
};

class RecordingGeneralLedger : public Recording<GeneralLedger> {
public:
    using Recording::Recording;
    bool GLInsert() override { return answer(act("GLInsert", {})); }
    bool COAPosting(const QString &accountNo, double amount) override {
        return answer(act("COAPosting", {accountNo, amount}));
    }
    bool GLDelete() override { return answer(act("GLDelete", {})); }
};

class RecordingAccountsReceivable : public Recording<AccountsReceivable> {
public:
    using Recording::Recording;
    bool AR_Insert_Transaction() override { return answer(act("AR_Insert_Transaction", {})); }
    bool ARL_Delete() override { return answer(act("ARL_Delete", {})); }
};

class RecordingInventory : public Recording<Inventory> {
public:
    using Recording::Recording;
    bool Update_Item_OrderedQty(const QString &direction) override {
        return answer(act("Update_Item_OrderedQty", {direction}));
    }
    bool Get_Item_Account() override {
        const Reply reply = act("Get_Item_Account", {});
        apply<QString>(reply, "InventoryAccountNo", [this](const QString &v) { reportInventoryAccountNo(v); });
        apply<QString>(reply, "COGSAccountNo", [this](const QString &v) { reportCOGSAccountNo(v); });
        apply<QString>(reply, "FOCAccountNo", [this](const QString &v) { reportFOCAccountNo(v); });
        apply<QString>(reply, "SalesAccountNo", [this](const QString &v) { reportSalesAccountNo(v); });
        apply<QString>(reply, "CashSalesAccount", [this](const QString &v) { reportCashSalesAccount(v); });
        return answer(reply);
    }
    bool Get_Item_Type() override {
        const Reply reply = act("Get_Item_Type", {});
        apply<QString>(reply, "ItemType", [this](const QString &v) { reportItemType(v); });
        return answer(reply);
    }
};

class RecordingStockMovement : public Recording<StockMovementService> {
public:
    using Recording::Recording;
    bool StockMovement(double &baseQuantity) override {
        const Reply reply = act("StockMovement", {baseQuantity});
        apply<double>(reply, "baseQuantity", [&baseQuantity](double v) { baseQuantity = v; });
        return answer(reply);
    }
};

class RecordingLocationStock : public Recording<LocationStock> {
public:
    using Recording::Recording;
    bool UpdateLocationStock(qint16 direction) override { return answer(act("UpdateLocationStock", {direction})); }
};

class RecordingReduceStock : public Recording<ReduceStock> {
public:
    using Recording::Recording;
    bool ReduceStockInHand(double quantity) override {
        const Reply reply = act("ReduceStockInHand", {quantity});
        apply<qint16>(reply, "ItemType", [this](qint16 v) { reportItemType(v); });
        apply<double>(reply, "SellingValue", [this](double v) { reportSellingValue(v); });
        apply<double>(reply, "TotalQty", [this](double v) { reportTotalQty(v); });
        return answer(reply);
    }
};

class RecordingSalesLog : public Recording<SalesLog> {
public:
    using Recording::Recording;
    bool Create_SalesLog() override { return answer(act("Create_SalesLog", {})); }
};

class RecordingProjectTransaction : public Recording<ProjectTransaction> {
public:
    using Recording::Recording;
    bool Save_Project_Transaction() override { return answer(act("Save_Project_Transaction", {})); }
};

class RecordingPDC : public Recording<PDC> {
public:
    using Recording::Recording;
    bool Create_PDC() override { return answer(act("Create_PDC", {})); }
};

class RecordingDebitCreditNote : public Recording<DebitCreditNote> {
public:
    using Recording::Recording;
    bool Process_Voucher(QString &voucherNo) override {
        const Reply reply = act("Process_Voucher", {voucherNo});
        apply<QString>(reply, "voucherNo", [&voucherNo](const QString &v) { voucherNo = v; });
        return answer(reply);
    }
};

// The counter's interface keeps its own properties; the double stores and records them.
// NextDocumentNo answers the scripted output, else 1.
class RecordingCounter : public CounterTransaction {
public:
    explicit RecordingCounter(std::shared_ptr<Recorder> recorder)
        : m_recorder(std::move(recorder)), m_object(m_recorder->enrol()) {}

    QString CompanyPrefix() const override { return m_company; }
    void setCompanyPrefix(const QString &value) override { set(m_company, value, "CompanyPrefix"); }
    QString BranchPrefix() const override { return m_branch; }
    void setBranchPrefix(const QString &value) override { set(m_branch, value, "BranchPrefix"); }
    QString DocumentPrefix() const override { return m_document; }
    void setDocumentPrefix(const QString &value) override { set(m_document, value, "DocumentPrefix"); }
    bool SkipChecking() const override { return m_skip; }
    void setSkipChecking(bool value) override { set(m_skip, value, "SkipChecking"); }
    double NextDocumentNo() const override { return m_next; }
    QString ErrDesc() const override { return m_errDesc; }

    bool Get_Last_Counter(orbsales::Connection *&connection) override {
        return take(act("Get_Last_Counter", {QVariant::fromValue(connection)}));
    }
    bool Get_Last_Counter(orbsales::Connection *&connection, bool temporaryNumber) override {
        return take(act("Get_Last_Counter", {QVariant::fromValue(connection), temporaryNumber}));
    }
    bool Increase_Counter() override { return answer(act("Increase_Counter", {})); }
    bool Increase_Counter(bool temporaryNumber) override { return answer(act("Increase_Counter", {temporaryNumber})); }

private:
    template <typename T> void set(T &field, const T &value, const char *name) {
        field = value;
        m_recorder->assigned(m_object, QString::fromLatin1(name), QVariant::fromValue(value));
    }
    Reply act(const char *action, const QVariantList &arguments) {
        Reply reply = m_recorder->invoked(m_object, QString::fromLatin1(action), arguments);
        if (!reply.errDesc.isNull())
            m_errDesc = reply.errDesc;
        return reply;
    }
    bool take(const Reply &reply) {
        m_next = reply.outputs.value(QStringLiteral("NextDocumentNo"), 1.0).toDouble();
        return answer(reply);
    }
    static bool answer(const Reply &reply) { return reply.result.isValid() ? reply.result.toBool() : true; }

    std::shared_ptr<Recorder> m_recorder;
    int m_object;
    QString m_company, m_branch, m_document, m_errDesc;
    bool m_skip = false;
    double m_next = 0;
};

template <typename Double> std::unique_ptr<QObject> make(std::shared_ptr<Recorder> recorder) {
    return std::make_unique<Double>(std::move(recorder));
}

} // namespace

std::unique_ptr<QObject> makeRecordingDouble(const QString &identifier, std::shared_ptr<Recorder> recorder) {
    namespace ids = service_ids;
    using Maker = std::unique_ptr<QObject> (*)(std::shared_ptr<Recorder>);
    static const QHash<QString, Maker> makers{
        {ids::kCounterTransaction, &make<RecordingCounter>},
        {ids::kGeneral, &make<RecordingGeneral>},
        {ids::kCurrency, &make<RecordingCurrency>},
        {ids::kGeneralLedger, &make<RecordingGeneralLedger>},
        {ids::kAccountsReceivable, &make<RecordingAccountsReceivable>},
        {ids::kInventory, &make<RecordingInventory>},
        {ids::kStockMovement, &make<RecordingStockMovement>},
        {ids::kLocationStock, &make<RecordingLocationStock>},
        {ids::kReduceStock, &make<RecordingReduceStock>},
        {ids::kSalesLog, &make<RecordingSalesLog>},
        {ids::kProjectTransaction, &make<RecordingProjectTransaction>},
        {ids::kPDC, &make<RecordingPDC>},
        {ids::kDebitCreditNote, &make<RecordingDebitCreditNote>},
    };
    const Maker maker = makers.value(identifier);
    if (maker == nullptr)
        throw std::invalid_argument("no recording double for " + identifier.toStdString());
    return maker(std::move(recorder));
}

RecordingScope::RecordingScope(const QString &identifier)
    : m_recorder(std::make_shared<Recorder>()), m_override(identifier, [recorder = m_recorder, identifier] {
          return makeRecordingDouble(identifier, recorder);
      }) {}

} // namespace orbsales::testing
