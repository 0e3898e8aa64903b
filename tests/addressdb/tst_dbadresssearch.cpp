#include <sqlite3.h>
#include <QtTest>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "addressdb/dbadresssearch.h"
#include "storetableaccess.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

struct Row {
    QString id, display, wvTxt, info, anschrift;
    QStringList marks;
};

void saveRow(TDBAdress& db, const Row& row) {
    TCustomerAddress record;
    record.Id = row.id;
    record.DisplayTxt = row.display;
    record.WvTxt = row.wvTxt;
    record.Info = row.info;
    record.Kennzeichen = row.marks;
    if (!row.anschrift.isEmpty()) {
        TCustomerAnschrift* anschrift = record.Anschriften.Add();
        anschrift->Id = u"01"_s;
        anschrift->Name1 = row.anschrift;
        anschrift->Std = true;
    }
    QCOMPARE(db.SetCustomer(record), 0);
}

// The numbers of the hits; a hit whose record number leads to another row is marked.
QStringList foundIds(TDBAdress& db, const QString& text) {
    TDBAdressSearchResultObjectList hits;
    db.FindAddress(text, hits);
    QStringList ids;
    for (const auto& hit : hits) {
        db.AddressTable()->SetRecNo(hit->RecNo);
        ids.append(db.GetCurrentID() == hit->Id ? hit->Id : u"<wrong RecNo>"_s);
    }
    return ids;
}

QList<qint64> sortedRows(const TStoreRowIds& rows) {
    QList<qint64> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// The index finds exactly the rows that reading every row finds.
void indexAgreesWithTheScan(TDBAdress& db, const QString& text) {
    const QList<QByteArray> needles = addresssearch::SplitSearchText(text);
    const std::unique_ptr<TStoreTextIndex> index = addresssearch::MakeIndex(*db.AddressTable());
    QCOMPARE(sortedRows(index->Find(needles)), sortedRows(index->Scan(needles)));
}

// A plain SQLite client of the file, without any function of this program.
sqlite3* openPlain(const QString& file, int create = 0) {
    sqlite3* client = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &client,
                        SQLITE_OPEN_READWRITE | create, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(file));
    return client;
}

// SQLite's error message, empty when the statements ran.
QString runSql(sqlite3* client, const char* sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(client, sql, nullptr, nullptr, &error);
    const QString message = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    return rc == SQLITE_OK ? QString() : message;
}

// The address table as earlier versions made it, with a collation and a trigger function of
// their own, holding "b2" and "A1".
void writeEarlierTable(const QString& file) {
    sqlite3* old = openPlain(file, SQLITE_OPEN_CREATE);
    sqlite3_create_collation(old, "KWPTEXT", SQLITE_UTF8, nullptr,
                             [](void*, int a, const void* x, int b, const void* y) {
                                 return std::memcmp(x, y, size_t(std::min(a, b)));
                             });
    QCOMPARE(runSql(old,
                    "CREATE TABLE ADDRESS (ID VARCHAR(20) COLLATE KWPTEXT NOT NULL DEFAULT '', "
                    "DISPLAYTXT VARCHAR(255) COLLATE KWPTEXT NOT NULL DEFAULT '', ADDRGRP "
                    "VARCHAR(50) COLLATE KWPTEXT NOT NULL DEFAULT '', CREATED DATETIME NOT "
                    "NULL DEFAULT 0, CREATEDBY VARCHAR(20) COLLATE KWPTEXT, CHANGED DATETIME "
                    "NOT NULL DEFAULT 0, CHANGEDBY VARCHAR(20) COLLATE KWPTEXT, IDFORWARD "
                    "VARCHAR(20) COLLATE KWPTEXT NOT NULL DEFAULT '', WV DATETIME, WVTXT "
                    "VARCHAR(40) COLLATE KWPTEXT, WVUSER VARCHAR(20) COLLATE KWPTEXT, XMLDATA "
                    "TEXT COLLATE KWPTEXT, CHARACT TEXT COLLATE KWPTEXT);"
                    "CREATE UNIQUE INDEX \"ADDRESS$ADDRESSID\" ON ADDRESS (ID);"
                    "INSERT INTO ADDRESS (ID, DISPLAYTXT, XMLDATA) VALUES ('b2', 'Zwei Müller', "
                    "'<kundenadr/>'), ('A1', 'Eins Müller', '<kundenadr/>');"
                    "CREATE TRIGGER \"ADDRESS$SEARCH_AI\" AFTER INSERT ON ADDRESS BEGIN "
                    "SELECT KWP_HAYA(new.ID); END;"),
             QString());
    sqlite3_close(old);
}

// A table of the example rows, open for writing; a reported error fails the test.
struct Examples {
    QTemporaryDir dir;
    TDBAdress db{[](const std::exception& e, const QString& context) {
        QFAIL(qPrintable(context + u": "_s + QString::fromUtf8(e.what())));
    }};
    explicit Examples(bool earlier = false) {
        if (earlier) writeEarlierTable(dir.filePath(u"ADDRESS.DAT"_s));
        db.OpenDirectory(dir.path());
        for (const Row& row : QList<Row>{
                 {"K1", "Meier AG", "", "", "", {}},
                 {"K2", "Agentur Meier", "", "", "", {}},
                 {"K3", "Schmidt", "Rückruf Meier AG", "", "", {}},
                 {"K4", "Mueller Bau", "", "", "", {}},
                 {"K5", "Bau & Söhne", "", "", "Müller", {}},
                 {"K6", "Straßenbau <Nord> \"eins\"", "", "Zeile & Co\r\nZeile 2", "", {}},
                 {"K7", "Ölhandel", "", "", "", {"VIP", "Großkunde"}},
             })
            saveRow(db, row);
    }
};

}  // namespace

class TestDBAdressSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { kwpstore::SetBusyTimeout(20000); }

    void wordsMatchAsTheUserExpects_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QString& text, const QStringList& expected) {
            QTest::newRow(name) << text << expected;
        };
        row("word and whole word", "MEIER .AG", {"K1", "K3"});
        row("part of a word", "meier ag", {"K1", "K2", "K3"});
        row("umlaut finds both spellings", "müller", {"K4", "K5"});
        row("transliterated finds umlaut", "MUELLER", {"K4", "K5"});
        row("sharp s", "strasse", {"K6"});
        row("characters that XML escapes", "<nord>", {"K6"});
        row("ampersand", "& söhne", {"K5"});
        row("mark", "großkunde", {"K7"});
        row("line end ends a word", ".co", {"K6"});
        row("short word only", "ÖL", {"K7"});
        row("number as a word", ".k4", {"K4"});
        row("no match", "meier zzz", {});
        row("blanks only", "   ", {});
        // Only what the user entered is searched: never element or attribute names, the XML
        // declaration or the escapes that stand for "&", quotes and "<".
        for (const char* markup : {"kontakt", "name1", "xml", "=", "amp", ";"})
            row(markup, markup, {});
        // Stored text has its control characters as blanks, so a search text does too.
        row("NUL in a word", u"MEI"_s + QChar(0) + "ER", {"K1", "K2", "K3"});
    }
    void wordsMatchAsTheUserExpects() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        Examples examples;
        QCOMPARE(foundIds(examples.db, text), expected);
    }

    // The index must give exactly what reading every row gives.
    void indexAgreesWithTheFullScan() {
        const QStringList vocabulary =
            u"Müller Mueller MÜLLER Straße Strasse Bäckerei AG ag GmbH & <b> \"x\" ' Öl ß Weiß Co. "
            u"KG Meier Maier Berlin Köln Süd Süßwaren e.K. 1 10115 Tel. a Ü ÄÖÜ Agentur Schmidt "
            u"Schmitt Haus Hausbau x Nord-Süd Zoë Ærø"_s.split(u' ');
        QRandomGenerator random(4242);
        const auto words = [&](int most) {
            QStringList picked;
            for (int i = int(random.bounded(most)); i >= 0; --i)
                picked.append(vocabulary[random.bounded(int(vocabulary.size()))]);
            return picked.join(u' ');
        };
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path());
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(u"TEST"_s);
        for (int i = 0; i < 2000; ++i) {
            saveRow(db,
                    {u"K%1"_s.arg(random.bounded(100000), 5, 10, QLatin1Char('0')), words(4),
                     random.bounded(3) == 0 ? words(2) : QString(),
                     random.bounded(2) == 0 ? words(6) : QString(),
                     random.bounded(2) == 0 ? words(3) : QString(),
                     random.bounded(4) == 0 ? words(2).split(QLatin1Char(' ')) : QStringList()});
        }
        db.Unlock(lock);
        const std::unique_ptr<TStoreTextIndex> index = addresssearch::MakeIndex(*db.AddressTable());
        QVERIFY(index->Exists());
        // Every row's haystack made once, as the scan makes it, for the query-by-query check.
        std::vector<std::pair<qint64, QByteArray>> hays;
        kwpstore::Statement rows(TStoreTableTestAccess::connection(*db.AddressTable()),
                                 QStringLiteral("SELECT rowid, ID, DISPLAYTXT, WVTXT, CHARACT, "
                                                "XMLDATA FROM ADDRESS"));
        while (rows.step())
            hays.emplace_back(rows.int64(0),
                              addresssearch::Haystack({rows.value(1), rows.value(2), rows.value(3),
                                                       rows.value(4), rows.value(5)})
                                  .toUtf8());
        int nonEmpty = 0;
        for (int q = 0; q < 1500; ++q) {
            QString query = words(3);
            if (random.bounded(3) == 0) query = QLatin1Char('.') + query;
            if (random.bounded(5) == 0) query += u" ."_s + words(1);
            const QList<QByteArray> needles = addresssearch::SplitSearchText(query);
            TStoreRowIds expected;
            for (const auto& [row, hay] : hays)
                if (TStoreTextIndex::ContainsAll(hay, needles)) expected.push_back(row);
            const QList<qint64> indexed = sortedRows(index->Find(needles));
            QVERIFY2(indexed == sortedRows(expected), qPrintable(query));
            if (!indexed.isEmpty()) ++nonEmpty;
        }
        QVERIFY(nonEmpty > 400);
    }

    void tableWithoutIndexIsSearchedToo() {
        Examples examples;
        TDBAdress& db = examples.db;
        // As an older program left it: no index, no list, no triggers.
        for (const QString& sql :
             u"DROP TRIGGER \"ADDRESS$INDEX_AI\";DROP TRIGGER \"ADDRESS$INDEX_AU\";"
             u"DROP TRIGGER \"ADDRESS$INDEX_AD\";DROP TABLE \"ADDRESS$TRIGRAMS\";"
             u"DROP TABLE \"ADDRESS$LIST\""_s.split(u';'))
            TStoreTableTestAccess::connection(*db.AddressTable()).exec(sql);
        QCOMPARE(foundIds(db, u"MEIER .AG"_s), (QStringList{"K1", "K3"}));
        saveRow(db, {"K8", "Meier AG Nord", "", "", "", {}});
        db.CloseDatabase();
        TDBAdress reader;
        reader.OpenDirectory(examples.dir.path(), TDbAccess::ReadOnly);
        QVERIFY(!addresssearch::MakeIndex(*reader.AddressTable())->Exists());
        QCOMPARE(foundIds(reader, u"MEIER .AG"_s), (QStringList{"K1", "K3", "K8"}));
        // The next workstation that may write rebuilds it, with every row.
        TDBAdress writer;
        writer.OpenDirectory(examples.dir.path());
        QVERIFY(addresssearch::MakeIndex(*writer.AddressTable())->Exists());
        QCOMPARE(foundIds(writer, u"MEIER .AG"_s), (QStringList{"K1", "K3", "K8"}));
    }

    void anotherWorkstationsRowsAreFoundAtOnce() {
        Examples examples;
        TDBAdress& searcher = examples.db;
        QProcess worker;
        worker.start(QStringLiteral(KWP_ADRESSWORKER_PATH),
                     {u"save"_s, examples.dir.path(), "Z", "60"});
        QVERIFY(worker.waitForStarted(10000));
        int lastSaved = 0;
        while (lastSaved < 60) {
            if (!worker.canReadLine() && !worker.waitForReadyRead(60000)) break;
            while (worker.canReadLine()) {
                const QByteArray line = worker.readLine().trimmed();
                QVERIFY(line.startsWith("saved "));
                lastSaved = line.mid(6).toInt();
            }
            // Everything the other one has saved so far is found, without a refresh.
            const QStringList found = foundIds(searcher, u"zweitplatz"_s);
            QVERIFY2(found.size() >= lastSaved && !found.contains(u"<wrong RecNo>"_s),
                     qPrintable(found.join(',')));
        }
        QVERIFY(worker.waitForFinished(60000));
        QCOMPARE(worker.exitCode(), 0);
        QCOMPARE(foundIds(searcher, u"zweitplatz müller"_s).size(), 60);
        indexAgreesWithTheScan(searcher, u"STRASSE"_s);
    }

    // Any SQLite client reads and writes the table without this program's functions, also one
    // of an earlier version once a workstation that may write opened it: the next search finds
    // what the client wrote, exactly as reading every row finds it.
    void plainSqliteClientsReadAndWrite_data() {
        QTest::addColumn<bool>("earlier");
        QTest::newRow("new table") << false;
        QTest::newRow("table of an earlier version") << true;
    }
    void plainSqliteClientsReadAndWrite() {
        QFETCH(bool, earlier);
        Examples examples(earlier);
        TDBAdress& db = examples.db;
        // Rows of the earlier version keep their case-insensitive order.
        const QStringList old = earlier ? QStringList{"A1", "b2"} : QStringList();
        sqlite3* client = openPlain(examples.dir.filePath(u"ADDRESS.DAT"_s));
        const QList<QPair<const char*, QStringList>> steps{
            {"SELECT * FROM ADDRESS WHERE ID = 'K1' ORDER BY DISPLAYTXT", {"K4", "K5"}},
            {"INSERT INTO ADDRESS (ID, DISPLAYTXT, ADDRGRP, CREATED, CHANGED, IDFORWARD, XMLDATA) "
             "VALUES ('K9', 'Fremd', '', 46000, 46000, '', "
             "'<kundenadr><info>M&#252;ller &amp; Partner</info></kundenadr>')",
             {"K4", "K5", "K9"}},
            {"UPDATE ADDRESS SET XMLDATA = '<kundenadr ort=\"Köln\"/>' WHERE ID = 'K9'",
             {"K4", "K5"}},
            {"UPDATE ADDRESS SET DISPLAYTXT = 'Mueller Nord' WHERE ID = 'K9'", {"K4", "K5", "K9"}},
            {"DELETE FROM ADDRESS WHERE ID IN ('K4', 'K9')", {"K5"}},
        };
        for (const auto& [sql, expected] : steps) {
            QCOMPARE(runSql(client, sql), QString());
            QCOMPARE(foundIds(db, u"müller"_s), old + expected);
            indexAgreesWithTheScan(db, u"müller"_s);
        }
        sqlite3_close(client);
        // The program's next save derives the other client's rows as well.
        saveRow(db, {"K10", "Müller-Lüdenscheidt", "", "", "", {}});
        QCOMPARE(foundIds(db, u"müller"_s), old + QStringList({"K10", "K5"}));
    }
};

KWP_REGISTER_TEST(TestDBAdressSearch)
#include "tst_dbadresssearch.moc"
