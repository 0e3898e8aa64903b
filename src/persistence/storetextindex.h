#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <unordered_map>
#include <vector>

class TStoreTable;

// Row ids in ascending order.
using TStoreRowIds = std::vector<qint64>;
using TStoreRowValues = std::unordered_map<qint64, QVariantList>;

// A substring search over a text that the program derives from each row of a table (for the
// address table: the values of the record's XML), for table files that any SQLite client may
// write.
//
// Beside the table the file holds the derived texts ("T$HAY"), a trigram index over them
// ("T$TRIGRAMS", FTS5 without positions) and copies of a few columns ("T$LIST") that lists need
// of every row. Triggers in plain SQL keep these in step with every write, whoever makes it:
// a written row gets its copies and an empty text, and the program derives the text at its
// next save (`Update`). Until then `Find` derives it on the fly, so a search always sees every
// committed row exactly as `Scan` does.
class TStoreTextIndex {
public:
    using Derive = std::function<QString(const QVariantList& sourceValues)>;

    TStoreTextIndex(TStoreTable& table, QStringList sourceColumns, Derive derive,
                    QStringList listColumns);

    bool Exists() const;
    // Creates what is missing, rebuilds what does not hold every row, and derives the texts of
    // rows written since. Needs a writable table.
    void Ensure();
    // Derives the texts of rows written since (by anyone). Nothing without write access.
    void Update();

    // Rows whose text contains every needle (UTF-8).
    TStoreRowIds Find(const QList<QByteArray>& needles) const;
    // The same, deriving the text of every row (the index's reference).
    TStoreRowIds Scan(const QList<QByteArray>& needles) const;
    static bool ContainsAll(QByteArrayView text, const QList<QByteArray>& needles);

    // The list columns of every row (from the copies when they exist) or of some rows.
    TStoreRowValues ReadList() const;
    TStoreRowValues ReadList(const TStoreRowIds& rows) const;

private:
    QString objectName(const char* suffix) const;
    void create();
    void deriveTexts(const QList<QPair<qint64, QVariantList>>& rows);

    TStoreTable& m_table;
    QStringList m_sourceColumns;
    // Exists() is asked before every search; its answer holds while the schema stays.
    mutable qint64 m_checkedSchema = -1;
    mutable bool m_exists = false;
    Derive m_derive;
    QStringList m_listColumns;
};
