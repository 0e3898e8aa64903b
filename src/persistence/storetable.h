#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "app/objectlist.h"
#include "persistence/storetypes.h"

class TStoreDatabase;
class TStoreTable;
namespace kwpstore {
class Connection;
class ReadScope;
}  // namespace kwpstore

// Conversions of one stored value; shared by table fields and query results.
class TStoreValue {
public:
    TStoreValue() = default;
    explicit TStoreValue(QVariant value) : m_value(std::move(value)) {}
    const QVariant& Value() const { return m_value; }
    bool IsNull() const { return m_value.isNull(); }
    QString AsString() const;
    qint64 AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    // Day number since 30.12.1899 (0 when empty).
    double AsDateTime() const { return AsFloat(); }
    // Rounded to cents.
    double AsCurrency() const;

private:
    QVariant m_value;
};

// One column of the current record of an open table.
class TStoreField {
public:
    TStoreField(TStoreTable& table, int index) : m_table(table), m_index(index) {}
    const QString& FieldName() const;
    int DataType() const;
    int Size() const;
    bool Required() const;

    QVariant Value() const;
    bool IsNull() const { return Value().isNull(); }
    QString AsString() const { return TStoreValue(Value()).AsString(); }
    qint64 AsInteger() const { return TStoreValue(Value()).AsInteger(); }
    double AsFloat() const { return TStoreValue(Value()).AsFloat(); }
    bool AsBoolean() const { return TStoreValue(Value()).AsBoolean(); }
    double AsDateTime() const { return TStoreValue(Value()).AsDateTime(); }
    double AsCurrency() const { return TStoreValue(Value()).AsCurrency(); }

    // Setters need the edit or insert state; values are checked against the column type.
    void SetValue(const QVariant& value);
    void SetAsString(const QString& value);
    void SetAsInteger(qint64 value) { SetValue(QVariant(qlonglong(value))); }
    void SetAsFloat(double value) { SetValue(QVariant(value)); }
    void SetAsBoolean(bool value) { SetValue(QVariant(qlonglong(value ? 1 : 0))); }
    void SetAsDateTime(double dayNumber) { SetValue(QVariant(dayNumber)); }
    void Clear() { SetValue(QVariant()); }

private:
    TStoreTable& m_table;
    int m_index;
};

enum class TStoreState { Inactive, Browse, Edit, Insert };

// A table of the store with a cursor. Record numbers are positions (1-based) in the current
// index order and filter; the order is kept in memory as row ids, so reading record n costs
// the same for every n. The order and the current record are reread on Refresh, and on
// First/Last/Locate/FindNearest/Edit/LockTable when another connection has written meanwhile;
// own writes update them in place.
class TStoreTable {
public:
    explicit TStoreTable(TStoreDatabase* database = nullptr);
    ~TStoreTable();
    TStoreTable(const TStoreTable&) = delete;
    TStoreTable& operator=(const TStoreTable&) = delete;

    // Properties
    TStoreDatabase* Database() const { return m_database; }
    void SetDatabase(TStoreDatabase* database);
    const QString& TableName() const { return m_tableName; }
    void SetTableName(const QString& name);
    const QString& IndexName() const { return m_indexName; }
    // Empty or the table's own name: the order of insertion. Keeps the current record.
    void SetIndexName(const QString& name);
    TFieldDefs& FieldDefs() { return m_fieldDefs; }
    const TFieldDefs& FieldDefs() const { return m_fieldDefs; }
    TIndexDefs& IndexDefs() { return m_indexDefs; }
    const TIndexDefs& IndexDefs() const { return m_indexDefs; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    // Passed on by callers; the store has one table format and no master/detail links.
    void SetExclusive(bool exclusive) { m_exclusive = exclusive; }
    bool Exclusive() const { return m_exclusive; }
    void SetTableLevel(int level) { m_tableLevel = level; }
    int TableLevel() const { return m_tableLevel; }
    void SetMode(int mode) { m_mode = mode; }
    int Mode() const { return m_mode; }
    void SetMasterFields(const QString& fields) { m_masterFields = fields; }
    void SetDetailFields(const QString& fields) { m_detailFields = fields; }

    // Structure
    bool Exists() const;
    // Creates the table from FieldDefs and IndexDefs; fails when it exists.
    void CreateTable();
    // Rebuilds the table with the current FieldDefs and IndexDefs inside one transaction:
    // columns are matched by name, so existing rows keep their data.
    void AlterTable();
    // FieldDefs and IndexDefs as the table file has them.
    void ReadStructure();

    // Cursor
    void Open();
    void Close();
    bool Active() const { return m_state != TStoreState::Inactive; }
    TStoreState State() const { return m_state; }
    // Rereads the order and the current record (rows of other workstations appear).
    void Refresh();
    void First();
    void Next();
    void Prior();
    void Last();
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool IsEmpty() const { return m_order.empty(); }
    int RecordCount() const { return int(m_order.size()); }
    // 0 when there is no current record.
    int RecNo() const;
    // Clamped to 1..RecordCount.
    void SetRecNo(int recNo);

    int FieldCount() const { return int(m_fields.size()); }
    TStoreField& Fields(int index) { return *m_fields[size_t(index)]; }
    TStoreField* FindField(const QString& name);
    TStoreField& FieldByName(const QString& name);

    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();

    // Positions on the first record (in the current order) whose field equals the value.
    bool Locate(const QString& fieldName, const QVariant& value);
    // Positions on the first record whose key (the first fields of the current index) is not
    // less than the values; after the last record when there is none.
    void FindNearest(const QVariantList& keyValues);

    // Filter texts: comparisons of a field with a literal (= <> < > <= >= like), "like" with
    // the wildcards * and ?, combined with and, or, not and parentheses.
    const QString& Filter() const { return m_filter; }
    void SetFilter(const QString& filter);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool filtered);

    // Keeps other workstations from writing the table until UnlockTable; own writes in between
    // are committed together by UnlockTable, or all undone with UndoWrites.
    void LockTable();
    void UnlockTable(TLockEnd end = TLockEnd::KeepWrites);
    bool TableLocked() const { return m_lockDepth > 0; }

    void DisableControls() { ++m_controlsDisabled; }
    void EnableControls() {
        if (m_controlsDisabled > 0) --m_controlsDisabled;
    }
    bool ControlsDisabled() const { return m_controlsDisabled > 0; }

    // Changes whenever another connection has committed to the table's file.
    qint64 DataVersion() const;
    // Work that belongs into each write transaction of this table, done just before the
    // outermost one commits (after a Post outside a lock, or at the end of the lock).
    void SetBeforeCommit(std::function<void()> work) { m_beforeCommit = std::move(work); }
    // Row id of the current record (0 when none); positions on a row id of this table.
    qint64 CurrentRowId() const;
    bool GotoRowId(qint64 rowId);
    // Rereads the order and the current record when another connection has written since they
    // were read; not while a record is being edited.
    void RefreshIfChanged();
    // Grows with every write of this table object (post, delete, undone lock, alter), so that
    // what a caller derived from the rows can tell whether it is still current.
    quint64 ChangeCount() const { return m_changeCount; }
    // Row ids in the current order.
    const std::vector<qint64>& rowOrder() const { return m_order; }
    // Every row's values of some columns as UTF-8, without copies (valid during the call only;
    // null for NULL), in row id order. Read in chunks, so writers of other workstations get in
    // between and nothing of the table is held in memory. Throws EStoreError.
    using TUtf8RowVisitor = std::function<void(const QList<QByteArrayView>& values)>;
    void ScanUtf8(const QStringList& columns, const TUtf8RowVisitor& visit) const;

private:
    friend class TStoreField;
    friend class TStoreDatabase;
    friend class TStoreTextIndex;
    friend class TStoreReadSnapshot;
    // Tests that need the connection itself (a crash test's cache settings) define it.
    friend struct TStoreTableTestAccess;

    // For the facilities that read the table with their own SQL (the table's name is quoted
    // already). Only valid while the table is open.
    kwpstore::Connection& connection() const;
    QString quotedTableName() const;

    struct KeyField {
        int column;
        bool descending;
    };

    void checkActive() const;
    void checkBrowse();
    void checkWritable() const;
    std::shared_ptr<kwpstore::Connection> openConnection(bool create) const;
    bool usesOwnCollation() const;
    void runBeforeCommit();
    void buildFields();
    void applyIndex();
    void reloadOrder(qint64 keepRowId);
    void readCurrent();
    void setPosition(qint64 index);
    QVariantList keyOf(qint64 rowId, bool* found);
    int compareKeys(const QVariantList& a, qint64 aRowId, const QVariantList& b,
                    qint64 bRowId) const;
    bool matchesFilter(qint64 rowId);
    void placeRow(qint64 rowId);
    void setFieldValue(int index, const QVariant& value);
    void createColumns(kwpstore::Connection& connection, const QString& table) const;
    void createIndexes(kwpstore::Connection& connection) const;
    QString orderClause() const;

    TStoreDatabase* m_database = nullptr;
    QString m_tableName;
    QString m_indexName;
    TFieldDefs m_fieldDefs;
    TIndexDefs m_indexDefs;
    bool m_readOnly = false;
    bool m_exclusive = false;
    int m_tableLevel = 4;
    int m_mode = 1;
    QString m_masterFields;
    QString m_detailFields;
    QString m_filter;
    bool m_filtered = false;
    QString m_filterSql;
    QVariantList m_filterParams;

    std::shared_ptr<kwpstore::Connection> m_connection;
    std::vector<std::unique_ptr<TStoreField>> m_fields;
    // Statements of the hot paths, built when the fields or the index change.
    QString m_readSql;
    QString m_keySql;
    int m_autoIncColumn = -1;
    std::vector<KeyField> m_key;
    std::vector<qint64> m_order;
    qint64 m_orderVersion = -1;
    qint64 m_position = -1;
    bool m_bof = true;
    bool m_eof = true;
    QVariantList m_buffer;
    TStoreState m_state = TStoreState::Inactive;
    int m_lockDepth = 0;
    std::function<void()> m_beforeCommit;
    int m_controlsDisabled = 0;
    quint64 m_changeCount = 0;
};

// While it lives, every read of the table sees one state of its file: nobody's commit comes
// in between (several queries that must agree, as a search and its result list).
class TStoreReadSnapshot {
public:
    explicit TStoreReadSnapshot(const TStoreTable& table);
    ~TStoreReadSnapshot();
    TStoreReadSnapshot(const TStoreReadSnapshot&) = delete;
    TStoreReadSnapshot& operator=(const TStoreReadSnapshot&) = delete;

private:
    std::unique_ptr<kwpstore::ReadScope> m_scope;
};

// Owning list of table objects.
class TTableObjectList : public TObjectList<TStoreTable> {
public:
    TStoreTable* operator[](int i) const { return m_items[size_t(i)].get(); }
    TStoreTable* Find(const QString& tableName) const;  // case-insensitive
};
