#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>
#include <unordered_map>

#include "persistence/storetextindex.h"

class TStoreTable;

// The full-text search of the address table. A row matches when every word of the search
// text occurs in what the user entered into it: number, display text, resubmission text,
// marks and the values of the record's XML (attribute values and text, never markup or
// escapes). Both sides are upper-cased with umlauts as AE, OE, UE, SS, and every run of white
// space and control characters counts as one blank. A word starting with "." must stand
// between blanks or at the ends of a value.
namespace addresssearch {

// Converts and splits the search text into the needles (UTF-8) that must occur; empty when
// there is nothing to search for.
QList<QByteArray> SplitSearchText(const QString& text);
// What the search sees of a row, from the columns ID, DISPLAYTXT, WVTXT, CHARACT, XMLDATA:
// each distinct word of the values once, between blanks.
QString Haystack(const QVariantList& columns);
// The index of an address table (see TStoreTextIndex), which lists also read their columns
// from.
std::unique_ptr<TStoreTextIndex> MakeIndex(TStoreTable& table);

// What a search result shows of a row.
struct Shown {
    QString id;
    QString displayTxt;
    QString addrGrp;
    double wv = 0;
};
using ShownRows = std::unordered_map<qint64, Shown>;
ShownRows ToShown(const TStoreRowValues& rows);

}  // namespace addresssearch
