#include "persistence/storedatabase.h"

#include <QDir>
#include <QFileInfo>

#include "app/format.h"
#include "app/translation.h"
#include "persistence/storesqlite.h"
#include "persistence/storetable.h"
#include "persistence/storetypes.h"

namespace {
const QString storeTableExtension = QStringLiteral(".DAT");

QStringList storeFileTables(kwpstore::Connection& connection) {
    QStringList names;
    kwpstore::Statement statement(
        connection, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name "
                                   "NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    while (statement.step()) names.append(statement.value(0).toString());
    return names;
}
}  // namespace

TStoreDatabase::TStoreDatabase() = default;

TStoreDatabase::~TStoreDatabase() {
    for (TStoreTable* table : m_tables) table->m_database = nullptr;
}

void TStoreDatabase::SetDatabaseType(int type) {
    if (type != dtDirectory && type != dtFile)
        throw EStoreError(FormatStr(_("Unbekannter Datenbanktyp %d."), {type}));
    if (m_connected) Close();
    m_type = type;
}

void TStoreDatabase::SetLocation(const QString& location) {
    if (m_connected) Close();
    m_location = location;
}

QString TStoreDatabase::TableFileName(const QString& table) const {
    if (m_type == dtFile) return m_location;
    const QDir dir(m_location);
    const QString wanted = table + storeTableExtension;
    const QStringList files = dir.entryList({QStringLiteral("*")}, QDir::Files);
    for (const QString& file : files)
        if (file.compare(wanted, Qt::CaseInsensitive) == 0) return dir.filePath(file);
    return dir.filePath(wanted);
}

QStringList TStoreDatabase::TableNames() const {
    if (m_type == dtFile) {
        if (m_fileConnection) return storeFileTables(*m_fileConnection);
        if (!QFileInfo(m_location).isFile()) return {};
        kwpstore::Connection connection(m_location, kwpstore::OpenMode::ReadOnly);
        return storeFileTables(connection);
    }
    QStringList names;
    const QStringList files =
        QDir(m_location).entryList({QStringLiteral("*")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        if (file.endsWith(storeTableExtension, Qt::CaseInsensitive))
            names.append(file.chopped(storeTableExtension.size()));
    return names;
}

bool TStoreDatabase::HasTable(const QString& name) const {
    return TableNames().contains(name, Qt::CaseInsensitive);
}

void TStoreDatabase::Open() {
    if (m_connected) return;
    if (m_location.isEmpty()) throw EStoreError(_("Die Datenbank hat keinen Ort."));
    if (m_type == dtDirectory) {
        if (!QFileInfo(m_location).isDir())
            throw EStoreError(
                FormatStr(_("Datenbankverzeichnis \"%s\" nicht gefunden."), {m_location}));
    } else {
        connectionFor(QString(), m_autoCreate && !m_readOnly, m_readOnly);
    }
    m_connected = true;
}

void TStoreDatabase::Close() {
    const QList<TStoreTable*> tables = m_tables;
    for (TStoreTable* table : tables) table->Close();
    m_fileConnection.reset();
    m_connected = false;
}

void TStoreDatabase::Refresh() {
    const QList<TStoreTable*> tables = m_tables;
    for (TStoreTable* table : tables)
        if (table->Active()) table->Refresh();
}

std::shared_ptr<kwpstore::Connection> TStoreDatabase::connectionFor(const QString& table,
                                                                    bool create, bool readOnly) {
    using kwpstore::OpenMode;
    if (m_type == dtFile) {
        if (!m_fileConnection) {
            if (!create && !QFileInfo(m_location).isFile())
                throw EStoreError(
                    FormatStr(_("Datenbankdatei \"%s\" nicht gefunden."), {m_location}));
            m_fileConnection = std::make_shared<kwpstore::Connection>(
                m_location, create ? OpenMode::Create
                                   : (m_readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite));
        }
        return m_fileConnection;
    }
    const QString file = TableFileName(table);
    if (!create && !QFileInfo(file).isFile())
        throw EStoreError(FormatStr(_("Tabelle \"%s\" nicht gefunden (%s)."), {table, file}));
    return std::make_shared<kwpstore::Connection>(
        file, create ? OpenMode::Create
                     : (readOnly || m_readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite));
}

void TStoreDatabase::attach(TStoreTable* table) {
    if (!m_tables.contains(table)) m_tables.append(table);
}

void TStoreDatabase::detach(TStoreTable* table) {
    m_tables.removeAll(table);
}
