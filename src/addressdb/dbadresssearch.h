#pragma once

#include <QList>
#include <QString>
#include <unordered_map>
#include <unordered_set>

class TStoreTable;

// The full-text search of the address table. A row matches when every word of the search
// text occurs in one of its two haystacks: A from number, display text, resubmission text and
// marks, B from the record's XML. A word starting with "." must stand between blanks.
//
// A trigram index in the table file ("ADDRESS$SEARCH", kept by triggers in the same
// transaction as each row) answers searches for words of three or more characters exactly;
// shorter words are checked against the stored haystacks. Without the index every row is
// converted and compared. Beside it the triggers keep "ADDRESS$LIST", the values a result
// shows, in rows small enough to read them all quickly.
namespace addresssearch {

struct Word {
    QString needle;  // what must occur (for whole words: with the blanks around it)
};

// Converts and splits the search text; empty when there is nothing to search for.
QList<Word> SplitSearchText(const QString& text);
QString HayA(const QString& id, const QString& displayTxt, const QString& wvTxt,
             const QString& charact);
QString HayB(const QString& xml);
bool Matches(const QList<Word>& words, const QString& hayA, const QString& hayB);

// Makes the haystack functions known to every connection (the triggers call them).
void RegisterFunctions();
// Creates the index and its triggers when missing (filling it from the rows) and rebuilds an
// index that does not hold every row. Needs a writable table.
void EnsureIndex(TStoreTable& table);
bool HasIndex(TStoreTable& table);
using RowIds = std::unordered_set<qint64>;

// The matching rows: through the index when the table has one.
RowIds FindRows(TStoreTable& table, const QList<Word>& words);
// The same by reading and converting every row.
RowIds ScanRows(TStoreTable& table, const QList<Word>& words);

// What a search result shows of a row.
struct Shown {
    QString id;
    QString displayTxt;
    QString addrGrp;
    double wv = 0;
};
using ShownRows = std::unordered_map<qint64, Shown>;
// The shown values of every row (from the list table when the index is there).
ShownRows ReadShownRows(TStoreTable& table);
// The shown values of some rows, read from the table itself.
ShownRows ReadShownRows(TStoreTable& table, const RowIds& rows);

}  // namespace addresssearch
