#include "orbsales/data/recordset.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QRegularExpression>

namespace orbsales {

namespace {

const QString kNoCurrentRecord = QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                                "Requested operation requires a current record.");
const QString kItemNotFound =
    QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal.");

const schema::Table *tableOf(const QString &sql) {
    static const QRegularExpression from(QStringLiteral(R"(\bfrom\s+([A-Za-z_]\w*))"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = from.match(sql);
    return match.hasMatch() ? schema::Schema::instance().table(match.captured(1)) : nullptr;
}

// A plain select list (no function, no aggregate, no DISTINCT) over one known table, without a
// join, a second table, grouping or a union, can be updated: each of its rows is one table row.
bool plainSelectList(const QString &sql) {
    constexpr auto options =
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;
    static const QRegularExpression list(QStringLiteral(R"(^\s*select\s+(.*?)\s+from\s)"), options);
    static const QRegularExpression distinct(QStringLiteral(R"(^distinct\b)"), options);
    static const QRegularExpression fromClause(
        QStringLiteral(R"(\bfrom\s+(.*?)(\bwhere\b|\border\s+by\b|\bgroup\s+by\b|\bhaving\b|$))"), options);
    static const QRegularExpression moreTables(QStringLiteral(R"(,|\bjoin\b)"), options);
    static const QRegularExpression combined(QStringLiteral(R"(\bgroup\s+by\b|\bunion\b)"), options);
    const auto match = list.match(sql);
    if (!match.hasMatch())
        return false;
    const QString columns = match.captured(1).trimmed();
    return !columns.contains(QLatin1Char('(')) && !distinct.match(columns).hasMatch() &&
           !moreTables.match(fromClause.match(sql).captured(1)).hasMatch() && !combined.match(sql).hasMatch();
}

// An updatable recordset needs the row key of each row, whatever columns the statement names.
QString withRowKey(const QString &sql) {
    static const QRegularExpression select(QStringLiteral(R"(^\s*select\s+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString text = sql;
    return text.replace(select, QStringLiteral("Select Row_Id, "));
}

} // namespace

Recordset::Recordset() = default;

Recordset::~Recordset() { close(); }

void Recordset::open(const QString &sql, const QVariantList &values, Connection &connection, CursorType cursor,
                     LockType lock) {
    close();
    if (!connection.isOpen())
        throw DatabaseError(QStringLiteral("Operation is not allowed when the object is closed."));
    m_connection = &connection;
    m_sql = sql;
    m_values = values;
    m_table = tableOf(sql);
    // Keyset and static cursors alike can change rows under optimistic locking; the provider's
    // default lock (used for filling grids) is read-only.
    m_updatable = lock == LockType::Optimistic && m_table != nullptr && plainSelectList(sql);
    Q_UNUSED(cursor);
}

void Recordset::open(const QString &sql, const QVariantList &values, const QString &connectionString,
                     CursorType cursor, LockType lock) {
    auto own = std::make_unique<Connection>();
    own->open(connectionString);
    open(sql, values, *own, cursor, lock);
    m_ownConnection = std::move(own);
}

void Recordset::close() noexcept {
    m_connection = nullptr;
    m_ownConnection.reset();
    m_loaded = false;
    m_columns.clear();
    m_columnIndex.clear();
    m_rows.clear();
    m_current = 0;
    m_edit = Edit::None;
    m_pending.clear();
}

void Recordset::requireOpen() const {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Operation is not allowed when the object is closed."));
}

void Recordset::load() {
    requireOpen();
    if (m_loaded)
        return;
    Connection::Result result = m_connection->select(m_updatable ? withRowKey(m_sql) : m_sql, m_values);
    setColumns(std::move(result.columns));
    m_rows = std::move(result.rows);
    if (m_table) {
        for (int c = 0; c < m_columns.size(); ++c) {
            if (const schema::Column *column = m_table->column(m_columns.at(c)))
                for (QVariantList &row : m_rows)
                    row[c] = schema::fromDatabase(column->type, row[c]);
        }
    }
    m_current = 0;
    m_loaded = true;
}

bool Recordset::eof() {
    load();
    return m_current >= m_rows.size();
}

void Recordset::moveNext() {
    if (m_edit != Edit::None)
        update(); // moving on saves the row being edited
    if (eof())
        throw DatabaseError(kNoCurrentRecord);
    ++m_current;
}

int Recordset::recordCount() {
    load();
    return static_cast<int>(m_rows.size());
}

int Recordset::columnIndex(QStringView column) {
    load();
    const auto it = m_columnIndex.constFind(column.toString().toLower());
    if (it == m_columnIndex.constEnd())
        throw DatabaseError(kItemNotFound);
    return *it;
}

void Recordset::requireCurrent() {
    if (eof())
        throw DatabaseError(kNoCurrentRecord);
}

QVariant Recordset::value(QStringView column) {
    // A value assigned but not yet saved is what the row holds for now.
    if (m_edit != Edit::None) {
        const schema::Column &target = writableColumn(column);
        for (const auto &[name, value] : m_pending)
            if (name == target.name)
                return value;
        if (m_edit == Edit::Adding)
            return {};
    }
    const int index = columnIndex(column);
    requireCurrent();
    return m_rows.at(m_current).at(index);
}

QVariant Recordset::nonNull(QStringView column) {
    QVariant v = value(column);
    if (v.isNull())
        throw DatabaseError(QStringLiteral("Invalid use of Null"));
    return v;
}

QString Recordset::text(QStringView column) { return numbers::valueText(nonNull(column)); }
double Recordset::number(QStringView column) { return schema::coerce(schema::ColumnType::Double, nonNull(column)).toDouble(); }
qint32 Recordset::integer(QStringView column) { return schema::coerce(schema::ColumnType::Long, nonNull(column)).toInt(); }
bool Recordset::flag(QStringView column) { return schema::coerce(schema::ColumnType::Double, nonNull(column)).toDouble() != 0; }
QDateTime Recordset::date(QStringView column) { return schema::coerce(schema::ColumnType::Date, nonNull(column)).toDateTime(); }

const schema::Column &Recordset::writableColumn(QStringView column) const {
    if (!m_updatable)
        throw DatabaseError(QStringLiteral("Current Recordset does not support updating. This may be a limitation "
                                           "of the provider, or of the selected locktype."));
    const schema::Column *found = m_table->column(column);
    if (found == nullptr)
        throw DatabaseError(kItemNotFound);
    return *found;
}

void Recordset::addNew() {
    requireOpen();
    if (!m_updatable)
        writableColumn(u"Row_Id"); // refuses with the provider's message
    if (m_edit != Edit::None)
        update(); // a pending row is saved first, as a new AddNew implies
    m_edit = Edit::Adding;
}

void Recordset::setValue(QStringView column, const QVariant &value) {
    requireOpen();
    const schema::Column &target = writableColumn(column);
    if (m_edit == Edit::None) {
        // Assigning without AddNew changes the current row.
        requireCurrent();
        m_edit = Edit::Changing;
    }
    QVariant coerced = schema::coerce(target.type, value);
    for (auto &[name, pending] : m_pending) {
        if (name == target.name) {
            pending = std::move(coerced);
            return;
        }
    }
    m_pending.emplace_back(target.name, std::move(coerced));
}

void Recordset::update() {
    requireOpen();
    if (m_edit == Edit::Adding) {
        QStringList names, marks;
        QVariantList values;
        for (const auto &[name, value] : m_pending) {
            names << name;
            marks << QStringLiteral("?");
            values << value;
        }
        const QString sql = names.isEmpty()
                                ? QStringLiteral("Insert into %1 default values Returning Row_Id").arg(m_table->name)
                                : QStringLiteral("Insert into %1 (%2) values (%3) Returning Row_Id")
                                      .arg(m_table->name, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        appendAddedRow(m_connection->scalar(sql, values));
    } else if (m_edit == Edit::Changing) {
        requireCurrent();
        QStringList sets;
        QVariantList values;
        for (const auto &[name, value] : m_pending) {
            sets << name + QStringLiteral("=?");
            values << value;
        }
        const int keyIndex = columnIndex(u"Row_Id");
        values << m_rows.at(m_current).at(keyIndex);
        const int changed = m_connection->execute(
            QStringLiteral("Update %1 Set %2 Where Row_Id=?").arg(m_table->name, sets.join(QStringLiteral(", "))), values);
        if (changed == 0)
            throw DatabaseError(QStringLiteral("Row cannot be located for updating. Some values may have been changed "
                                               "since it was last read."));
        applyPending(m_rows[m_current]);
    }
    m_edit = Edit::None;
    m_pending.clear();
}

// The added row becomes the current one, readable and changeable like a row that was read. A
// recordset opened only to append has read nothing, and still reads nothing: it then holds the
// rows it added, with the table's columns.
void Recordset::appendAddedRow(const QVariant &rowKey) {
    if (!m_loaded) {
        QStringList columns{QStringLiteral("Row_Id")};
        for (const schema::Column &column : m_table->columns)
            columns << column.name;
        setColumns(std::move(columns));
        m_loaded = true;
    }
    QVariantList row(m_columns.size());
    if (const auto key = m_columnIndex.constFind(QStringLiteral("row_id")); key != m_columnIndex.constEnd())
        row[*key] = rowKey;
    applyPending(row);
    m_rows.append(row);
    m_current = static_cast<int>(m_rows.size()) - 1;
}

void Recordset::setColumns(QStringList columns) {
    m_columns = std::move(columns);
    m_columnIndex.clear();
    // A name that comes twice (a join's "Select *, B.Name") reads its first column, as the
    // package's recordsets always have.
    for (int c = 0; c < m_columns.size(); ++c) {
        const QString name = m_columns.at(c).toLower();
        if (!m_columnIndex.contains(name))
            m_columnIndex.insert(name, c);
    }
}

// The values assigned since the last save, into the row's columns that the recordset holds.
void Recordset::applyPending(QVariantList &row) const {
    for (const auto &[name, value] : m_pending) {
        const auto it = m_columnIndex.constFind(name.toLower());
        if (it != m_columnIndex.constEnd())
            row[*it] = value;
    }
}

} // namespace orbsales
