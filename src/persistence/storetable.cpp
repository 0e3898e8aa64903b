#include "persistence/storetable.h"

#include <sqlite3.h>

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/conversions.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/storedatabase.h"
#include "persistence/storesqlite.h"
#include "persistence/storesqltext.h"

using kwpstore::QuoteIdent;

namespace {
bool storeIsText(int type) {
    return type == sftString || type == sftMemo;
}

bool storeIsInteger(int type) {
    return type == sftInteger || type == sftSmallInt || type == sftAutoInc || type == sftBoolean;
}

QString storeColumnType(const TFieldDef& def) {
    switch (def.type) {
        case sftInteger:
            return QStringLiteral("INTEGER");
        case sftFloat:
            return def.precision > 0 ? QStringLiteral("FLOAT(%1)").arg(def.precision)
                                     : QStringLiteral("FLOAT");
        case sftSmallInt:
            return QStringLiteral("SMALLINT");
        case sftBoolean:
            return QStringLiteral("BOOLEAN");
        case sftAutoInc:
            return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        case sftDateTime:
            return QStringLiteral("DATETIME");
        case sftString:
            return QStringLiteral("VARCHAR(%1)").arg(def.size);
        default:
            return QStringLiteral("TEXT");
    }
}

// What an older row gets in a new required column.
QString storeColumnDefault(const TFieldDef& def) {
    return storeIsText(def.type) ? QStringLiteral("''") : QStringLiteral("0");
}

QString storeColumnSql(const TFieldDef& def) {
    QString sql = QuoteIdent(def.name) + QLatin1Char(' ') + storeColumnType(def);
    if (def.required && def.type != sftAutoInc)
        sql += QStringLiteral(" NOT NULL DEFAULT ") + storeColumnDefault(def);
    return sql;
}

// Text keys order case-insensitively, then exactly, with SQLite's own collations only, so that
// any SQLite client can read and write the file. Indexes and ORDER BY use the same terms.
QString storeKeyTerms(const TFieldDef& def, bool descending) {
    const QString direction = descending ? QStringLiteral(" DESC") : QString();
    const QString column = QuoteIdent(def.name);
    if (!storeIsText(def.type)) return column + direction;
    return column + QStringLiteral(" COLLATE NOCASE") + direction + QStringLiteral(", ") + column +
           direction;
}

// Index names are unique per database file; the table's name keeps them apart.
QString storeIndexName(const QString& table, const QString& index) {
    return table + QLatin1Char('$') + index;
}

TFieldDef storeFieldFromColumn(const QString& name, const QString& declared, bool notNull,
                               bool primaryKey) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([A-Za-z_]+)\\s*(?:\\(\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\))?"));
    TFieldDef def;
    def.name = name;
    def.required = notNull || primaryKey;
    const QRegularExpressionMatch match = pattern.match(declared);
    const QString base = match.captured(1).toUpper();
    const int number = match.captured(2).toInt();
    if (base == QLatin1String("INTEGER") && primaryKey)
        def.type = sftAutoInc;
    else if (base == QLatin1String("SMALLINT"))
        def.type = sftSmallInt;
    else if (base == QLatin1String("BOOLEAN"))
        def.type = sftBoolean;
    else if (base == QLatin1String("DATETIME"))
        def.type = sftDateTime;
    else if (base == QLatin1String("FLOAT")) {
        def.type = sftFloat;
        def.precision = number;
    } else if (base == QLatin1String("VARCHAR")) {
        def.type = sftString;
        def.size = number;
    } else if (base.contains(QLatin1String("INT")))
        def.type = sftInteger;
    else if (base.contains(QLatin1String("REAL")) || base.contains(QLatin1String("FLOA")) ||
             base.contains(QLatin1String("DOUB")))
        def.type = sftFloat;
    else if (base.contains(QLatin1String("CHAR")) && number > 0) {
        def.type = sftString;
        def.size = number;
    } else
        def.type = sftMemo;
    return def;
}

QString storeDeletedMeanwhile(const QString& table) {
    return FormatStr(_("Der Datensatz in Tabelle \"%s\" wurde inzwischen von einem anderen "
                       "Arbeitsplatz gelöscht."),
                     {table});
}

[[noreturn]] void storeWriteFailed(const QString& table, const EStoreError& error) {
    const int code = error.code();
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw EStoreError(
            FormatStr(_("Schlüsselverletzung in Tabelle \"%s\": Der Schlüssel ist schon vergeben."),
                      {table}));
    throw error;
}
}  // namespace

// ---------------------------------------------------------------- values

QString TStoreValue::AsString() const {
    if (m_value.isNull()) return {};
    if (m_value.typeId() == QMetaType::Double) return FloatToStr(m_value.toDouble());
    return m_value.toString();
}

qint64 TStoreValue::AsInteger() const {
    if (m_value.isNull()) return 0;
    if (m_value.typeId() == QMetaType::Double) return qint64(std::llround(m_value.toDouble()));
    if (m_value.typeId() == QMetaType::QString) return ToInt(m_value.toString(), 0);
    return m_value.toLongLong();
}

double TStoreValue::AsFloat() const {
    if (m_value.isNull()) return 0;
    if (m_value.typeId() == QMetaType::QString) return ToFloat(m_value.toString(), 0);
    return m_value.toDouble();
}

bool TStoreValue::AsBoolean() const {
    if (m_value.isNull()) return false;
    if (m_value.typeId() == QMetaType::QString) return ToBool(m_value.toString(), false);
    return m_value.toDouble() != 0;
}

double TStoreValue::AsCurrency() const {
    return std::round(AsFloat() * 100.0) / 100.0;
}

// ---------------------------------------------------------------- fields

const QString& TStoreField::FieldName() const {
    return m_table.m_fieldDefs[m_index].name;
}

int TStoreField::DataType() const {
    return m_table.m_fieldDefs[m_index].type;
}

int TStoreField::Size() const {
    return m_table.m_fieldDefs[m_index].size;
}

bool TStoreField::Required() const {
    return m_table.m_fieldDefs[m_index].required;
}

QVariant TStoreField::Value() const {
    return m_table.m_buffer.value(m_index);
}

void TStoreField::SetValue(const QVariant& value) {
    m_table.setFieldValue(m_index, value);
}

void TStoreField::SetAsString(const QString& value) {
    const int type = DataType();
    if (storeIsText(type)) {
        SetValue(value);
        return;
    }
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty()) {
        Clear();
        return;
    }
    bool ok = false;
    if (storeIsInteger(type)) {
        const qlonglong number = trimmed.toLongLong(&ok);
        if (!ok) {
            const qlonglong local = QLocale().toLongLong(trimmed, &ok);
            if (ok) SetValue(QVariant(local));
        } else {
            SetValue(QVariant(number));
        }
    } else {
        double number = QLocale().toDouble(trimmed, &ok);
        if (!ok) number = QLocale::c().toDouble(trimmed, &ok);
        if (ok) SetValue(QVariant(number));
    }
    if (!ok)
        throw EStoreError(FormatStr(_("\"%s\" ist kein gültiger Wert für das Feld \"%s\"."),
                                    {value, FieldName()}));
}

// ---------------------------------------------------------------- table

TStoreTable::TStoreTable(TStoreDatabase* database) {
    SetDatabase(database);
}

TStoreTable::~TStoreTable() {
    try {
        Close();
    } catch (...) {
        // A destructor must not throw; the connection rolls back what was not committed.
    }
    if (m_database) m_database->detach(this);
}

void TStoreTable::SetDatabase(TStoreDatabase* database) {
    if (database == m_database) return;
    Close();
    if (m_database) m_database->detach(this);
    m_database = database;
    if (m_database) m_database->attach(this);
}

void TStoreTable::SetTableName(const QString& name) {
    if (Active()) throw EStoreError(_("Der Tabellenname einer offenen Tabelle ist fest."));
    m_tableName = name;
}

void TStoreTable::SetReadOnly(bool readOnly) {
    if (Active()) throw EStoreError(_("Eine offene Tabelle kann nicht umgestellt werden."));
    m_readOnly = readOnly;
}

kwpstore::Connection& TStoreTable::connection() const {
    checkActive();
    return *m_connection;
}

qint64 TStoreTable::DataVersion() const {
    return connection().dataVersion();
}

TStoreReadSnapshot::TStoreReadSnapshot(const TStoreTable& table)
    : m_scope(std::make_unique<kwpstore::ReadScope>(table.connection())) {}

TStoreReadSnapshot::~TStoreReadSnapshot() = default;

void TStoreTable::ScanUtf8(const QStringList& columns, const TUtf8RowVisitor& visit) const {
    constexpr int chunkRows = 2000;
    QStringList quoted;
    for (const QString& column : columns) quoted << QuoteIdent(column);
    kwpstore::Statement statement(
        connection(),
        QStringLiteral("SELECT rowid, ") + quoted.join(u',') + QStringLiteral(" FROM ") +
            quotedTableName() +
            QStringLiteral(" WHERE rowid > ? ORDER BY rowid LIMIT %1").arg(chunkRows));
    QList<QByteArrayView> values(columns.size());
    qint64 after = 0;
    for (int rows = chunkRows; rows == chunkRows;) {
        statement.bind(1, after);
        for (rows = 0; statement.step(); ++rows) {
            after = statement.int64(0);
            for (qsizetype i = 0; i < values.size(); ++i) values[i] = statement.utf8(int(i) + 1);
            visit(values);
        }
        // Ends the read, so a writer may commit before the next chunk.
        statement.reset();
    }
}

QString TStoreTable::quotedTableName() const {
    return QuoteIdent(m_tableName);
}

void TStoreTable::checkActive() const {
    if (!Active())
        throw EStoreError(FormatStr(_("Die Tabelle \"%s\" ist nicht geöffnet."), {m_tableName}));
}

void TStoreTable::checkWritable() const {
    checkActive();
    if (m_readOnly || m_connection->readOnly() || (m_database && m_database->ReadOnly()))
        throw EStoreError(FormatStr(_("Die Tabelle \"%s\" ist schreibgeschützt."), {m_tableName}));
}

// Moving the cursor ends an edit by saving it.
void TStoreTable::checkBrowse() {
    checkActive();
    if (m_state == TStoreState::Edit || m_state == TStoreState::Insert) Post();
}

std::shared_ptr<kwpstore::Connection> TStoreTable::openConnection(bool create) const {
    if (!m_database)
        throw EStoreError(FormatStr(_("Die Tabelle \"%s\" hat keine Datenbank."), {m_tableName}));
    if (m_tableName.isEmpty()) throw EStoreError(_("Die Tabelle hat keinen Namen."));
    return m_database->connectionFor(m_tableName, create, m_readOnly);
}

bool TStoreTable::Exists() const {
    return m_database && !m_tableName.isEmpty() && m_database->HasTable(m_tableName);
}

void TStoreTable::createColumns(kwpstore::Connection& connection, const QString& table) const {
    QStringList columns;
    int autoIncs = 0;
    for (const TFieldDef& def : m_fieldDefs.items()) {
        if (!IsValidStoreFieldType(def.type))
            throw EStoreError(
                FormatStr(_("Feld \"%s\": unbekannter Datentyp %d."), {def.name, def.type}));
        if (def.type == sftString && def.size <= 0)
            throw EStoreError(
                FormatStr(_("Feld \"%s\": Textfelder brauchen eine Länge."), {def.name}));
        if (def.type == sftAutoInc) ++autoIncs;
        columns.append(storeColumnSql(def));
    }
    if (columns.isEmpty())
        throw EStoreError(FormatStr(_("Die Tabelle \"%s\" hat keine Felder."), {m_tableName}));
    if (autoIncs > 1)
        throw EStoreError(
            FormatStr(_("Die Tabelle \"%s\" hat mehr als ein Zählerfeld."), {m_tableName}));
    connection.exec(QStringLiteral("CREATE TABLE ") + QuoteIdent(table) + QStringLiteral(" (") +
                    columns.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

void TStoreTable::createIndexes(kwpstore::Connection& connection) const {
    for (const TIndexDef& index : m_indexDefs.items()) {
        QStringList parts;
        for (const QString& field : index.fieldList()) {
            const TFieldDef* def = m_fieldDefs.Find(field);
            if (!def)
                throw EStoreError(
                    FormatStr(_("Index \"%s\": unbekanntes Feld \"%s\"."), {index.name, field}));
            parts.append(storeKeyTerms(*def, (index.options & ixDescending) != 0));
        }
        if (parts.isEmpty())
            throw EStoreError(FormatStr(_("Index \"%s\" hat keine Felder."), {index.name}));
        connection.exec(((index.options & ixUnique) ? QStringLiteral("CREATE UNIQUE INDEX ")
                                                    : QStringLiteral("CREATE INDEX ")) +
                        QuoteIdent(storeIndexName(m_tableName, index.name)) +
                        QStringLiteral(" ON ") + QuoteIdent(m_tableName) + QStringLiteral(" (") +
                        parts.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
}

void TStoreTable::CreateTable() {
    if (Exists())
        throw EStoreError(FormatStr(_("Die Tabelle \"%s\" existiert bereits."), {m_tableName}));
    if (m_database && m_database->ReadOnly())
        throw EStoreError(FormatStr(_("Die Datenbank ist schreibgeschützt: Tabelle \"%s\" kann "
                                      "nicht angelegt werden."),
                                    {m_tableName}));
    const bool ownFile = m_database && m_database->DatabaseType() == TStoreDatabase::dtDirectory;
    const QString file = m_database ? m_database->TableFileName(m_tableName) : QString();
    try {
        const std::shared_ptr<kwpstore::Connection> connection = openConnection(true);
        kwpstore::InTransaction(*connection, [&] {
            createColumns(*connection, m_tableName);
            createIndexes(*connection);
        });
    } catch (...) {
        // A half-made table file would count as an existing table.
        if (ownFile) QFile::remove(file);
        throw;
    }
}

void TStoreTable::ReadStructure() {
    const std::shared_ptr<kwpstore::Connection> connection =
        m_connection ? m_connection : openConnection(false);
    TFieldDefs fields;
    {
        kwpstore::Statement info(*connection, QStringLiteral("PRAGMA table_info(") +
                                                  QuoteIdent(m_tableName) + QLatin1Char(')'));
        while (info.step())
            fields.Add(QString(), sftMemo) = storeFieldFromColumn(
                info.value(1).toString(), info.value(2).toString(), info.value(3).toLongLong() != 0,
                info.value(5).toLongLong() == 1);
    }
    if (fields.Count() == 0)
        throw EStoreError(FormatStr(_("Tabelle \"%s\" nicht gefunden."), {m_tableName}));
    TIndexDefs indexes;
    {
        const QString prefix = storeIndexName(m_tableName, QString());
        kwpstore::Statement list(*connection, QStringLiteral("PRAGMA index_list(") +
                                                  QuoteIdent(m_tableName) + QLatin1Char(')'));
        QList<QPair<QString, bool>> found;
        while (list.step())
            if (list.value(3).toString() == QLatin1String("c"))
                found.append({list.value(1).toString(), list.value(2).toLongLong() != 0});
        std::sort(found.begin(), found.end());
        for (const auto& [sqlName, unique] : found) {
            kwpstore::Statement columns(*connection, QStringLiteral("PRAGMA index_xinfo(") +
                                                         QuoteIdent(sqlName) + QLatin1Char(')'));
            QStringList names;
            bool descending = false;
            while (columns.step()) {
                if (columns.value(5).toLongLong() == 0) continue;  // the row id
                // A text key is indexed twice: without and with case.
                if (names.contains(columns.value(2).toString())) continue;
                names.append(columns.value(2).toString());
                descending = descending || columns.value(3).toLongLong() != 0;
            }
            const QString name = sqlName.startsWith(prefix, Qt::CaseInsensitive)
                                     ? sqlName.mid(prefix.size())
                                     : sqlName;
            indexes.Add(name, names.join(QLatin1Char(';')),
                        (unique ? ixUnique : 0) | (descending ? ixDescending : 0));
        }
    }
    m_fieldDefs = fields;
    m_indexDefs = indexes;
}

void TStoreTable::AlterTable() {
    const bool wasActive = Active();
    const qint64 keep = wasActive ? CurrentRowId() : 0;
    if (wasActive) {
        checkBrowse();
        checkWritable();
    }
    const std::shared_ptr<kwpstore::Connection> connection =
        m_connection ? m_connection : openConnection(false);
    if (connection->readOnly())
        throw EStoreError(FormatStr(_("Die Tabelle \"%s\" ist schreibgeschützt."), {m_tableName}));
    // The old columns, to carry each row's values over by name.
    QStringList oldColumns;
    {
        kwpstore::Statement info(*connection, QStringLiteral("PRAGMA table_info(") +
                                                  QuoteIdent(m_tableName) + QLatin1Char(')'));
        while (info.step()) oldColumns.append(info.value(1).toString());
    }
    if (oldColumns.isEmpty())
        throw EStoreError(FormatStr(_("Tabelle \"%s\" nicht gefunden."), {m_tableName}));
    const QString temporary = m_tableName + QStringLiteral("$alter");
    QStringList targets;
    QStringList sources;
    bool hasAutoInc = false;
    for (const TFieldDef& def : m_fieldDefs.items()) {
        const int old = int(std::find_if(oldColumns.begin(), oldColumns.end(),
                                         [&](const QString& c) {
                                             return c.compare(def.name, Qt::CaseInsensitive) == 0;
                                         }) -
                            oldColumns.begin());
        QString source =
            old < oldColumns.size() ? QuoteIdent(oldColumns[old]) : QStringLiteral("NULL");
        if (def.type == sftAutoInc) {
            hasAutoInc = true;
            if (old >= oldColumns.size()) source = QStringLiteral("rowid");
        } else if (def.required) {
            source = QStringLiteral("COALESCE(") + source + QStringLiteral(", ") +
                     storeColumnDefault(def) + QLatin1Char(')');
        }
        targets.append(QuoteIdent(def.name));
        sources.append(source);
    }
    if (!hasAutoInc) {
        targets.prepend(QStringLiteral("rowid"));
        sources.prepend(QStringLiteral("rowid"));
    }
    connection->clearCache();
    kwpstore::InTransaction(*connection, [&] {
        createColumns(*connection, temporary);
        connection->exec(QStringLiteral("INSERT INTO ") + QuoteIdent(temporary) +
                         QStringLiteral(" (") + targets.join(QStringLiteral(", ")) +
                         QStringLiteral(") SELECT ") + sources.join(QStringLiteral(", ")) +
                         QStringLiteral(" FROM ") + QuoteIdent(m_tableName));
        connection->exec(QStringLiteral("DROP TABLE ") + QuoteIdent(m_tableName));
        connection->exec(QStringLiteral("ALTER TABLE ") + QuoteIdent(temporary) +
                         QStringLiteral(" RENAME TO ") + QuoteIdent(m_tableName));
        createIndexes(*connection);
    });
    ++m_changeCount;
    if (wasActive) {
        buildFields();
        applyIndex();
        reloadOrder(keep);
    }
}

// Tables of earlier versions declared a collation that only this program knows, so no other
// SQLite client could read them. The first workstation that may write rebuilds them.
bool TStoreTable::usesOwnCollation() const {
    if (m_connection->readOnly()) return false;
    kwpstore::Statement statement(
        *m_connection, QStringLiteral("SELECT 1 FROM sqlite_master WHERE tbl_name = ? AND sql "
                                      "LIKE '%COLLATE KWPTEXT%'"));
    statement.bind(1, m_tableName);
    return statement.step();
}

void TStoreTable::buildFields() {
    ReadStructure();
    m_fields.clear();
    QStringList columns;
    m_autoIncColumn = -1;
    for (int i = 0; i < m_fieldDefs.Count(); ++i) {
        m_fields.push_back(std::make_unique<TStoreField>(*this, i));
        columns.append(QuoteIdent(m_fieldDefs[i].name));
        if (m_fieldDefs[i].type == sftAutoInc) m_autoIncColumn = i;
    }
    m_readSql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                QStringLiteral(" FROM ") + QuoteIdent(m_tableName) +
                QStringLiteral(" WHERE rowid = ?");
    m_buffer = QVariantList(m_fieldDefs.Count());
}

void TStoreTable::applyIndex() {
    m_key.clear();
    m_keySql.clear();
    if (m_indexName.isEmpty() || m_indexName.compare(m_tableName, Qt::CaseInsensitive) == 0) return;
    const TIndexDef* index = m_indexDefs.Find(m_indexName);
    if (!index)
        throw EStoreError(FormatStr(_("Index \"%s\" der Tabelle \"%s\" nicht gefunden."),
                                    {m_indexName, m_tableName}));
    for (const QString& field : index->fieldList()) {
        const int column = m_fieldDefs.IndexOf(field);
        if (column < 0)
            throw EStoreError(
                FormatStr(_("Index \"%s\": unbekanntes Feld \"%s\"."), {index->name, field}));
        m_key.push_back({column, (index->options & ixDescending) != 0});
    }
    QStringList columns;
    for (const KeyField& key : m_key) columns.append(QuoteIdent(m_fieldDefs[key.column].name));
    m_keySql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
               QStringLiteral(" FROM ") + QuoteIdent(m_tableName) +
               QStringLiteral(" WHERE rowid = ?");
}

QString TStoreTable::orderClause() const {
    QStringList parts;
    for (const KeyField& key : m_key)
        parts.append(storeKeyTerms(m_fieldDefs[key.column], key.descending));
    parts.append(QStringLiteral("rowid"));
    return QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

void TStoreTable::Open() {
    if (Active()) return;
    if (m_database && !m_database->Connected()) m_database->Open();
    m_connection = openConnection(false);
    try {
        if (usesOwnCollation()) {
            ReadStructure();
            AlterTable();
        }
        buildFields();
        applyIndex();
        if (m_filtered && !m_filter.isEmpty()) {
            const kwpstore::CompiledFilter compiled =
                kwpstore::CompileFilter(m_filter, m_fieldDefs);
            m_filterSql = compiled.sql;
            m_filterParams = compiled.params;
        }
        m_state = TStoreState::Browse;
        reloadOrder(0);
        First();
    } catch (...) {
        m_state = TStoreState::Inactive;
        m_connection.reset();
        throw;
    }
}

void TStoreTable::Close() {
    if (!Active()) return;
    // Writes made under a table lock are kept.
    std::exception_ptr failure;
    try {
        while (m_lockDepth > 0) UnlockTable();
    } catch (...) {
        failure = std::current_exception();
        while (m_lockDepth > 0) {
            m_connection->rollback();
            --m_lockDepth;
        }
    }
    m_state = TStoreState::Inactive;
    m_fields.clear();
    m_order.clear();
    m_buffer.clear();
    m_position = -1;
    m_bof = m_eof = true;
    m_connection.reset();
    if (failure) std::rethrow_exception(failure);
}

void TStoreTable::reloadOrder(qint64 keepRowId) {
    const qint64 oldPosition = m_position;
    m_orderVersion = m_connection->dataVersion();
    const bool filtered = m_filtered && !m_filterSql.isEmpty();
    // The insertion order from the rows themselves would read every page of the table; any
    // index holds all row ids in far fewer pages, and sorting them is cheap.
    const bool fromIndex = m_key.empty() && !filtered && m_indexDefs.Count() > 0;
    const QString source =
        QuoteIdent(m_tableName) +
        (fromIndex ? QStringLiteral(" INDEXED BY ") +
                         QuoteIdent(storeIndexName(m_tableName, m_indexDefs[0].name))
                   : QString());
    kwpstore::Statement& statement =
        m_connection->cached(QStringLiteral("SELECT rowid FROM ") + source +
                             (filtered ? QStringLiteral(" WHERE ") + m_filterSql : QString()) +
                             (fromIndex ? QString() : orderClause()));
    if (filtered) statement.bindAll(m_filterParams);
    m_order.clear();
    while (statement.step()) m_order.push_back(statement.int64(0));
    statement.reset();
    if (fromIndex) std::sort(m_order.begin(), m_order.end());
    qint64 position = -1;
    if (keepRowId != 0) {
        const auto it = std::find(m_order.begin(), m_order.end(), keepRowId);
        if (it != m_order.end()) position = it - m_order.begin();
    }
    if (position < 0 && !m_order.empty())
        position = std::clamp<qint64>(oldPosition, 0, qint64(m_order.size()) - 1);
    setPosition(position);
}

void TStoreTable::RefreshIfChanged() {
    // A record being edited keeps its values until it is posted or cancelled.
    if (m_state != TStoreState::Browse) return;
    if (m_connection->dataVersion() != m_orderVersion) reloadOrder(CurrentRowId());
}

void TStoreTable::setPosition(qint64 index) {
    m_position = m_order.empty() ? -1 : index;
    m_bof = m_eof = m_order.empty();
    readCurrent();
}

void TStoreTable::readCurrent() {
    m_buffer = QVariantList(m_fieldDefs.Count());
    if (m_position < 0) return;
    kwpstore::Statement& statement = m_connection->cached(m_readSql);
    statement.bind(1, QVariant(qlonglong(m_order[size_t(m_position)])));
    if (statement.step()) {
        for (int i = 0; i < m_fieldDefs.Count(); ++i) m_buffer[i] = statement.value(i);
        statement.reset();
        return;
    }
    statement.reset();
    // Deleted by another workstation: take the order as it is now.
    const qint64 position = m_position;
    m_orderVersion = -1;
    m_position = -1;
    reloadOrder(0);
    if (!m_order.empty()) setPosition(std::min<qint64>(position, qint64(m_order.size()) - 1));
}

void TStoreTable::Refresh() {
    checkBrowse();
    reloadOrder(CurrentRowId());
}

void TStoreTable::First() {
    checkBrowse();
    RefreshIfChanged();
    setPosition(0);
    m_bof = true;
}

void TStoreTable::Last() {
    checkBrowse();
    RefreshIfChanged();
    setPosition(qint64(m_order.size()) - 1);
    m_eof = true;
}

void TStoreTable::Next() {
    checkBrowse();
    if (m_position < 0 || m_position + 1 >= qint64(m_order.size())) {
        m_eof = true;
        return;
    }
    setPosition(m_position + 1);
}

void TStoreTable::Prior() {
    checkBrowse();
    if (m_position <= 0) {
        m_bof = true;
        return;
    }
    setPosition(m_position - 1);
}

int TStoreTable::RecNo() const {
    return m_position < 0 || m_state == TStoreState::Insert ? 0 : int(m_position + 1);
}

void TStoreTable::SetRecNo(int recNo) {
    checkBrowse();
    if (m_order.empty()) return;
    setPosition(std::clamp<qint64>(recNo, 1, qint64(m_order.size())) - 1);
}

qint64 TStoreTable::CurrentRowId() const {
    return m_position >= 0 && m_position < qint64(m_order.size()) ? m_order[size_t(m_position)] : 0;
}

bool TStoreTable::GotoRowId(qint64 rowId) {
    checkBrowse();
    const auto it = std::find(m_order.begin(), m_order.end(), rowId);
    if (it == m_order.end()) return false;
    setPosition(it - m_order.begin());
    return true;
}

TStoreField* TStoreTable::FindField(const QString& name) {
    const int index = m_fieldDefs.IndexOf(name);
    return Active() && index >= 0 ? m_fields[size_t(index)].get() : nullptr;
}

TStoreField& TStoreTable::FieldByName(const QString& name) {
    checkActive();
    TStoreField* field = FindField(name);
    if (!field)
        throw EStoreError(
            FormatStr(_("Feld \"%s\" in Tabelle \"%s\" nicht gefunden."), {name, m_tableName}));
    return *field;
}

void TStoreTable::setFieldValue(int index, const QVariant& value) {
    if (m_state != TStoreState::Edit && m_state != TStoreState::Insert)
        throw EStoreError(
            FormatStr(_("Tabelle \"%s\" ist nicht im Bearbeitungsmodus."), {m_tableName}));
    const TFieldDef& def = m_fieldDefs[index];
    QVariant stored;
    if (!value.isNull()) {
        const int typeId = value.typeId();
        const bool isText = typeId == QMetaType::QString;
        if (storeIsText(def.type)) {
            const QString text = value.toString();
            if (def.type == sftString && def.size > 0 && text.size() > def.size)
                throw EStoreError(
                    FormatStr(_("Der Text für das Feld \"%s\" ist länger als %d Zeichen."),
                              {def.name, def.size}));
            stored = text;
        } else if (isText) {
            TStoreField(*this, index).SetAsString(value.toString());
            return;
        } else if (storeIsInteger(def.type)) {
            stored = def.type == sftBoolean ? QVariant(qlonglong(value.toDouble() != 0))
                                            : QVariant(qlonglong(std::llround(value.toDouble())));
            if (typeId == QMetaType::LongLong || typeId == QMetaType::Int ||
                typeId == QMetaType::UInt || typeId == QMetaType::ULongLong)
                stored = def.type == sftBoolean ? QVariant(qlonglong(value.toLongLong() != 0))
                                                : QVariant(value.toLongLong());
        } else {
            stored = QVariant(value.toDouble());
        }
    }
    if (def.type == sftAutoInc && m_state == TStoreState::Edit)
        throw EStoreError(
            FormatStr(_("Das Zählerfeld \"%s\" kann nicht geändert werden."), {def.name}));
    m_buffer[index] = stored;
}

void TStoreTable::Append() {
    checkBrowse();
    checkWritable();
    m_buffer = QVariantList(m_fieldDefs.Count());
    m_state = TStoreState::Insert;
}

void TStoreTable::Edit() {
    checkActive();
    if (m_state == TStoreState::Edit || m_state == TStoreState::Insert) return;
    checkWritable();
    if (m_position < 0)
        throw EStoreError(
            FormatStr(_("Tabelle \"%s\" ist leer: kein Datensatz zum Bearbeiten."), {m_tableName}));
    // The columns the caller does not set are written back as they are now, not as read.
    const qint64 rowId = CurrentRowId();
    RefreshIfChanged();
    if (CurrentRowId() != rowId) throw EStoreError(storeDeletedMeanwhile(m_tableName));
    m_state = TStoreState::Edit;
}

void TStoreTable::Cancel() {
    checkActive();
    if (m_state != TStoreState::Edit && m_state != TStoreState::Insert) return;
    m_state = TStoreState::Browse;
    readCurrent();
}

void TStoreTable::Post() {
    checkActive();
    if (m_state != TStoreState::Edit && m_state != TStoreState::Insert) return;
    for (int i = 0; i < m_fieldDefs.Count(); ++i)
        if (m_fieldDefs[i].required && m_fieldDefs[i].type != sftAutoInc && m_buffer[i].isNull())
            throw EStoreError(
                FormatStr(_("Das Feld \"%s\" muss einen Wert haben."), {m_fieldDefs[i].name}));
    const bool stale = m_connection->dataVersion() != m_orderVersion;
    qint64 rowId = CurrentRowId();
    const bool inserting = m_state == TStoreState::Insert;
    try {
        kwpstore::InTransaction(*m_connection, [&] {
            QStringList columns;
            QVariantList values;
            for (int i = 0; i < m_fieldDefs.Count(); ++i) {
                if (i == m_autoIncColumn && (!inserting || m_buffer[i].isNull())) continue;
                columns.append(QuoteIdent(m_fieldDefs[i].name));
                values.append(m_buffer[i]);
            }
            QString sql;
            if (inserting) {
                sql =
                    QStringLiteral("INSERT INTO ") + QuoteIdent(m_tableName) +
                    (columns.isEmpty() ? QStringLiteral(" DEFAULT VALUES")
                                       : QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                                             QStringLiteral(") VALUES (") +
                                             QStringList(columns.size(), QStringLiteral("?"))
                                                 .join(QStringLiteral(", ")) +
                                             QLatin1Char(')'));
            } else {
                sql = QStringLiteral("UPDATE ") + QuoteIdent(m_tableName) +
                      QStringLiteral(" SET ") + columns.join(QStringLiteral(" = ?, ")) +
                      QStringLiteral(" = ? WHERE rowid = ?");
                values.append(QVariant(qlonglong(rowId)));
            }
            kwpstore::Statement& statement = m_connection->cached(sql);
            statement.bindAll(values);
            statement.run();
            if (inserting) {
                rowId = sqlite3_last_insert_rowid(m_connection->handle());
            } else if (sqlite3_changes(m_connection->handle()) == 0) {
                throw EStoreError(storeDeletedMeanwhile(m_tableName));
            }
            runBeforeCommit();
        });
    } catch (const EStoreError& e) {
        storeWriteFailed(m_tableName, e);
    }
    m_state = TStoreState::Browse;
    ++m_changeCount;
    if (stale) {
        reloadOrder(rowId);
    } else {
        if (!inserting) {
            const auto it = std::find(m_order.begin(), m_order.end(), rowId);
            if (it != m_order.end()) m_order.erase(it);
        }
        placeRow(rowId);
    }
}

void TStoreTable::runBeforeCommit() {
    if (m_beforeCommit && m_connection->transactionDepth() == 1) m_beforeCommit();
}

bool TStoreTable::matchesFilter(qint64 rowId) {
    if (!m_filtered || m_filterSql.isEmpty()) return true;
    kwpstore::Statement& statement =
        m_connection->cached(QStringLiteral("SELECT 1 FROM ") + QuoteIdent(m_tableName) +
                             QStringLiteral(" WHERE rowid = ? AND ") + m_filterSql);
    statement.bind(1, QVariant(qlonglong(rowId)));
    for (int i = 0; i < m_filterParams.size(); ++i) statement.bind(i + 2, m_filterParams[i]);
    const bool matches = statement.step();
    statement.reset();
    return matches;
}

QVariantList TStoreTable::keyOf(qint64 rowId, bool* found) {
    QVariantList values;
    if (m_key.empty()) {
        *found = true;
        return values;
    }
    kwpstore::Statement& statement = m_connection->cached(m_keySql);
    statement.bind(1, QVariant(qlonglong(rowId)));
    *found = statement.step();
    if (*found)
        for (size_t i = 0; i < m_key.size(); ++i) values.append(statement.value(int(i)));
    statement.reset();
    return values;
}

int TStoreTable::compareKeys(const QVariantList& a, qint64 aRowId, const QVariantList& b,
                             qint64 bRowId) const {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        int c = kwpstore::CompareValues(a[i], b[i]);
        if (m_key[size_t(i)].descending) c = -c;
        if (c != 0) return c;
    }
    if (aRowId == 0 || bRowId == 0) return 0;
    return aRowId < bRowId ? -1 : (aRowId > bRowId ? 1 : 0);
}

// Puts a row that this table wrote at its place in the order, by binary search over the keys.
void TStoreTable::placeRow(qint64 rowId) {
    if (!matchesFilter(rowId)) {
        // Outside the filter: the cursor stays where it was.
        setPosition(std::min<qint64>(std::max<qint64>(m_position, 0), qint64(m_order.size()) - 1));
        return;
    }
    bool found = false;
    std::optional<kwpstore::ReadScope> reading(std::in_place, *m_connection);
    const QVariantList key = keyOf(rowId, &found);
    size_t low = 0;
    size_t high = m_order.size();
    // New numbers mostly come last (an import, the next free number): one probe then.
    if (high > 0) {
        bool present = false;
        const QVariantList last = keyOf(m_order[high - 1], &present);
        if (present && compareKeys(last, m_order[high - 1], key, rowId) < 0) low = high;
    }
    while (low < high) {
        const size_t middle = (low + high) / 2;
        bool present = false;
        const QVariantList probe = keyOf(m_order[middle], &present);
        if (!present) {
            // Someone else deleted rows: the order must be read again.
            reading.reset();
            reloadOrder(rowId);
            return;
        }
        if (compareKeys(probe, m_order[middle], key, rowId) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    reading.reset();
    m_order.insert(m_order.begin() + qint64(low), rowId);
    setPosition(qint64(low));
}

void TStoreTable::Delete() {
    checkActive();
    if (m_state == TStoreState::Insert) {
        Cancel();
        return;
    }
    checkWritable();
    if (m_position < 0)
        throw EStoreError(
            FormatStr(_("Tabelle \"%s\" ist leer: kein Datensatz zum Löschen."), {m_tableName}));
    const qint64 rowId = CurrentRowId();
    kwpstore::InTransaction(*m_connection, [&] {
        kwpstore::Statement& statement =
            m_connection->cached(QStringLiteral("DELETE FROM ") + QuoteIdent(m_tableName) +
                                 QStringLiteral(" WHERE rowid = ?"));
        statement.bind(1, QVariant(qlonglong(rowId)));
        statement.run();
    });
    m_state = TStoreState::Browse;
    ++m_changeCount;
    m_order.erase(m_order.begin() + m_position);
    setPosition(std::min<qint64>(m_position, qint64(m_order.size()) - 1));
}

bool TStoreTable::Locate(const QString& fieldName, const QVariant& value) {
    checkBrowse();
    const int column = m_fieldDefs.IndexOf(fieldName);
    if (column < 0)
        throw EStoreError(FormatStr(_("Feld \"%s\" in Tabelle \"%s\" nicht gefunden."),
                                    {fieldName, m_tableName}));
    // The order and the rows found from one state of the file.
    const kwpstore::ReadScope reading(*m_connection);
    RefreshIfChanged();
    // A text key's index starts with the case-insensitive term: the lookup names it too.
    const QString name = QuoteIdent(m_fieldDefs[column].name);
    const QString condition =
        value.isNull() ? name + QStringLiteral(" IS NULL")
        : storeIsText(m_fieldDefs[column].type)
            ? name + QStringLiteral(" COLLATE NOCASE = ?1 AND ") + name + QStringLiteral(" = ?1")
            : name + QStringLiteral(" = ?1");
    kwpstore::Statement& statement =
        m_connection->cached(QStringLiteral("SELECT rowid FROM ") + QuoteIdent(m_tableName) +
                             QStringLiteral(" WHERE ") + condition);
    if (!value.isNull()) statement.bind(1, value);
    std::vector<qint64> matches;
    while (statement.step()) matches.push_back(statement.int64(0));
    statement.reset();
    if (matches.empty()) return false;
    if (matches.size() == 1) return GotoRowId(matches.front());
    std::sort(matches.begin(), matches.end());
    for (size_t i = 0; i < m_order.size(); ++i)
        if (std::binary_search(matches.begin(), matches.end(), m_order[i])) {
            setPosition(qint64(i));
            return true;
        }
    return false;
}

void TStoreTable::FindNearest(const QVariantList& keyValues) {
    checkBrowse();
    if (m_key.empty())
        throw EStoreError(FormatStr(_("Tabelle \"%s\": Suche nach dem nächsten Schlüssel "
                                      "braucht einen Index."),
                                    {m_tableName}));
    std::optional<kwpstore::ReadScope> reading(std::in_place, *m_connection);
    RefreshIfChanged();
    QVariantList key;
    for (qsizetype i = 0; i < keyValues.size() && i < qsizetype(m_key.size()); ++i) {
        const QVariant& value = keyValues[i];
        const int type = m_fieldDefs[m_key[size_t(i)].column].type;
        if (value.isNull() || storeIsText(type))
            key.append(value.isNull() ? value : QVariant(value.toString()));
        else if (storeIsInteger(type) && value.typeId() != QMetaType::Double)
            key.append(QVariant(value.toLongLong()));
        else
            key.append(QVariant(value.toDouble()));
    }
    size_t low = 0;
    size_t high = m_order.size();
    while (low < high) {
        const size_t middle = (low + high) / 2;
        bool present = false;
        QVariantList probe = keyOf(m_order[middle], &present);
        if (!present) {
            reading.reset();
            reloadOrder(0);
            FindNearest(keyValues);
            return;
        }
        probe = probe.mid(0, key.size());
        if (compareKeys(probe, 0, key, 0) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    reading.reset();
    if (low >= m_order.size()) {
        setPosition(qint64(m_order.size()) - 1);
        m_eof = true;
        return;
    }
    setPosition(qint64(low));
}

void TStoreTable::SetIndexName(const QString& name) {
    if (!Active()) {
        m_indexName = name;
        return;
    }
    checkBrowse();
    // Rereading the order costs a pass over the index; callers that restore the order they
    // found would otherwise pay it on every call.
    if (name == m_indexName) return;
    const QString previous = m_indexName;
    const qint64 keep = CurrentRowId();
    m_indexName = name;
    try {
        applyIndex();
    } catch (...) {
        m_indexName = previous;
        applyIndex();
        throw;
    }
    reloadOrder(keep);
}

void TStoreTable::SetFilter(const QString& filter) {
    if (Active() && m_filtered) {
        checkBrowse();
        const kwpstore::CompiledFilter compiled = kwpstore::CompileFilter(filter, m_fieldDefs);
        m_filter = filter;
        m_filterSql = compiled.sql;
        m_filterParams = compiled.params;
        reloadOrder(0);
        First();
        return;
    }
    m_filter = filter;
    m_filterSql.clear();
    m_filterParams.clear();
}

void TStoreTable::SetFiltered(bool filtered) {
    if (filtered == m_filtered) return;
    if (!Active()) {
        m_filtered = filtered;
        return;
    }
    checkBrowse();
    if (filtered) {
        const kwpstore::CompiledFilter compiled = kwpstore::CompileFilter(m_filter, m_fieldDefs);
        m_filterSql = compiled.sql;
        m_filterParams = compiled.params;
    }
    m_filtered = filtered;
    reloadOrder(0);
    First();
}

void TStoreTable::LockTable() {
    checkWritable();
    m_connection->begin();
    ++m_lockDepth;
    // The order and the current row may predate the lock; what is read under it must be what
    // the other workstations committed last.
    try {
        RefreshIfChanged();
    } catch (...) {
        m_connection->rollback();
        --m_lockDepth;
        throw;
    }
}

void TStoreTable::UnlockTable(TLockEnd end) {
    if (m_lockDepth == 0 || !m_connection) return;
    if (end == TLockEnd::KeepWrites) {
        if (m_lockDepth == 1) runBeforeCommit();
        m_connection->commit();
        --m_lockDepth;
        return;
    }
    if (m_state == TStoreState::Edit || m_state == TStoreState::Insert)
        m_state = TStoreState::Browse;
    m_connection->rollback();
    --m_lockDepth;
    ++m_changeCount;
    // The undone rows must leave the kept order too.
    m_orderVersion = -1;
    reloadOrder(0);
}

TStoreTable* TTableObjectList::Find(const QString& tableName) const {
    for (const auto& table : m_items)
        if (table->TableName().compare(tableName, Qt::CaseInsensitive) == 0) return table.get();
    return nullptr;
}
