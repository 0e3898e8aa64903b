#include "persistence/databasewrapper.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

namespace {
constexpr int wrapperOpenAttempts = 10;
constexpr int wrapperRetryDelayMs = 50;
}  // namespace

TDatabaseBase::TDatabaseBase(TDatabaseErrorCallback onError)
    : m_onError(std::move(onError)), m_database(std::make_unique<TStoreDatabase>()) {}

TDatabaseBase::~TDatabaseBase() {
    try {
        closeDatabase();
    } catch (...) {
        // Nothing can be reported from a destructor.
    }
    m_tables.Clear();
}

TTableObjectList& TDatabaseBase::Tables() {
    // A base constructor cannot reach the subclass's hooks, so the tables are registered on
    // first use.
    if (!m_registered) {
        m_registered = true;
        RegisterTables();
    }
    return m_tables;
}

TStoreTable* TDatabaseBase::AddTable(const QString& name, const QString& indexName) {
    auto table = std::make_unique<TStoreTable>(m_database.get());
    table->SetTableName(name);
    table->SetIndexName(indexName);
    return m_tables.Add(std::move(table));
}

QString TDatabaseBase::ClassName() const {
    return DemangledTypeName(typeid(*this));
}

void TDatabaseBase::ReportError(const std::exception& error, const QString& operation) const {
    const QString context = ClassName() + QLatin1Char('.') + operation;
    if (m_onError)
        m_onError(error, context);
    else
        ::ReportError(sevError, context, nullptr, &error);
}

void TDatabaseBase::RefreshTables() {
    m_database->Refresh();
}

void TDatabaseBase::DisableControls() {
    for (const auto& table : Tables()) table->DisableControls();
}

void TDatabaseBase::EnableControls() {
    for (const auto& table : Tables()) table->EnableControls();
}

void TDatabaseBase::createTable(const QString& name, int mode) {
    TStoreTable table(m_database.get());
    table.SetTableName(name);
    table.SetDetailFields(QString());
    table.SetMasterFields(QString());
    table.SetExclusive(false);
    table.SetTableLevel(4);
    table.SetMode(mode);
    table.SetReadOnly(false);
    DefineTable(table);
    table.CreateTable();
}

void TDatabaseBase::openTable(TStoreTable& table) {
    table.SetDetailFields(QString());
    table.SetMasterFields(QString());
    table.SetExclusive(false);
    table.SetTableLevel(4);
    table.SetDatabase(m_database.get());
    table.SetIndexName(table.TableName());
    // Another workstation may be creating or rebuilding the table right now.
    for (int attempt = 1;;) {
        try {
            table.Open();
            return;
        } catch (const std::exception& error) {
            ++attempt;
            if (attempt < wrapperOpenAttempts) {
                QThread::msleep(wrapperRetryDelayMs);
                continue;
            }
            if (m_onError)
                m_onError(error, table.TableName() + QStringLiteral(" OpenTables Versuch ") +
                                     QString::number(attempt));
            throw;
        }
    }
}

void TDatabaseBase::openDatabase(TDbMode dbMode, TDbAccess access) {
    const int mode = dbMode == TDbMode::Flagged ? 2 : 1;
    const bool readOnly = access == TDbAccess::ReadOnly;
    m_database->SetMode(mode);
    const QStringList existing = m_database->TableNames();
    for (const auto& table : Tables())
        if (!existing.contains(table->TableName(), Qt::CaseInsensitive))
            createTable(table->TableName(), mode);
    m_database->Open();
    if (!readOnly) {
        // A table whose structure cannot be read is left to the opening below, which retries
        // and reports it.
        bool readable = true;
        bool anyTable = false;
        for (const auto& table : Tables()) {
            if (!existing.contains(table->TableName(), Qt::CaseInsensitive)) continue;
            try {
                table->ReadStructure();
                anyTable = true;
            } catch (const EStoreError&) {
                readable = false;
            }
        }
        if (anyTable && readable) AlterTables();
    }
    for (const auto& table : Tables()) openTable(*table);
    SetDefaultIndexes();
    for (const auto& table : Tables()) table->First();
    AfterOpen();
    m_isOpen = true;
}

void TDatabaseBase::closeDatabase() {
    m_isOpen = false;
    if (m_database->Connected()) m_database->Close();
}

TDatabaseWrapper::TDatabaseWrapper(TDatabaseErrorCallback onError)
    : TDatabaseBase(std::move(onError)) {}

TDatabaseWrapper::~TDatabaseWrapper() = default;

void TDatabaseWrapper::OpenDirectory(const QString& directory, TDbAccess access, TDbMode mode) {
    CloseDatabase();
    const QString dir = NormalizeDir(directory);
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir)) throw EKwpError(dir);
    TStoreDatabase& database = Database();
    database.SetAutoName(true);
    database.SetCaseSensitive(true);
    database.SetExclusive(false);
    database.SetReadOnly(access == TDbAccess::ReadOnly);
    database.SetDatabaseType(TStoreDatabase::dtDirectory);
    database.SetLocation(dir);
    m_lockFileName = dir + QStringLiteral("LOCKDB.SRW");
    openDatabase(mode, access);
}

void TDatabaseWrapper::OpenFile(const QString& fileName, TDbMode mode) {
    CloseDatabase();
    const QString dir = QFileInfo(fileName).absolutePath();
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir)) throw EKwpError(dir);
    TStoreDatabase& database = Database();
    database.SetAutoName(true);
    database.SetCaseSensitive(true);
    database.SetExclusive(false);
    database.SetReadOnly(false);
    database.SetDatabaseType(TStoreDatabase::dtFile);
    database.SetAutoCreate(true);
    database.SetLocation(fileName);
    m_lockFileName = fileName + QStringLiteral(".SRW");
    openDatabase(mode, TDbAccess::ReadWrite);
}

void TDatabaseWrapper::CloseDatabase() {
    m_lockFileName.clear();
    closeDatabase();
}

std::unique_ptr<TDatabaseLock> TDatabaseWrapper::LockDB(const QString& user, TStoreTable* table) {
    if (m_lockFileName.isEmpty()) throw EKwpError(QStringLiteral("LockDBInternal ") + ClassName());
    auto lock = std::make_unique<TDatabaseLock>();
    lock->m_fileLock.lock().setSettleDelay(m_lockSettleDelay);
    const QString holder = FormatStr(
        _("Bitte warten, die Datenbank ist momentan durch den Benutzer \"%s\" gesperrt."), {user});
    if (!lock->m_fileLock.Lock(m_lockFileName, holder)) return nullptr;
    if (table) {
        table->LockTable();
        lock->m_table = table;
    }
    return lock;
}

void TDatabaseWrapper::Unlock(std::unique_ptr<TDatabaseLock>& lock, TLockEnd end) {
    if (!lock) return;
    // The file lock goes with the object even when the table cannot be unlocked.
    const std::unique_ptr<TDatabaseLock> released = std::move(lock);
    if (released->m_table) released->m_table->UnlockTable(end);
}

TDatabaseMapper::TDatabaseMapper(TDatabaseErrorCallback onError)
    : TDatabaseBase(std::move(onError)) {}

TDatabaseMapper::~TDatabaseMapper() = default;

void TDatabaseMapper::OpenFile(const QString& fileName, TDbAccess access) {
    const bool readOnly = access == TDbAccess::ReadOnly;
    closeDatabase();
    TStoreDatabase& database = Database();
    database.SetDatabaseType(TStoreDatabase::dtFile);
    database.SetReadOnly(readOnly);
    database.SetAutoCreate(!readOnly);
    database.SetLocation(fileName);
    openDatabase(TDbMode::Normal, access);
}
