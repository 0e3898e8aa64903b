#pragma once

// Texts of the table store's little languages: table filters and the SQL of queries.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class TFieldDefs;

namespace kwpstore {

struct SqlToken {
    enum Kind { Word, QuotedName, Text, Number, Symbol, End } kind = End;
    QString text;  // unquoted for names and texts
    int start = 0;
    int length = 0;
};

// Splits SQL or a filter into tokens; throws EStoreError on an unterminated quote.
QList<SqlToken> TokenizeSql(const QString& text);

struct CompiledFilter {
    QString sql;
    QVariantList params;
};
// A filter text as an SQL condition with bound values; throws EStoreError for unknown fields
// and bad syntax.
CompiledFilter CompileFilter(const QString& filter, const TFieldDefs& fields);

// The SQL of the suite's queries in SQLite's dialect: SUBSTRING(x FROM a FOR b) becomes
// substr(x, a, b).
QString TranslateSql(const QString& sql);
// Names that may stand for tables (bare words and quoted names).
QStringList SqlNames(const QString& sql);

}  // namespace kwpstore
