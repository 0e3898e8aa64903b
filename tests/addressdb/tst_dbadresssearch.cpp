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

QList<qint64> sortedRows(const addresssearch::RowIds& rows) {
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
        {"K6", "Straßenbau <Nord> \"eins\"", "", "Zeile & Co", "", {}},
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
        QTest::newRow("escaped characters") << "<nord>" << QStringList{"K6"};
        QTest::newRow("ampersand") << "& söhne" << QStringList{"K5"};
        // Escapes are upper case in the XML's haystack, so they match in the other one only.
        QTest::newRow("quotes") << "\"EINS\"" << QStringList{"K6"};
        QTest::newRow("mark") << "großkunde" << QStringList{"K7"};
        QTest::newRow("marks are not whole words") << ".großkunde" << QStringList{};
        QTest::newRow("short word only") << "ÖL" << QStringList{"K7"};
        QTest::newRow("number as a word") << ".k4" << QStringList{"K4"};
        QTest::newRow("no match") << "meier zzz" << QStringList{};
        QTest::newRow("blanks only") << "   " << QStringList{};
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
        TStoreTable& table = *db.AddressTable();
        QVERIFY(addresssearch::HasIndex(table));
        // The haystacks of every row, made once, for the word-by-word comparison.
        struct Hays {
            qint64 row;
            QString a, b;
        };
        std::vector<Hays> hays;
        kwpstore::Statement rows(
            table.connection(),
            QStringLiteral("SELECT rowid, ID, DISPLAYTXT, WVTXT, CHARACT, XMLDATA FROM ADDRESS"));
        while (rows.step())
            hays.push_back({rows.int64(0),
                            addresssearch::HayA(rows.value(1).toString(), rows.value(2).toString(),
                                                rows.value(3).toString(), rows.value(4).toString()),
                            addresssearch::HayB(rows.value(5).toString())});
        QCOMPARE(hays.size(), size_t(db.GetRecordCount()));
        int nonEmpty = 0;
        for (int q = 0; q < 1500; ++q) {
            QString query = words(3);
            if (random.bounded(3) == 0) query = QLatin1Char('.') + query;
            if (random.bounded(5) == 0) query += QStringLiteral(" .") + words(1);
            const QList<addresssearch::Word> split = addresssearch::SplitSearchText(query);
            addresssearch::RowIds expected;
            for (const Hays& row : hays)
                if (addresssearch::Matches(split, row.a, row.b)) expected.insert(row.row);
            const QList<qint64> indexed = sortedRows(addresssearch::FindRows(table, split));
            QVERIFY2(indexed == sortedRows(expected), qPrintable(query));
            if (!indexed.isEmpty()) ++nonEmpty;
        }
        // The plain scan of the rows agrees as well.
        const QList<addresssearch::Word> sample =
            addresssearch::SplitSearchText(QStringLiteral("müller .ag"));
        QCOMPARE(sortedRows(addresssearch::ScanRows(table, sample)),
                 sortedRows(addresssearch::FindRows(table, sample)));
        // The queries must have found something to compare.
        QVERIFY(nonEmpty > 400);
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
                 {"DROP TRIGGER \"ADDRESS$SEARCH_AI\"", "DROP TRIGGER \"ADDRESS$SEARCH_AU\"",
                  "DROP TRIGGER \"ADDRESS$SEARCH_AD\"", "DROP TABLE \"ADDRESS$SEARCH\"",
                  "DROP TABLE \"ADDRESS$LIST\""})
                connection.exec(QString::fromLatin1(sql));
            QVERIFY(!addresssearch::HasIndex(*db.AddressTable()));
            QCOMPARE(foundIds(db, QStringLiteral("MEIER .AG")), (QStringList{"K1", "K3"}));
            saveRow(db, {"K8", "Meier AG Nord", "", "", "", {}});
        }
        TDBAdress reader;
        reader.OpenDirectory(dir.path(), false, true);
        QVERIFY(!addresssearch::HasIndex(*reader.AddressTable()));
        QCOMPARE(foundIds(reader, QStringLiteral("MEIER .AG")), (QStringList{"K1", "K3", "K8"}));
        // The next workstation that may write rebuilds it, with every row.
        TDBAdress writer;
        writer.OpenDirectory(dir.path(), false, false);
        QVERIFY(addresssearch::HasIndex(*writer.AddressTable()));
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
        const QList<addresssearch::Word> words =
            addresssearch::SplitSearchText(QStringLiteral("STRASSE"));
        QCOMPARE(addresssearch::FindRows(*searcher.AddressTable(), words).size(),
                 addresssearch::ScanRows(*searcher.AddressTable(), words).size());
    }
};

KWP_REGISTER_TEST(TestDBAdressSearch)
#include "tst_dbadresssearch.moc"
