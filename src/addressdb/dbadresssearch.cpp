#include "addressdb/dbadresssearch.h"

#include "app/conversions.h"
#include "persistence/storesqlite.h"
#include "persistence/storetable.h"

namespace addresssearch {

namespace {
constexpr int searchTrigram = 3;

QString searchIndexName(const TStoreTable& table) {
    return table.TableName() + QStringLiteral("$SEARCH");
}

QStringList searchTriggerNames(const TStoreTable& table) {
    const QString base = searchIndexName(table);
    return {base + QStringLiteral("_AI"), base + QStringLiteral("_AD"),
            base + QStringLiteral("_AU")};
}

QString searchText(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

QString searchListName(const TStoreTable& table) {
    return table.TableName() + QStringLiteral("$LIST");
}

// What the index and the list keep of a row, as SQL over the row "alias" (new or the table).
QString searchIndexValues(const QString& alias) {
    const QString p = alias.isEmpty() ? QString() : alias + QLatin1Char('.');
    return QStringLiteral(
               "%1rowid, KWP_HAYA(%1ID, %1DISPLAYTXT, %1WVTXT, %1CHARACT), "
               "KWP_HAYB(%1XMLDATA)")
        .arg(p);
}

QString searchListValues(const QString& alias) {
    const QString p = alias.isEmpty() ? QString() : alias + QLatin1Char('.');
    return QStringLiteral("%1rowid, %1ID, %1DISPLAYTXT, %1ADDRGRP, %1WV").arg(p);
}

bool searchObjectExists(kwpstore::Connection& connection, const QString& type,
                        const QString& name) {
    kwpstore::Statement& statement = connection.cached(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = ? AND name = ?"));
    statement.bind(1, type);
    statement.bind(2, name);
    const bool exists = statement.step();
    statement.reset();
    return exists;
}

qint64 searchCount(kwpstore::Connection& connection, const QString& table) {
    kwpstore::Statement statement(
        connection, QStringLiteral("SELECT count(*) FROM ") + kwpstore::QuoteIdent(table));
    return statement.step() ? statement.int64(0) : 0;
}

Shown searchShown(const kwpstore::Statement& statement) {
    return {searchText(statement.value(1)), searchText(statement.value(2)),
            searchText(statement.value(3)), statement.value(4).toDouble()};
}

// An FTS phrase that matches the needle as it is.
QString searchPhrase(const QString& needle) {
    QString quoted = needle;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QStringLiteral("{hay_a hay_b} : \"") + quoted + QLatin1Char('"');
}
}  // namespace

QList<Word> SplitSearchText(const QString& text) {
    QList<Word> words;
    for (const QString& part :
         XmlEscapeSearchKey(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1Char('.')))
            words.append({QLatin1Char(' ') + part.mid(1) + QLatin1Char(' ')});
        else
            words.append({part});
    }
    return words;
}

// Blanks around the haystacks let whole words match at their ends too.
QString HayA(const QString& id, const QString& displayTxt, const QString& wvTxt,
             const QString& charact) {
    return QLatin1Char(' ') +
           XmlEscapeSearchKey(id + QLatin1Char(' ') + displayTxt + QLatin1Char(' ') + wvTxt +
                              QLatin1Char(' ') + charact) +
           QLatin1Char(' ');
}

QString HayB(const QString& xml) {
    return QLatin1Char(' ') + FoldUmlauts(xml) + QLatin1Char(' ');
}

bool Matches(const QList<Word>& words, const QString& hayA, const QString& hayB) {
    for (const Word& word : words)
        if (!hayA.contains(word.needle) && !hayB.contains(word.needle)) return false;
    return true;
}

void RegisterFunctions() {
    kwpstore::RegisterFunction(QStringLiteral("KWP_HAYA"), 4, [](const QVariantList& a) {
        return QVariant(
            HayA(searchText(a[0]), searchText(a[1]), searchText(a[2]), searchText(a[3])));
    });
    kwpstore::RegisterFunction(QStringLiteral("KWP_HAYB"), 1, [](const QVariantList& a) {
        return QVariant(HayB(searchText(a[0])));
    });
}

bool HasIndex(TStoreTable& table) {
    kwpstore::Connection& connection = table.connection();
    if (!searchObjectExists(connection, QStringLiteral("table"), searchIndexName(table)) ||
        !searchObjectExists(connection, QStringLiteral("table"), searchListName(table)))
        return false;
    for (const QString& trigger : searchTriggerNames(table))
        if (!searchObjectExists(connection, QStringLiteral("trigger"), trigger)) return false;
    return true;
}

void EnsureIndex(TStoreTable& table) {
    kwpstore::Connection& connection = table.connection();
    const QString index = searchIndexName(table);
    const QString list = searchListName(table);
    const QString quotedIndex = kwpstore::QuoteIdent(index);
    const QString quotedList = kwpstore::QuoteIdent(list);
    const QString quotedTable = table.quotedTableName();
    // Counted on small rows: the table through its key index, the index by its size records.
    if (HasIndex(table)) {
        // All counts from one state of the file: a commit of another workstation in between
        // would look like a damaged index.
        const kwpstore::ReadScope reading(connection);
        const qint64 rows = searchCount(connection, table.TableName());
        if (searchCount(connection, index + QStringLiteral("_docsize")) == rows &&
            searchCount(connection, list) == rows)
            return;
    }
    kwpstore::InTransaction(connection, [&] {
        if (!searchObjectExists(connection, QStringLiteral("table"), index))
            connection.exec(QStringLiteral("CREATE VIRTUAL TABLE ") + quotedIndex +
                            QStringLiteral(" USING fts5(hay_a, hay_b, "
                                           "tokenize = 'trigram case_sensitive 1')"));
        if (!searchObjectExists(connection, QStringLiteral("table"), list))
            connection.exec(QStringLiteral("CREATE TABLE ") + quotedList +
                            QStringLiteral(" (id TEXT, displaytxt TEXT, addrgrp TEXT, wv REAL)"));
        const QString insert = QStringLiteral("INSERT INTO ") + quotedIndex +
                               QStringLiteral(" (rowid, hay_a, hay_b) VALUES (") +
                               searchIndexValues(QStringLiteral("new")) +
                               QStringLiteral("); INSERT INTO ") + quotedList +
                               QStringLiteral(" (rowid, id, displaytxt, addrgrp, wv) VALUES (") +
                               searchListValues(QStringLiteral("new")) + QStringLiteral(");");
        const QString remove = QStringLiteral("DELETE FROM ") + quotedIndex +
                               QStringLiteral(" WHERE rowid = old.rowid; DELETE FROM ") +
                               quotedList + QStringLiteral(" WHERE rowid = old.rowid;");
        const QStringList triggers = searchTriggerNames(table);
        const QStringList bodies = {QStringLiteral("AFTER INSERT ON %1 BEGIN ").arg(quotedTable) +
                                        insert + QStringLiteral(" END"),
                                    QStringLiteral("AFTER DELETE ON %1 BEGIN ").arg(quotedTable) +
                                        remove + QStringLiteral(" END"),
                                    QStringLiteral("AFTER UPDATE ON %1 BEGIN ").arg(quotedTable) +
                                        remove + insert + QStringLiteral(" END")};
        for (int i = 0; i < triggers.size(); ++i) {
            connection.exec(QStringLiteral("DROP TRIGGER IF EXISTS ") +
                            kwpstore::QuoteIdent(triggers[i]));
            connection.exec(QStringLiteral("CREATE TRIGGER ") + kwpstore::QuoteIdent(triggers[i]) +
                            QLatin1Char(' ') + bodies[i]);
        }
        // Rows written while the triggers were missing (an older program, a rebuilt table)
        // are taken over from the table.
        connection.exec(QStringLiteral("DELETE FROM ") + quotedIndex);
        connection.exec(QStringLiteral("DELETE FROM ") + quotedList);
        connection.exec(QStringLiteral("INSERT INTO ") + quotedIndex +
                        QStringLiteral(" (rowid, hay_a, hay_b) SELECT ") +
                        searchIndexValues(QString()) + QStringLiteral(" FROM ") + quotedTable);
        connection.exec(QStringLiteral("INSERT INTO ") + quotedList +
                        QStringLiteral(" (rowid, id, displaytxt, addrgrp, wv) SELECT ") +
                        searchListValues(QString()) + QStringLiteral(" FROM ") + quotedTable);
    });
}

RowIds ScanRows(TStoreTable& table, const QList<Word>& words) {
    RowIds rows;
    if (words.isEmpty()) return rows;
    kwpstore::Statement statement(
        table.connection(),
        QStringLiteral("SELECT rowid, ID, DISPLAYTXT, WVTXT, CHARACT, XMLDATA FROM ") +
            table.quotedTableName());
    while (statement.step()) {
        if (Matches(words,
                    HayA(searchText(statement.value(1)), searchText(statement.value(2)),
                         searchText(statement.value(3)), searchText(statement.value(4))),
                    HayB(searchText(statement.value(5)))))
            rows.insert(statement.int64(0));
    }
    return rows;
}

RowIds FindRows(TStoreTable& table, const QList<Word>& words) {
    if (words.isEmpty()) return {};
    if (!HasIndex(table)) return ScanRows(table, words);
    // Trigram phrases find every substring of three or more characters exactly; shorter
    // words are compared with the stored haystacks of the rows found.
    QStringList phrases;
    QList<Word> shortWords;
    for (const Word& word : words) {
        if (word.needle.toUcs4().size() >= searchTrigram)
            phrases.append(searchPhrase(word.needle));
        else
            shortWords.append(word);
    }
    const QString index = kwpstore::QuoteIdent(searchIndexName(table));
    QString sql = QStringLiteral("SELECT rowid") +
                  (shortWords.isEmpty() ? QString() : QStringLiteral(", hay_a, hay_b")) +
                  QStringLiteral(" FROM ") + index;
    if (!phrases.isEmpty()) sql += QStringLiteral(" WHERE ") + index + QStringLiteral(" MATCH ?");
    kwpstore::Statement statement(table.connection(), sql);
    if (!phrases.isEmpty()) statement.bind(1, phrases.join(QStringLiteral(" AND ")));
    RowIds rows;
    while (statement.step()) {
        if (!shortWords.isEmpty() &&
            !Matches(shortWords, searchText(statement.value(1)), searchText(statement.value(2))))
            continue;
        rows.insert(statement.int64(0));
    }
    return rows;
}

ShownRows ReadShownRows(TStoreTable& table) {
    const QString source =
        HasIndex(table) ? kwpstore::QuoteIdent(searchListName(table)) : table.quotedTableName();
    kwpstore::Statement statement(table.connection(), QStringLiteral("SELECT ") +
                                                          searchListValues(QString()) +
                                                          QStringLiteral(" FROM ") + source);
    ShownRows shown;
    while (statement.step()) shown.emplace(statement.int64(0), searchShown(statement));
    return shown;
}

ShownRows ReadShownRows(TStoreTable& table, const RowIds& rows) {
    kwpstore::Statement statement(table.connection(),
                                  QStringLiteral("SELECT ") + searchListValues(QString()) +
                                      QStringLiteral(" FROM ") + table.quotedTableName() +
                                      QStringLiteral(" WHERE rowid = ?"));
    ShownRows shown;
    for (const qint64 row : rows) {
        statement.bind(1, QVariant(qlonglong(row)));
        if (statement.step()) shown.emplace(row, searchShown(statement));
        statement.reset();
    }
    return shown;
}

}  // namespace addresssearch
