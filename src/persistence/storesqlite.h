#pragma once

// The SQLite layer under the table store; used only by the store's own classes.

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kwpstore {

class Connection;

// A prepared statement. Values are null QVariants, qlonglong, double or QString.
class Statement {
public:
    Statement(Connection& connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);  // 1-based
    void bindAll(const QVariantList& values);
    // Next row; false at the end. Throws EStoreError.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();
    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;
    qint64 int64(int column) const;
    // The column as UTF-8 without a copy: valid until the next step or reset. Null for NULL.
    QByteArrayView utf8(int column) const;

private:
    Connection& m_connection;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
};

enum class OpenMode { ReadWrite, ReadOnly, Create };

// One SQLite connection with our collation and functions, a busy timeout for the other
// workstations, and a cache of prepared statements.
class Connection {
public:
    // An empty file name opens a private in-memory database.
    Connection(const QString& fileName, OpenMode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return m_db; }
    const QString& fileName() const { return m_fileName; }
    bool readOnly() const { return m_readOnly; }

    void exec(const QString& sql);
    // A statement kept for reuse; reset before it is handed out.
    Statement& cached(const QString& sql);
    void clearCache();

    // Write transactions nest; only the outermost commits. IMMEDIATE: the write lock is taken
    // at the start, so two writers never deadlock half-way.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }
    int transactionDepth() const { return m_depth; }

    // Changes whenever another connection committed to the file.
    qint64 dataVersion();

    [[noreturn]] void fail(const QString& context) const;

private:
    void readHeader();

    sqlite3* m_db = nullptr;
    QString m_fileName;
    bool m_readOnly = false;
    int m_depth = 0;
    QHash<QString, std::shared_ptr<Statement>> m_cache;
};

// Several reads as one read transaction: the file is locked and checked once, not per
// statement. Works inside a write transaction as well.
class ReadScope {
public:
    explicit ReadScope(Connection& connection);
    ~ReadScope();
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

private:
    Connection& m_connection;
};

// Runs `work` inside a write transaction; rolls back when it throws.
template <typename Work>
void InTransaction(Connection& connection, Work&& work) {
    connection.begin();
    try {
        work();
    } catch (...) {
        connection.rollback();
        throw;
    }
    connection.commit();
}

// How long a connection waits for another workstation's write to end (default 20 s).
void SetBusyTimeout(int milliseconds);

QString QuoteIdent(const QString& name);
// The order of text in indexes, as SQLite's NOCASE and then BINARY collations give it: code
// points with ASCII letters folded, ties broken by the exact text, so that only equal texts
// compare equal.
int CompareText(QStringView a, QStringView b);
// The order of column values in indexes (null first, numbers, then text).
int CompareValues(const QVariant& a, const QVariant& b);

}  // namespace kwpstore
