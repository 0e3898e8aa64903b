#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "app/errorreport.h"

// Failure of the table store: a file that cannot be opened, a key violation, bad SQL.
class EStoreError : public EKwpError {
public:
    explicit EStoreError(QString message, int code = 0)
        : EKwpError(std::move(message)), m_code(code) {}
    QString className() const override { return QStringLiteral("EStoreError"); }
    // The engine's (extended) result code; 0 for our own checks.
    int code() const { return m_code; }

private:
    int m_code;
};

// Column types by the codes the suite's programs pass when they define a table.
enum TStoreFieldType : int {
    sftInteger = 2,
    sftFloat = 4,
    sftSmallInt = 5,
    sftBoolean = 6,
    sftAutoInc = 10,
    sftDateTime = 15,
    sftString = 16,
    sftMemo = 17,
};

bool IsValidStoreFieldType(int type);

// One column of a table. Size is the maximum length of a text column; precision the number
// of decimals of a floating-point column (0 = unspecified).
struct TFieldDef {
    QString name;
    int type = sftString;
    int size = 0;
    bool required = false;
    int precision = 0;

    bool operator==(const TFieldDef&) const = default;
};

class TFieldDefs {
public:
    TFieldDef& Add(const QString& name, int type, int size = 0, bool required = false);
    int IndexOf(const QString& name) const;  // case-insensitive; -1 when absent
    TFieldDef* Find(const QString& name);
    const TFieldDef* Find(const QString& name) const;
    // Moves the definition at `from` to position `to`; the others keep their order.
    void Move(int from, int to);
    void Clear() { m_defs.clear(); }
    int Count() const { return int(m_defs.size()); }
    TFieldDef& operator[](int i) { return m_defs[i]; }
    const TFieldDef& operator[](int i) const { return m_defs[i]; }
    const QList<TFieldDef>& items() const { return m_defs; }

    bool operator==(const TFieldDefs&) const = default;

private:
    QList<TFieldDef> m_defs;
};

enum TIndexOption : int {
    ixUnique = 1,
    ixDescending = 2,
};

// An index: its fields separated by ";" and its options.
struct TIndexDef {
    QString name;
    QString fields;
    int options = 0;

    QStringList fieldList() const;
    bool operator==(const TIndexDef&) const = default;
};

class TIndexDefs {
public:
    TIndexDef& Add(const QString& name, const QString& fields, int options = 0);
    int IndexOf(const QString& name) const;  // case-insensitive; -1 when absent
    const TIndexDef* Find(const QString& name) const;
    void Clear() { m_defs.clear(); }
    int Count() const { return int(m_defs.size()); }
    const TIndexDef& operator[](int i) const { return m_defs[i]; }
    const QList<TIndexDef>& items() const { return m_defs; }

    bool operator==(const TIndexDefs&) const = default;

private:
    QList<TIndexDef> m_defs;
};

// Whether a database may be written (what is missing is created then) or only read.
enum class TDbAccess { ReadWrite, ReadOnly };
// The store's table mode, handed on to the tables it creates (2 with the flag, else 1).
enum class TDbMode { Normal, Flagged };
// What becomes of the writes made under a lock when it ends.
enum class TLockEnd { KeepWrites, UndoWrites };
