#include <sqlite3.h>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "addressdb/dbadresssearch.h"
#include "persistence/storesqlite.h"
#include "testsupport.h"

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
        anschrift->Id = QStringLiteral("01");
        anschrift->Name1 = row.anschrift;
        anschrift->Std = true;
    }
    QCOMPARE(db.SetCustomer(record), 0);
}

QStringList foundIds(TDBAdress& db, const QString& text) {
    TDBAdressSearchResultObjectList hits;
    db.FindAddress(text, hits);
    QStringList ids;
    for (const auto& hit : hits) {
        ids.append(hit->Id);
        // The record number leads to the same row.
        db.AddressTable()->SetRecNo(hit->RecNo);
        if (db.GetCurrentID() != hit->Id) ids.append(QStringLiteral("<wrong RecNo>"));
    }
    return ids;
}

QList<qint64> sortedRows(const TStoreRowIds& rows) {
    QList<qint64> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

const QList<Row> exampleRows() {
    return {
        {"K1", "Meier AG", "", "", "", {}},
        {"K2", "Agentur Meier", "", "", "", {}},
        {"K3", "Schmidt", "Rückruf Meier AG", "", "", {}},
        {"K4", "Mueller Bau", "", "", "", {}},
        {"K5", "Bau & Söhne", "", "", "Müller", {}},
        {"K6", "Straßenbau <Nord> \"eins\"", "", "Zeile & Co\r\nZeile 2", "", {}},
        {"K7", "Ölhandel", "", "", "", {"VIP", "Großkunde"}},
    };
}

}  // namespace

class TestDBAdressSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { kwpstore::SetBusyTimeout(20000); }

    void wordsMatchAsTheUserExpects_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("word and whole word") << "MEIER .AG" << QStringList{"K1", "K3"};
        QTest::newRow("part of a word") << "meier ag" << QStringList{"K1", "K2", "K3"};
        QTest::newRow("umlaut finds both spellings") << "müller" << QStringList{"K4", "K5"};
        QTest::newRow("transliterated finds umlaut") << "MUELLER" << QStringList{"K4", "K5"};
        QTest::newRow("sharp s") << "strasse" << QStringList{"K6"};
        QTest::newRow("characters that XML escapes") << "<nord>" << QStringList{"K6"};
        QTest::newRow("ampersand") << "& söhne" << QStringList{"K5"};
        QTest::newRow("quotes") << "\"EINS\"" << QStringList{"K6"};
        QTest::newRow("mark") << "großkunde" << QStringList{"K7"};
        QTest::newRow("a mark is a whole word") << ".großkunde" << QStringList{"K7"};
        QTest::newRow("line end ends a word") << ".co" << QStringList{"K6"};
        QTest::newRow("short word only") << "ÖL" << QStringList{"K7"};
        QTest::newRow("number as a word") << ".k4" << QStringList{"K4"};
        QTest::newRow("no match") << "meier zzz" << QStringList{};
        QTest::newRow("blanks only") << "   " << QStringList{};
        QTest::newRow("dot only") << "." << QStringList{};
        // Only what the user entered is searched: never element or attribute names, the XML
        // declaration or the escapes that stand for "&", quotes and "<".
        QTest::newRow("element name") << "kontakt" << QStringList{};
        QTest::newRow("attribute name") << "name1" << QStringList{};
        QTest::newRow("declaration") << "xml" << QStringList{};
        QTest::newRow("markup character") << "=" << QStringList{};
        QTest::newRow("escape") << "amp" << QStringList{};
        QTest::newRow("end of an escape") << ";" << QStringList{};
        // Stored text has its control characters as blanks, so a search text does too.
        QTest::newRow("NUL in a word")
            << QStringLiteral("MEI") + QChar(0) + "ER" << QStringList{"K1", "K2", "K3"};
    }
    void wordsMatchAsTheUserExpects() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QStringList errors;
        TDBAdress db([&errors](const std::exception& e, const QString&) { errors << e.what(); });
        db.OpenDirectory(dir.path(), false, false);
        for (const Row& row : exampleRows()) saveRow(db, row);
        QCOMPARE(foundIds(db, text), expected);
        QCOMPARE(errors, QStringList());
    }

    void groupSearchIgnoresCase() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        for (const auto& [id, group] : QList<QPair<QString, QString>>{
                 {"B", "Händler"}, {"A", "HÄNDLER"}, {"C", "Kunde"}, {"D", "händler "}}) {
            TCustomerAddress record;
            record.Id = id;
            record.AddrGrp = group;
            QCOMPARE(db.SetCustomer(record), 0);
        }
        TDBAdressSearchResultObjectList hits;
        db.FindAddressByAddrGrp(QStringLiteral("händler"), hits);
        QCOMPARE(hits.Count(), 2);
        QCOMPARE(hits.Items(0)->Id, QStringLiteral("A"));
        QCOMPARE(hits.Items(0)->RecNo, 1);
        QCOMPARE(hits.Items(1)->Id, QStringLiteral("B"));
        db.FindAddressByAddrGrp(QString(), hits);
        QCOMPARE(hits.Count(), 2);
    }

    // The index must give exactly what reading every row gives.
    void indexAgreesWithTheFullScan() {
        const QStringList vocabulary{
            "Müller",  "Mueller", "MÜLLER", "Straße",  "Strasse", "Bäckerei", "AG",  "ag",
            "GmbH",    "&",       "<b>",    "\"x\"",   "'",       "Öl",       "ß",   "Weiß",
            "Co.",     "KG",      "Meier",  "Maier",   "Berlin",  "Köln",     "Süd", "Süßwaren",
            "e.K.",    "1",       "10115",  "Tel.",    "a",       "Ü",        "ÄÖÜ", "Agentur",
            "Schmidt", "Schmitt", "Haus",   "Hausbau", "x",       "Nord-Süd", "Zoë", "Ærø"};
        QRandomGenerator random(4242);
        const auto words = [&](int most) {
            QStringList picked;
            const int count = int(random.bounded(most)) + 1;
            for (int i = 0; i < count; ++i)
                picked.append(vocabulary[random.bounded(int(vocabulary.size()))]);
            return picked.join(QLatin1Char(' '));
        };
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("TEST"));
        for (int i = 0; i < 2000; ++i) {
            Row row;
            row.id = QStringLiteral("K%1").arg(random.bounded(100000), 5, 10, QLatin1Char('0'));
            row.display = words(4);
            row.wvTxt = random.bounded(3) == 0 ? words(2) : QString();
            row.info = random.bounded(2) == 0 ? words(6) : QString();
            row.anschrift = random.bounded(2) == 0 ? words(3) : QString();
            if (random.bounded(4) == 0) row.marks = words(2).split(QLatin1Char(' '));
            saveRow(db, row);
        }
        db.Unlock(lock);
        const std::unique_ptr<TStoreTextIndex> index = addresssearch::MakeIndex(*db.AddressTable());
        QVERIFY(index->Exists());
        // Every row's haystack made once, as the scan makes it, for the query-by-query check.
        std::vector<std::pair<qint64, QByteArray>> hays;
        kwpstore::Statement rows(db.AddressTable()->connection(),
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
            if (random.bounded(5) == 0) query += QStringLiteral(" .") + words(1);
            const QList<QByteArray> needles = addresssearch::SplitSearchText(query);
            TStoreRowIds expected;
            for (const auto& [row, hay] : hays)
                if (TStoreTextIndex::ContainsAll(hay, needles)) expected.push_back(row);
            const QList<qint64> indexed = sortedRows(index->Find(needles));
            QVERIFY2(indexed == sortedRows(expected), qPrintable(query));
            if (!indexed.isEmpty()) ++nonEmpty;
        }
        QVERIFY(nonEmpty > 400);
        const QList<QByteArray> sample =
            addresssearch::SplitSearchText(QStringLiteral("müller .ag"));
        QCOMPARE(sortedRows(index->Scan(sample)), sortedRows(index->Find(sample)));
    }

    void tableWithoutIndexIsSearchedToo() {
        QTemporaryDir dir;
        {
            TDBAdress db;
            db.OpenDirectory(dir.path(), false, false);
            for (const Row& row : exampleRows()) saveRow(db, row);
            // As an older program left it: no index, no list, no triggers.
            kwpstore::Connection& connection = db.AddressTable()->connection();
            for (const char* sql :
                 {"DROP TRIGGER \"ADDRESS$INDEX_AI\"", "DROP TRIGGER \"ADDRESS$INDEX_AU\"",
                  "DROP TRIGGER \"ADDRESS$INDEX_AD\"", "DROP TABLE \"ADDRESS$TRIGRAMS\"",
                  "DROP TABLE \"ADDRESS$LIST\""})
                connection.exec(QString::fromLatin1(sql));
            QVERIFY(!addresssearch::MakeIndex(*db.AddressTable())->Exists());
            QCOMPARE(foundIds(db, QStringLiteral("MEIER .AG")), (QStringList{"K1", "K3"}));
            saveRow(db, {"K8", "Meier AG Nord", "", "", "", {}});
        }
        TDBAdress reader;
        reader.OpenDirectory(dir.path(), false, true);
        QVERIFY(!addresssearch::MakeIndex(*reader.AddressTable())->Exists());
        QCOMPARE(foundIds(reader, QStringLiteral("MEIER .AG")), (QStringList{"K1", "K3", "K8"}));
        // The next workstation that may write rebuilds it, with every row.
        TDBAdress writer;
        writer.OpenDirectory(dir.path(), false, false);
        QVERIFY(addresssearch::MakeIndex(*writer.AddressTable())->Exists());
        QCOMPARE(foundIds(writer, QStringLiteral("MEIER .AG")), (QStringList{"K1", "K3", "K8"}));
    }

    void anotherWorkstationsRowsAreFoundAtOnce() {
        QTemporaryDir dir;
        TDBAdress searcher;
        searcher.OpenDirectory(dir.path(), false, false);
        for (const Row& row : exampleRows()) saveRow(searcher, row);
        constexpr int count = 60;
        QProcess worker;
        worker.start(
            QStringLiteral(KWP_ADRESSWORKER_PATH),
            {QStringLiteral("save"), dir.path(), QStringLiteral("Z"), QString::number(count)});
        QVERIFY(worker.waitForStarted(10000));
        int lastSaved = 0;
        while (lastSaved < count) {
            if (!worker.canReadLine() && !worker.waitForReadyRead(60000)) break;
            while (worker.canReadLine()) {
                const QByteArray line = worker.readLine().trimmed();
                QVERIFY(line.startsWith("saved "));
                lastSaved = line.mid(6).toInt();
            }
            // Everything the other one has saved so far is found, without a refresh.
            const QStringList found = foundIds(searcher, QStringLiteral("zweitplatz"));
            QVERIFY2(found.size() >= lastSaved, qPrintable(found.join(',')));
            QVERIFY(!found.contains(QStringLiteral("<wrong RecNo>")));
            QCOMPARE(foundIds(searcher, QStringLiteral(".AG")), (QStringList{"K1", "K3"}));
        }
        QVERIFY(worker.waitForFinished(60000));
        QCOMPARE(worker.exitCode(), 0);
        QCOMPARE(foundIds(searcher, QStringLiteral("zweitplatz müller")).size(), count);
        QCOMPARE(searcher.GetRecordCount(), count + 7);
        const QList<QByteArray> needles = addresssearch::SplitSearchText(QStringLiteral("STRASSE"));
        const std::unique_ptr<TStoreTextIndex> index =
            addresssearch::MakeIndex(*searcher.AddressTable());
        QCOMPARE(sortedRows(index->Find(needles)), sortedRows(index->Scan(needles)));
    }

    // Any SQLite client reads and writes the table without this program's functions; the next
    // search finds what it wrote, exactly as reading every row finds it.
    void plainSqliteClientsReadAndWrite() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        for (const Row& row : exampleRows()) saveRow(db, row);
        sqlite3* client = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(dir.filePath("ADDRESS.DAT")).constData(),
                                 &client, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        const auto run = [client](const char* sql) {
            char* error = nullptr;
            const int rc = sqlite3_exec(client, sql, nullptr, nullptr, &error);
            const QString message = QString::fromUtf8(error ? error : "");
            sqlite3_free(error);
            return rc == SQLITE_OK ? QString() : message;
        };
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
        const std::unique_ptr<TStoreTextIndex> index = addresssearch::MakeIndex(*db.AddressTable());
        const QList<QByteArray> needles = addresssearch::SplitSearchText(QStringLiteral("müller"));
        for (const auto& [sql, expected] : steps) {
            QCOMPARE(run(sql), QString());
            QCOMPARE(foundIds(db, QStringLiteral("müller")), expected);
            QCOMPARE(sortedRows(index->Find(needles)), sortedRows(index->Scan(needles)));
        }
        // The program's next save derives the other client's rows as well.
        saveRow(db, {"K10", "Müller-Lüdenscheidt", "", "", "", {}});
        QCOMPARE(foundIds(db, QStringLiteral("müller")), (QStringList{"K10", "K5"}));
        sqlite3_close(client);
    }

    // Files of earlier versions declared a collation and trigger functions of their own; the
    // first workstation that may write makes them plain SQLite files, keeping every row.
    void tablesOfEarlierVersionsBecomePlainSqlite() {
        QTemporaryDir dir;
        sqlite3* old = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(dir.filePath("ADDRESS.DAT")).constData(), &old),
                 SQLITE_OK);
        sqlite3_create_collation(old, "KWPTEXT", SQLITE_UTF8, nullptr,
                                 [](void*, int a, const void* x, int b, const void* y) {
                                     return std::memcmp(x, y, size_t(std::min(a, b)));
                                 });
        QCOMPARE(sqlite3_exec(
                     old,
                     "CREATE TABLE ADDRESS (ID VARCHAR(20) COLLATE KWPTEXT NOT NULL DEFAULT '', "
                     "DISPLAYTXT VARCHAR(255) COLLATE KWPTEXT NOT NULL DEFAULT '', ADDRGRP "
                     "VARCHAR(50) COLLATE KWPTEXT NOT NULL DEFAULT '', CREATED DATETIME NOT NULL "
                     "DEFAULT 0, CREATEDBY VARCHAR(20) COLLATE KWPTEXT, CHANGED DATETIME NOT NULL "
                     "DEFAULT 0, CHANGEDBY VARCHAR(20) COLLATE KWPTEXT, IDFORWARD VARCHAR(20) "
                     "COLLATE KWPTEXT NOT NULL DEFAULT '', WV DATETIME, WVTXT VARCHAR(40) COLLATE "
                     "KWPTEXT, WVUSER VARCHAR(20) COLLATE KWPTEXT, XMLDATA TEXT COLLATE KWPTEXT, "
                     "CHARACT TEXT COLLATE KWPTEXT);"
                     "CREATE UNIQUE INDEX \"ADDRESS$ADDRESSID\" ON ADDRESS (ID);"
                     "INSERT INTO ADDRESS (ID, DISPLAYTXT, XMLDATA) VALUES ('b2', 'Zwei', "
                     "'<kundenadr/>'), ('A1', 'Eins Müller', '<kundenadr/>');"
                     "CREATE TRIGGER \"ADDRESS$SEARCH_AI\" AFTER INSERT ON ADDRESS BEGIN "
                     "SELECT KWP_HAYA(new.ID); END;",
                     nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(old);
        {
            TDBAdress db;
            db.OpenDirectory(dir.path(), false, false);
            saveRow(db, {"C3", "Drei Müller", "", "", "", {}});
            // Case-insensitive order, as before.
            QCOMPARE(foundIds(db, QStringLiteral("müller")), (QStringList{"A1", "C3"}));
            QCOMPARE(foundIds(db, QStringLiteral("zwei")), QStringList{"b2"});
        }
        sqlite3* plain = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(dir.filePath("ADDRESS.DAT")).constData(), &plain),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(plain,
                              "INSERT INTO ADDRESS (ID, DISPLAYTXT) VALUES ('D4', 'Vier');"
                              "SELECT * FROM ADDRESS ORDER BY ID",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(plain);
    }
};

KWP_REGISTER_TEST(TestDBAdressSearch)
#include "tst_dbadresssearch.moc"
