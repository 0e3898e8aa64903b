#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace kwpstore {
class Connection;
}
class TStoreTable;

// A database of the table store: a directory whose tables are files "NAME.DAT" (type 0), or
// one database file holding all tables (type 1).
class TStoreDatabase {
public:
    enum Type { dtDirectory = 0, dtFile = 1 };

    TStoreDatabase();
    ~TStoreDatabase();
    TStoreDatabase(const TStoreDatabase&) = delete;
    TStoreDatabase& operator=(const TStoreDatabase&) = delete;

    int DatabaseType() const { return m_type; }
    void SetDatabaseType(int type);
    const QString& Location() const { return m_location; }
    void SetLocation(const QString& location);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Creates a missing database file on Open (type 1).
    void SetAutoCreate(bool autoCreate) { m_autoCreate = autoCreate; }
    // Passed on by callers; names are always case-sensitive on this system and databases
    // never exclusive.
    void SetMode(int mode) { m_mode = mode; }
    int Mode() const { return m_mode; }
    void SetExclusive(bool exclusive) { m_exclusive = exclusive; }
    void SetAutoName(bool autoName) { m_autoName = autoName; }
    void SetCaseSensitive(bool caseSensitive) { m_caseSensitive = caseSensitive; }

    // The tables the database holds (for a directory: the names of its ".DAT" files).
    QStringList TableNames() const;
    bool HasTable(const QString& name) const;  // case-insensitive

    void Open();
    void Close();
    bool Connected() const { return m_connected; }
    // Rereads every open table of the database.
    void Refresh();

    // The file that holds a table: for a directory the existing "NAME.DAT" in any case of the
    // letters, else the upper-case extension.
    QString TableFileName(const QString& table) const;

    // Used by the store's tables and queries.
    std::shared_ptr<kwpstore::Connection> connectionFor(const QString& table, bool create,
                                                        bool readOnly);
    void attach(TStoreTable* table);
    void detach(TStoreTable* table);

private:
    int m_type = dtDirectory;
    QString m_location;
    bool m_readOnly = false;
    bool m_autoCreate = false;
    int m_mode = 1;
    bool m_exclusive = false;
    bool m_autoName = true;
    bool m_caseSensitive = true;
    bool m_connected = false;
    std::shared_ptr<kwpstore::Connection> m_fileConnection;
    QList<TStoreTable*> m_tables;
};
