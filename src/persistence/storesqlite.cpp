#include "persistence/storesqlite.h"

#include <sqlite3.h>

#include <QFile>

#include "app/format.h"
#include "app/translation.h"
#include "persistence/storetypes.h"

namespace kwpstore {

namespace {
int storeBusyTimeoutMs = 20000;
// Changes a transaction keeps in memory before it shuts the readers out. An import of 20,000
// addresses changes about 250 MiB.
constexpr qint64 storeSpillBytes = qint64(1) << 30;

int storeCollate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return CompareText(QStringView(static_cast<const char16_t*>(a), lengthA / 2),
                       QStringView(static_cast<const char16_t*>(b), lengthB / 2));
}

// Characters, not bytes, as the SQL standard's CHAR_LENGTH counts them.
void storeCharLength(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(args[0]);
    const int bytes = sqlite3_value_bytes(args[0]);
    qint64 count = 0;
    for (int i = 0; i < bytes; ++i)
        if ((text[i] & 0xC0) != 0x80) ++count;
    sqlite3_result_int64(context, count);
}
}  // namespace

void SetBusyTimeout(int milliseconds) {
    storeBusyTimeoutMs = milliseconds;
}

namespace {
char32_t storeNextCodePoint(QStringView text, qsizetype& i) {
    const char16_t c = text[i++].unicode();
    if (QChar::isHighSurrogate(c) && i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
        return QChar::surrogateToUcs4(c, text[i++].unicode());
    return c;
}

// Code point order (SQLite compares UTF-8 bytes), optionally with ASCII letters folded as
// its NOCASE collation folds them.
int storeCompareCodePoints(QStringView a, QStringView b, bool fold) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = storeNextCodePoint(a, i);
        char32_t y = storeNextCodePoint(b, j);
        if (fold) {
            if (x >= U'A' && x <= U'Z') x += U'a' - U'A';
            if (y >= U'A' && y <= U'Z') y += U'a' - U'A';
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}
}  // namespace

int CompareText(QStringView a, QStringView b) {
    const int folded = storeCompareCodePoints(a, b, true);
    return folded != 0 ? folded : storeCompareCodePoints(a, b, false);
}

int CompareValues(const QVariant& a, const QVariant& b) {
    const bool aNull = a.isNull();
    const bool bNull = b.isNull();
    if (aNull || bNull) return aNull == bNull ? 0 : (aNull ? -1 : 1);
    const bool aText = a.typeId() == QMetaType::QString;
    const bool bText = b.typeId() == QMetaType::QString;
    if (aText && bText) return CompareText(a.toString(), b.toString());
    if (aText != bText) return aText ? 1 : -1;
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) {
        const qlonglong x = a.toLongLong();
        const qlonglong y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const double x = a.toDouble();
    const double y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

QString QuoteIdent(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

Statement::Statement(Connection& connection, const QString& sql)
    : m_connection(connection), m_sql(sql) {
    const int rc = sqlite3_prepare16_v2(connection.handle(), sql.utf16(), int(sql.size() * 2),
                                        &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        connection.fail(FormatStr(_("SQL-Befehl ungültig: %s"), {sql}));
    }
    if (!m_stmt) throw EStoreError(FormatStr(_("SQL-Befehl ist leer: %s"), {sql}));
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
            case QMetaType::LongLong:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            default: {
                const QString text = value.toString();
                rc = sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * 2),
                                         SQLITE_TRANSIENT);
            }
        }
    }
    if (rc != SQLITE_OK) m_connection.fail(m_sql);
}

void Statement::bindAll(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // Keeps the error text; reset would replace it.
    const QString context = m_sql;
    try {
        m_connection.fail(context);
    } catch (...) {
        sqlite3_reset(m_stmt);
        throw;
    }
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf16(static_cast<const char16_t*>(sqlite3_column_name16(m_stmt, column)));
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, column));
        default: {
            const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_stmt, column));
            const int bytes = sqlite3_column_bytes16(m_stmt, column);
            return QVariant(QString::fromUtf16(text, bytes / 2));
        }
    }
}

qint64 Statement::int64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

QByteArrayView Statement::utf8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QByteArrayView(text, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
}

Connection::Connection(const QString& fileName, OpenMode mode) : m_fileName(fileName) {
    int flags = SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
    if (mode == OpenMode::ReadOnly) {
        flags |= SQLITE_OPEN_READONLY;
        m_readOnly = true;
    } else {
        flags |= SQLITE_OPEN_READWRITE;
        if (mode == OpenMode::Create) flags |= SQLITE_OPEN_CREATE;
    }
    const QByteArray path =
        fileName.isEmpty() ? QByteArrayLiteral(":memory:") : QFile::encodeName(fileName);
    const int rc = sqlite3_open_v2(path.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EStoreError(FormatStr(_("Datenbankdatei \"%s\" kann nicht geöffnet werden: %s"),
                                    {fileName, detail}));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, storeBusyTimeoutMs);
    // Tables of earlier versions name this collation until they are rebuilt.
    sqlite3_create_collation_v2(m_db, "KWPTEXT", SQLITE_UTF16_ALIGNED, nullptr, storeCollate,
                                nullptr);
    sqlite3_create_function_v2(m_db, "CHAR_LENGTH", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               storeCharLength, nullptr, nullptr, nullptr);
    try {
        // Large pages for new files: rows of a few kilobytes (an address's XML) share a page
        // instead of leaving half of each one empty. Existing files keep theirs.
        if (mode == OpenMode::Create) exec(QStringLiteral("PRAGMA page_size=16384"));
        // Reads the header: a file that is no database fails here, not at first use.
        readHeader();
        if (!m_readOnly) {
            exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            // A writer that spills changed pages into the file before its commit holds the
            // exclusive lock from then on, and every other workstation waits until it commits.
            // Long transactions (an import) keep their pages in memory instead, up to a bound.
            Statement pageSize(*this, QStringLiteral("PRAGMA page_size"));
            const qint64 page = pageSize.step() ? std::max<qint64>(pageSize.int64(0), 512) : 4096;
            exec(QStringLiteral("PRAGMA cache_spill=%1").arg(storeSpillBytes / page));
        }
        // Searches read large parts of a table; pages stay cached while nobody writes.
        exec(QStringLiteral("PRAGMA cache_size=-65536"));
    } catch (const EStoreError& e) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EStoreError(FormatStr(_("Datenbankdatei \"%s\" kann nicht geöffnet werden: %s"),
                                    {fileName, e.message()}));
    }
}

// A crash in the middle of a write leaves a journal that the next reader must roll back
// first, which a read-only connection cannot do. A short read-write connection does it where
// this workstation may write.
void Connection::readHeader() {
    try {
        exec(QStringLiteral("PRAGMA schema_version"));
        return;
    } catch (const EStoreError& e) {
        // Also met by a read-write open where this workstation may not write.
        if (e.code() != SQLITE_READONLY_ROLLBACK) throw;
    }
    sqlite3* recovering = nullptr;
    const QByteArray path = QFile::encodeName(m_fileName);
    int rc = sqlite3_open_v2(path.constData(), &recovering,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(recovering, storeBusyTimeoutMs);
        rc = sqlite3_exec(recovering, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    }
    sqlite3_close(recovering);
    if (rc != SQLITE_OK)
        throw EStoreError(
            _("Die Datei enthält eine abgebrochene Änderung, die erst ein Arbeitsplatz mit "
              "Schreibrecht zurücknehmen muss."),
            SQLITE_READONLY_ROLLBACK);
    exec(QStringLiteral("PRAGMA schema_version"));
}

Connection::~Connection() {
    m_cache.clear();
    if (m_depth > 0) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(m_db);
}

void Connection::exec(const QString& sql) {
    Statement statement(*this, sql);
    statement.run();
}

Statement& Connection::cached(const QString& sql) {
    auto it = m_cache.find(sql);
    if (it == m_cache.end()) it = m_cache.insert(sql, std::make_shared<Statement>(*this, sql));
    (*it)->reset();
    return **it;
}

void Connection::clearCache() {
    m_cache.clear();
}

void Connection::begin() {
    // Inner levels are savepoints, so a failed step inside a table lock undoes only itself.
    exec(m_depth == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                      : QStringLiteral("SAVEPOINT kwp%1").arg(m_depth));
    ++m_depth;
}

void Connection::commit() {
    if (m_depth == 0) return;
    exec(m_depth == 1 ? QStringLiteral("COMMIT")
                      : QStringLiteral("RELEASE kwp%1").arg(m_depth - 1));
    --m_depth;
}

void Connection::rollback() {
    if (m_depth == 0) return;
    --m_depth;
    if (m_depth == 0) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return;
    }
    const QByteArray sql = QStringLiteral("ROLLBACK TO kwp%1; RELEASE kwp%1").arg(m_depth).toUtf8();
    sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
}

ReadScope::ReadScope(Connection& connection) : m_connection(connection) {
    m_connection.exec(QStringLiteral("SAVEPOINT kwpread"));
}

ReadScope::~ReadScope() {
    sqlite3_exec(m_connection.handle(), "RELEASE kwpread", nullptr, nullptr, nullptr);
}

qint64 Connection::dataVersion() {
    Statement& statement = cached(QStringLiteral("PRAGMA data_version"));
    const qint64 version = statement.step() ? statement.int64(0) : 0;
    statement.reset();
    return version;
}

void Connection::fail(const QString& context) const {
    const int code = sqlite3_extended_errcode(m_db);
    const QString detail = QString::fromUtf8(sqlite3_errmsg(m_db));
    if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED)
        throw EStoreError(
            FormatStr(_("Die Datenbank \"%s\" ist von einem anderen Arbeitsplatz gesperrt. (%s)"),
                      {m_fileName, detail}),
            code);
    throw EStoreError(FormatStr(_("Datenbankfehler: %s (%s)"), {detail, context}), code);
}

}  // namespace kwpstore
