#include "persistence/storetextindex.h"

#include <algorithm>
#include <cstring>

#include "persistence/storesqlite.h"
#include "persistence/storetable.h"
#include "persistence/storetypes.h"

using kwpstore::QuoteIdent;

namespace {
// Rows derived per round of `Update`: bounds the memory of a rebuild.
constexpr int textIndexBatch = 1000;

QString textIndexSqlText(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Every run of three characters of the needles, as FTS5 strings joined by AND. Needles shorter
// than three characters have none; they are checked against the texts only.
QString textIndexTrigramQuery(const QList<QByteArray>& needles) {
    QStringList terms;
    for (const QByteArray& needle : needles) {
        QList<qsizetype> starts;  // where each UTF-8 character begins
        for (qsizetype i = 0; i < needle.size(); ++i)
            if ((uchar(needle[i]) & 0xC0) != 0x80) starts.append(i);
        starts.append(needle.size());
        for (qsizetype i = 0; i + 3 < starts.size(); ++i) {
            QString term = QString::fromUtf8(needle.mid(starts[i], starts[i + 3] - starts[i]));
            term.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            term = QLatin1Char('"') + term + QLatin1Char('"');
            if (!terms.contains(term)) terms.append(term);
        }
    }
    return terms.join(QStringLiteral(" AND "));
}
// `count` columns of the current row, from column `first` on.
QVariantList textIndexValues(const kwpstore::Statement& statement, int first, qsizetype count) {
    QVariantList values;
    values.reserve(count);
    for (int i = 0; i < count; ++i) values.append(statement.value(first + i));
    return values;
}

QString textIndexColumns(const QStringList& columns, const QString& alias = QString()) {
    QStringList quoted;
    for (const QString& column : columns)
        quoted.append((alias.isEmpty() ? QString() : alias + QLatin1Char('.')) +
                      QuoteIdent(column));
    return quoted.join(QStringLiteral(", "));
}
}  // namespace

TStoreTextIndex::TStoreTextIndex(TStoreTable& table, QStringList sourceColumns, Derive derive,
                                 QStringList listColumns)
    : m_table(table),
      m_sourceColumns(std::move(sourceColumns)),
      m_derive(std::move(derive)),
      m_listColumns(std::move(listColumns)) {}

QString TStoreTextIndex::objectName(const char* suffix) const {
    return m_table.TableName() + QLatin1String(suffix);
}

bool TStoreTextIndex::Exists() const {
    kwpstore::Connection& connection = m_table.connection();
    kwpstore::Statement& version = connection.cached(QStringLiteral("PRAGMA schema_version"));
    const qint64 schema = version.step() ? version.int64(0) : -1;
    version.reset();
    if (schema >= 0 && schema == m_checkedSchema) return m_exists;
    const QStringList names{objectName("$HAY"),      objectName("$HAY_PENDING"),
                            objectName("$TRIGRAMS"), objectName("$LIST"),
                            objectName("$INDEX_AI"), objectName("$INDEX_AD"),
                            objectName("$INDEX_AU")};
    kwpstore::Statement& statement = connection.cached(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN (?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < names.size(); ++i) statement.bind(i + 1, names[i]);
    m_exists = statement.step() && statement.int64(0) == names.size();
    statement.reset();
    m_checkedSchema = schema;
    return m_exists;
}

void TStoreTextIndex::Ensure() {
    kwpstore::Connection& connection = m_table.connection();
    bool complete = false;
    if (Exists()) {
        // Both counts in one statement, from one state of the file.
        kwpstore::Statement counts(connection, QStringLiteral("SELECT (SELECT count(*) FROM ") +
                                                   m_table.quotedTableName() +
                                                   QStringLiteral("), (SELECT count(*) FROM ") +
                                                   QuoteIdent(objectName("$LIST")) +
                                                   QLatin1Char(')'));
        complete = counts.step() && counts.int64(0) == counts.int64(1);
    }
    if (!complete) kwpstore::InTransaction(connection, [&] { create(); });
    try {
        Update();
    } catch (const EStoreError&) {
        // Another workstation is writing: searches derive the waiting texts until a later save.
    }
}

// Builds every object anew; each row gets its copies and waits for its text.
void TStoreTextIndex::create() {
    kwpstore::Connection& connection = m_table.connection();
    const QString table = m_table.quotedTableName();
    const QString hay = QuoteIdent(objectName("$HAY"));
    const QString trigrams = QuoteIdent(objectName("$TRIGRAMS"));
    const QString list = QuoteIdent(objectName("$LIST"));
    const QString listNames = textIndexColumns(m_listColumns);
    const QString listNew = textIndexColumns(m_listColumns, QStringLiteral("new"));
    // Also the search index of earlier versions, whose triggers called functions of this
    // program that no other client knows.
    for (const char* trigger :
         {"$INDEX_AI", "$INDEX_AD", "$INDEX_AU", "$SEARCH_AI", "$SEARCH_AD", "$SEARCH_AU"})
        connection.exec(QStringLiteral("DROP TRIGGER IF EXISTS ") +
                        QuoteIdent(objectName(trigger)));
    for (const char* object : {"$SEARCH", "$TRIGRAMS", "$HAY", "$LIST"})
        connection.exec(QStringLiteral("DROP TABLE IF EXISTS ") + QuoteIdent(objectName(object)));

    connection.exec(QStringLiteral("CREATE TABLE ") + hay +
                    QStringLiteral(" (id INTEGER PRIMARY KEY, hay TEXT)"));
    connection.exec(QStringLiteral("CREATE INDEX ") + QuoteIdent(objectName("$HAY_PENDING")) +
                    QStringLiteral(" ON ") + hay + QStringLiteral(" (id) WHERE hay IS NULL"));
    // Row ids only, no positions: a third of the size; `Find` checks each candidate's text.
    connection.exec(QStringLiteral("CREATE VIRTUAL TABLE ") + trigrams +
                    QStringLiteral(" USING fts5(hay, content=") +
                    textIndexSqlText(objectName("$HAY")) +
                    QStringLiteral(", content_rowid='id', tokenize='trigram case_sensitive 1', "
                                   "detail=none, columnsize=0)"));
    connection.exec(QStringLiteral("CREATE TABLE ") + list + QStringLiteral(" (") + listNames +
                    QLatin1Char(')'));

    const auto forget = [&](const QString& row) {
        return QStringLiteral(
                   "INSERT INTO %1 (%1, rowid, hay) SELECT 'delete', id, hay FROM %2 "
                   "WHERE id = %3 AND hay IS NOT NULL; DELETE FROM %2 WHERE id = %3; "
                   "DELETE FROM %4 WHERE rowid = %3; ")
            .arg(trigrams, hay, row, list);
    };
    const QString mark =
        QStringLiteral("INSERT INTO %1 (id, hay) VALUES (new.rowid, NULL); INSERT INTO %2 (rowid, ")
            .arg(hay, list) +
        listNames + QStringLiteral(") VALUES (new.rowid, ") + listNew + QStringLiteral("); ");
    const QList<QPair<const char*, QString>> triggers{
        {"$INDEX_AI", QStringLiteral("AFTER INSERT ON ") + table + QStringLiteral(" BEGIN ") +
                          forget(QStringLiteral("new.rowid")) + mark},
        {"$INDEX_AD", QStringLiteral("AFTER DELETE ON ") + table + QStringLiteral(" BEGIN ") +
                          forget(QStringLiteral("old.rowid"))},
        {"$INDEX_AU", QStringLiteral("AFTER UPDATE ON ") + table + QStringLiteral(" BEGIN ") +
                          forget(QStringLiteral("old.rowid")) +
                          forget(QStringLiteral("new.rowid")) + mark}};
    for (const auto& [name, body] : triggers)
        connection.exec(QStringLiteral("CREATE TRIGGER ") + QuoteIdent(objectName(name)) +
                        QLatin1Char(' ') + body + QStringLiteral("END"));

    connection.exec(QStringLiteral("INSERT INTO ") + hay +
                    QStringLiteral(" (id, hay) SELECT rowid, NULL FROM ") + table);
    connection.exec(QStringLiteral("INSERT INTO ") + list + QStringLiteral(" (rowid, ") +
                    listNames + QStringLiteral(") SELECT rowid, ") + listNames +
                    QStringLiteral(" FROM ") + table);
}

void TStoreTextIndex::Update() {
    kwpstore::Connection& connection = m_table.connection();
    if (connection.readOnly() || !Exists()) return;
    // Usually nothing waits: then no write lock is taken, which would wait for other writers.
    kwpstore::Statement& waiting =
        connection.cached(QStringLiteral("SELECT 1 FROM ") + QuoteIdent(objectName("$HAY")) +
                          QStringLiteral(" WHERE hay IS NULL LIMIT 1"));
    const bool any = waiting.step();
    waiting.reset();
    if (!any) return;
    // Read and written in one transaction: a row changed in between would get a stale text.
    kwpstore::InTransaction(connection, [&] {
        kwpstore::Statement& pending =
            connection.cached(QStringLiteral("SELECT h.id, t.rowid, ") +
                              textIndexColumns(m_sourceColumns, QStringLiteral("t")) +
                              QStringLiteral(" FROM ") + QuoteIdent(objectName("$HAY")) +
                              QStringLiteral(" h LEFT JOIN ") + m_table.quotedTableName() +
                              QStringLiteral(" t ON t.rowid = h.id WHERE h.hay IS NULL LIMIT %1")
                                  .arg(textIndexBatch));
        for (;;) {
            QList<QPair<qint64, QVariantList>> rows;
            while (pending.step()) {
                // A text left of a row that no longer exists is dropped (no source values).
                rows.append(
                    {pending.int64(0), pending.value(1).isNull()
                                           ? QVariantList()
                                           : textIndexValues(pending, 2, m_sourceColumns.size())});
            }
            pending.reset();
            if (rows.isEmpty()) return;
            deriveTexts(rows);
        }
    });
}

void TStoreTextIndex::deriveTexts(const QList<QPair<qint64, QVariantList>>& rows) {
    kwpstore::Connection& connection = m_table.connection();
    kwpstore::Statement& store =
        connection.cached(QStringLiteral("UPDATE ") + QuoteIdent(objectName("$HAY")) +
                          QStringLiteral(" SET hay = ? WHERE id = ?"));
    kwpstore::Statement& drop =
        connection.cached(QStringLiteral("DELETE FROM ") + QuoteIdent(objectName("$HAY")) +
                          QStringLiteral(" WHERE id = ?"));
    const QString trigrams = QuoteIdent(objectName("$TRIGRAMS"));
    kwpstore::Statement& index = connection.cached(QStringLiteral("INSERT INTO ") + trigrams +
                                                   QStringLiteral(" (rowid, hay) VALUES (?, ?)"));
    for (const auto& [id, values] : rows) {
        const QVariant row = QVariant(qlonglong(id));
        if (values.isEmpty()) {
            drop.bind(1, row);
            drop.run();
            continue;
        }
        const QString text = m_derive(values);
        store.bind(1, text);
        store.bind(2, row);
        store.run();
        index.bind(1, row);
        index.bind(2, text);
        index.run();
    }
}

bool TStoreTextIndex::ContainsAll(QByteArrayView text, const QList<QByteArray>& needles) {
    for (const QByteArray& needle : needles)
        if (!memmem(text.data(), size_t(text.size()), needle.constData(), size_t(needle.size())))
            return false;
    return true;
}

TStoreRowIds TStoreTextIndex::Find(const QList<QByteArray>& needles) const {
    if (needles.isEmpty()) return {};
    if (!Exists()) return Scan(needles);
    kwpstore::Connection& connection = m_table.connection();
    const kwpstore::ReadScope reading(connection);
    TStoreRowIds rows;
    const QString hay = QuoteIdent(objectName("$HAY"));
    // Rows written since the last save of this program: their texts are derived now.
    kwpstore::Statement& pending = connection.cached(
        QStringLiteral("SELECT t.rowid, ") +
        textIndexColumns(m_sourceColumns, QStringLiteral("t")) + QStringLiteral(" FROM ") + hay +
        QStringLiteral(" h JOIN ") + m_table.quotedTableName() +
        QStringLiteral(" t ON t.rowid = h.id WHERE h.hay IS NULL"));
    while (pending.step())
        if (ContainsAll(m_derive(textIndexValues(pending, 1, m_sourceColumns.size())).toUtf8(),
                        needles))
            rows.push_back(pending.int64(0));
    pending.reset();
    // The others: candidates from the trigrams (every text when no needle has three
    // characters), checked against their texts.
    const QString query = textIndexTrigramQuery(needles);
    const QString trigrams = QuoteIdent(objectName("$TRIGRAMS"));
    kwpstore::Statement& candidates =
        connection.cached(query.isEmpty() ? QStringLiteral("SELECT id, hay FROM ") + hay +
                                                QStringLiteral(" WHERE hay IS NOT NULL")
                                          // The join reads each text by its key, much faster than
                                          // the index's own fetch of its content row.
                                          : QStringLiteral("SELECT h.id, h.hay FROM ") + trigrams +
                                                QStringLiteral(" CROSS JOIN ") + hay +
                                                QStringLiteral(" h ON h.id = ") + trigrams +
                                                QStringLiteral(".rowid WHERE ") + trigrams +
                                                QStringLiteral(" MATCH ?"));
    if (!query.isEmpty()) candidates.bind(1, query);
    while (candidates.step()) {
        const QByteArrayView text = candidates.utf8(1);
        if (!text.isNull() && ContainsAll(text, needles)) rows.push_back(candidates.int64(0));
    }
    candidates.reset();
    std::sort(rows.begin(), rows.end());
    return rows;
}

TStoreRowIds TStoreTextIndex::Scan(const QList<QByteArray>& needles) const {
    TStoreRowIds rows;
    if (needles.isEmpty()) return rows;
    kwpstore::Statement statement(m_table.connection(),
                                  QStringLiteral("SELECT t.rowid, ") +
                                      textIndexColumns(m_sourceColumns, QStringLiteral("t")) +
                                      QStringLiteral(" FROM ") + m_table.quotedTableName() +
                                      QStringLiteral(" t ORDER BY t.rowid"));
    while (statement.step())
        if (ContainsAll(m_derive(textIndexValues(statement, 1, m_sourceColumns.size())).toUtf8(),
                        needles))
            rows.push_back(statement.int64(0));
    return rows;
}

TStoreRowValues TStoreTextIndex::ReadList() const {
    const QString source = Exists() ? QuoteIdent(objectName("$LIST")) : m_table.quotedTableName();
    kwpstore::Statement statement(m_table.connection(), QStringLiteral("SELECT rowid, ") +
                                                            textIndexColumns(m_listColumns) +
                                                            QStringLiteral(" FROM ") + source);
    TStoreRowValues values;
    while (statement.step())
        values.emplace(statement.int64(0), textIndexValues(statement, 1, m_listColumns.size()));
    return values;
}

TStoreRowValues TStoreTextIndex::ReadList(const TStoreRowIds& rows) const {
    // The copies are small rows; the table's rows carry the whole record.
    const QString source = Exists() ? QuoteIdent(objectName("$LIST")) : m_table.quotedTableName();
    kwpstore::Statement statement(m_table.connection(), QStringLiteral("SELECT ") +
                                                            textIndexColumns(m_listColumns) +
                                                            QStringLiteral(" FROM ") + source +
                                                            QStringLiteral(" WHERE rowid = ?"));
    TStoreRowValues values;
    for (const qint64 id : rows) {
        statement.bind(1, QVariant(qlonglong(id)));
        if (statement.step())
            values.emplace(id, textIndexValues(statement, 0, m_listColumns.size()));
        statement.reset();
    }
    return values;
}
