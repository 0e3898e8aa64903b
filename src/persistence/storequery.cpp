#include "persistence/storequery.h"

#include <QDir>
#include <QFileInfo>

#include "app/format.h"
#include "app/translation.h"
#include "persistence/storedatabase.h"
#include "persistence/storesqlite.h"
#include "persistence/storesqltext.h"

TStoreQuery::TStoreQuery() = default;
TStoreQuery::~TStoreQuery() = default;

void TStoreQuery::SetDatabaseName(const QString& name) {
    Close();
    m_databaseName = name;
    m_database = nullptr;
}

void TStoreQuery::SetDatabase(TStoreDatabase* database) {
    Close();
    m_database = database;
    m_databaseName = database ? database->Location() : QString();
}

void TStoreQuery::SetSQL(const QString& sql) {
    Close();
    m_sql = sql;
}

std::shared_ptr<kwpstore::Connection> TStoreQuery::connect(const QString& sql) {
    if (m_database && m_database->DatabaseType() == TStoreDatabase::dtFile) {
        if (!m_database->Connected()) m_database->Open();
        return m_database->connectionFor(QString(), false, m_database->ReadOnly());
    }
    const QFileInfo info(m_databaseName);
    if (m_databaseName.isEmpty() || !info.exists())
        throw EStoreError(FormatStr(_("Datenbank \"%s\" nicht gefunden."), {m_databaseName}));
    if (info.isFile())
        return std::make_shared<kwpstore::Connection>(m_databaseName,
                                                      kwpstore::OpenMode::ReadWrite);
    // A directory: every table the text names is attached, so it is found by its name.
    auto connection =
        std::make_shared<kwpstore::Connection>(QString(), kwpstore::OpenMode::ReadWrite);
    const QDir dir(m_databaseName);
    const QStringList files = dir.entryList({QStringLiteral("*")}, QDir::Files);
    const QStringList names = kwpstore::SqlNames(sql);
    int attached = 0;
    for (const QString& file : files) {
        if (!file.endsWith(QLatin1String(".DAT"), Qt::CaseInsensitive)) continue;
        if (!names.contains(file.chopped(4), Qt::CaseInsensitive)) continue;
        kwpstore::Statement attach(*connection,
                                   QStringLiteral("ATTACH DATABASE ? AS ") +
                                       kwpstore::QuoteIdent(QStringLiteral("t%1").arg(attached++)));
        attach.bind(1, dir.filePath(file));
        attach.run();
    }
    return connection;
}

void TStoreQuery::Open() {
    Close();
    const QString sql = kwpstore::TranslateSql(m_sql);
    const std::shared_ptr<kwpstore::Connection> connection = connect(sql);
    kwpstore::Statement statement(*connection, sql);
    statement.bindAll(m_params);
    const int columnCount = statement.columnCount();
    for (int i = 0; i < columnCount; ++i) m_columns.append(statement.columnName(i));
    while (statement.step()) {
        QVariantList row;
        row.reserve(columnCount);
        for (int i = 0; i < columnCount; ++i) row.append(statement.value(i));
        m_rows.append(row);
    }
    m_active = true;
    First();
}

void TStoreQuery::Close() {
    m_active = false;
    m_columns.clear();
    m_rows.clear();
    m_position = 0;
    m_eof = true;
}

void TStoreQuery::First() {
    m_position = 0;
    m_eof = m_rows.isEmpty();
}

void TStoreQuery::Next() {
    if (m_eof) return;
    if (m_position + 1 >= m_rows.size()) {
        m_eof = true;
        return;
    }
    ++m_position;
}

TStoreValue TStoreQuery::Fields(int index) const {
    if (!m_active || m_rows.isEmpty() || index < 0 || index >= m_columns.size())
        return TStoreValue();
    return TStoreValue(m_rows[m_position][index]);
}

TStoreValue TStoreQuery::FieldByName(const QString& name) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0) return Fields(i);
    throw EStoreError(FormatStr(_("Feld \"%s\" nicht im Abfrageergebnis."), {name}));
}
