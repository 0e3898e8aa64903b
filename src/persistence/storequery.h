#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "persistence/storetable.h"

class TStoreDatabase;
namespace kwpstore {
class Connection;
}

// An SQL query over a database of the store. The database is a directory (its ".DAT" tables
// are reachable by name) or a database file. Values from users are bound as parameters ("?").
// The whole result is read on Open; journals per address are small.
class TStoreQuery {
public:
    TStoreQuery();
    ~TStoreQuery();
    TStoreQuery(const TStoreQuery&) = delete;
    TStoreQuery& operator=(const TStoreQuery&) = delete;

    // A directory or a database file.
    void SetDatabaseName(const QString& name);
    const QString& DatabaseName() const { return m_databaseName; }
    // Runs on an open database object instead (shares its file connection).
    void SetDatabase(TStoreDatabase* database);

    void SetSQL(const QString& sql);
    const QString& SQL() const { return m_sql; }
    void SetParams(const QVariantList& params) { m_params = params; }
    void AddParam(const QVariant& value) { m_params.append(value); }

    void Open();
    void Close();
    bool Active() const { return m_active; }

    void First();
    void Next();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_position <= 0; }
    bool IsEmpty() const { return m_rows.isEmpty(); }
    int RecordCount() const { return int(m_rows.size()); }
    int RecNo() const { return m_rows.isEmpty() ? 0 : m_position + 1; }

    const QStringList& FieldNames() const { return m_columns; }
    TStoreValue FieldByName(const QString& name) const;
    TStoreValue Fields(int index) const;

private:
    std::shared_ptr<kwpstore::Connection> connect(const QString& sql);

    QString m_databaseName;
    TStoreDatabase* m_database = nullptr;
    QString m_sql;
    QVariantList m_params;
    bool m_active = false;
    QStringList m_columns;
    QList<QVariantList> m_rows;
    int m_position = 0;
    bool m_eof = true;
};
