#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <memory>

#include "app/dateischutz.h"
#include "persistence/storedatabase.h"
#include "persistence/storetable.h"

// Receives a database error and its context ("TDBAdress.SetCustomer").
using TDatabaseErrorCallback =
    std::function<void(const std::exception& error, const QString& context)>;

// What the database classes share: the owned database and table objects, creation of missing
// tables, opening with retries and error reports. Subclasses describe their tables through
// the four hooks.
class TDatabaseBase {
public:
    explicit TDatabaseBase(TDatabaseErrorCallback onError);
    virtual ~TDatabaseBase();
    TDatabaseBase(const TDatabaseBase&) = delete;
    TDatabaseBase& operator=(const TDatabaseBase&) = delete;

    TTableObjectList& Tables();
    TStoreDatabase& Database() { return *m_database; }
    bool IsOpen() const { return m_isOpen; }

    void RefreshTables();
    void DisableControls();
    void EnableControls();

    // Passes the error with "class.operation" to the error callback, or to the error report.
    void ReportError(const std::exception& error, const QString& operation) const;
    // The name in reports: the subclass's class name.
    QString ClassName() const;

protected:
    // Adds field and index definitions for the table it recognises by name.
    virtual void DefineTable(TStoreTable& table) = 0;
    // Creates the table objects (AddTable); called once, before the first open.
    virtual void RegisterTables() = 0;
    // Sets each table's index back to its default order.
    virtual void SetDefaultIndexes() = 0;
    // Brings older table structures up to date (FieldDefs hold the file's structure); the
    // result is the number of altered tables, -1 when the database has no upgrades.
    virtual int AlterTables() = 0;
    // Called when every table is open; for what a database keeps beside its tables.
    virtual void AfterOpen() {}

    TStoreTable* AddTable(const QString& name, const QString& indexName);

    // Creates the missing tables, brings the others up to date and opens them all.
    void openDatabase(TDbMode mode, TDbAccess access);
    void closeDatabase();

private:
    void createTable(const QString& name, int mode);
    void openTable(TStoreTable& table);

    TDatabaseErrorCallback m_onError;
    std::unique_ptr<TStoreDatabase> m_database;
    TTableObjectList m_tables;
    bool m_registered = false;
    bool m_isOpen = false;
};

// A database-wide lock between workstations, returned by LockDB.
class TDatabaseLock {
public:
    TDateischutzWF& fileLock() { return m_fileLock; }
    TStoreTable* table() const { return m_table; }

private:
    friend class TDatabaseWrapper;
    TDateischutzWF m_fileLock;
    TStoreTable* m_table = nullptr;
};

// Base of every database of the program: a directory or file database with its tables and a
// lock file that other workstations see.
class TDatabaseWrapper : public TDatabaseBase {
public:
    explicit TDatabaseWrapper(TDatabaseErrorCallback onError = {});
    ~TDatabaseWrapper() override;

    // Creates a missing directory and missing tables, then opens every table.
    void OpenDirectory(const QString& directory, TDbAccess access = TDbAccess::ReadWrite,
                       TDbMode mode = TDbMode::Normal);
    // The same for one database file, created when missing; never read-only.
    void OpenFile(const QString& fileName, TDbMode mode = TDbMode::Normal);
    void CloseDatabase();
    const QString& LockFileName() const { return m_lockFileName; }

    // Waits (with a window) for the database lock; none when the user cancels the wait. With a
    // table, the table is locked in the store as well until Unlock.
    std::unique_ptr<TDatabaseLock> LockDB(const QString& user, TStoreTable* table = nullptr);
    // The pause after the lock was taken following a wait (1000 ms), for the other holder's
    // writes to settle.
    void SetLockSettleDelay(int milliseconds) { m_lockSettleDelay = milliseconds; }
    // Releases the lock and clears the reference; an empty one is ignored. UndoWrites takes
    // back every write made to the locked table under the lock.
    void Unlock(std::unique_ptr<TDatabaseLock>& lock, TLockEnd end = TLockEnd::KeepWrites);

private:
    QString m_lockFileName;
    int m_lockSettleDelay = 1000;
};

// A smaller base for read-mostly databases kept in one file (the bank codes).
class TDatabaseMapper : public TDatabaseBase {
public:
    explicit TDatabaseMapper(TDatabaseErrorCallback onError = {});
    ~TDatabaseMapper() override;

    // Opens the database file; unless read-only, a missing file and missing tables are created.
    void OpenFile(const QString& fileName, TDbAccess access);
    void Close() { closeDatabase(); }
};
