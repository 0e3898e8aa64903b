#include <QtTest>

#include "persistence/storedatabase.h"
#include "persistence/storequery.h"
#include "persistence/storetable.h"
#include "testsupport.h"

namespace {

// Creates a journal table file in a directory database and fills it. Columns are
// "NAME TYPE [SIZE]" with the types S(tring), D(ate), I(nteger), N (small int), F(loat).
void createJournal(const QString& dir, const QString& name, const QStringList& columns,
                   const QList<QVariantList>& rows) {
    static const int types[] = {sftString, sftDateTime, sftInteger, sftSmallInt, sftFloat};
    TStoreDatabase database;
    database.SetLocation(dir);
    TStoreTable table(&database);
    table.SetTableName(name);
    for (const QString& column : columns) {
        const QStringList parts = column.split(' ');
        table.FieldDefs().Add(parts[0], types[QString("SDINF").indexOf(parts[1])],
                              parts.value(2).toInt());
    }
    table.CreateTable();
    table.Open();
    for (const QVariantList& row : rows) {
        table.Append();
        for (int i = 0; i < row.size(); ++i) table.Fields(i).SetValue(row[i]);
        table.Post();
    }
}

QStringList firstColumn(TStoreQuery& query) {
    QStringList values;
    for (query.First(); !query.Eof(); query.Next()) values.append(query.Fields(0).AsString());
    return values;
}

}  // namespace

class TestStoreQuery : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The purchase-order text: the address number is BestellAdr without its last three
    // characters; quoted names, AND/OR and descending order as the journals use them.
    void journalQueriesRunAsWritten() {
        QTemporaryDir dir;
        createJournal(dir.path(), "BESTELL",
                      {"BestellNr S 20", "BestellAdr S 30", "Anzeigetext S 80", "Datum D",
                       "CREATED D", "Stadium I", "Netto F"},
                      {{"B1", "K0001201A", "Holz", 45000.0, 45000.5, 1, 10.0},
                       {"B2", "K00012", "Nägel", 45001.0, 45001.0, 2, 20.0},
                       {"B3", "K0001202B", "Leim", 45002.0, 45002.0, 5, 30.5},
                       {"B4", "K1", "Farbe", 45003.0, 45003.0, 3, 40.0}});
        createJournal(dir.path(), "001KOMMJOURNAL",
                      {"ID S 20", "ADRESSID S 20", "EDITSTATUS N", "CREATED D"},
                      {{"C1", "K00012", 2, 1.0},
                       {"C2", "K00012", 3, 2.0},
                       {"C3", "K00012", 7, 3.0},
                       {"C4", "K00099", 2, 4.0}});
        TStoreQuery query;
        query.SetDatabaseName(dir.path());
        query.SetSQL(
            "SELECT BestellNr,Anzeigetext,Datum,CREATED,Stadium,Netto FROM BESTELL WHERE "
            "SUBSTRING(BestellAdr FROM 1 FOR CHAR_LENGTH(BestellAdr)-3) = ? ORDER BY CREATED "
            "DESC");
        query.AddParam("K00012");
        query.Open();
        QCOMPARE(firstColumn(query), (QStringList{"B3", "B1"}));
        query.First();
        QCOMPARE(query.FieldByName("created").AsDateTime(), 45002.0);
        QCOMPARE(query.FieldByName("Netto").AsCurrency(), 30.5);

        query.SetParams({"K00012"});
        query.SetSQL(
            "SELECT ID,ADRESSID,CREATED FROM \"001KOMMJOURNAL\" WHERE(ADRESSID = ?) AND "
            "((EDITSTATUS = 2) OR (EDITSTATUS = 4) OR (EDITSTATUS = 5) OR (EDITSTATUS = 7)) "
            "ORDER BY CREATED DESC");
        query.Open();
        QCOMPARE(firstColumn(query), (QStringList{"C3", "C1"}));
    }

    void userValuesAreBoundNotPasted() {
        QTemporaryDir dir;
        createJournal(dir.path(), "RGJOURNAL", {"RGNR S 20", "ADRESSID S 20", "RGBRUTTO F"},
                      {{"R1", "O'NEIL", 119.0}, {"R2", "X' OR '1'='1", 1.0}, {"R3", "K1", 2.0}});
        TStoreQuery query;
        query.SetDatabaseName(dir.path());
        query.SetSQL("SELECT RGNR,RGBRUTTO FROM RGJOURNAL WHERE ADRESSID = ?");
        query.SetParams({"O'NEIL"});
        query.Open();
        QCOMPARE(firstColumn(query), QStringList{"R1"});
        QCOMPARE(query.FieldByName("RGBRUTTO").AsCurrency(), 119.0);
        query.SetParams({"X' OR '1'='1"});
        query.Open();
        QCOMPARE(firstColumn(query), QStringList{"R2"});
    }

    void failuresAreReported() {
        QTemporaryDir dir;
        createJournal(dir.path(), "J", {"A S 5"}, {{"x"}});
        const char* const rows[][2] = {{"SELECT * FROM GIBTESNICHT", "GIBTESNICHT"},
                                       {"SELECT * FROM J WHERE A = 'O'NEIL'", "Anführungszeichen"},
                                       {"SELECT A FROM J", "\"B\""}};  // unknown result field
        for (const auto& [sql, message] : rows) {
            TStoreQuery query;
            query.SetDatabaseName(dir.path());
            query.SetSQL(sql);
            try {
                query.Open();
                query.FieldByName("B");
                QFAIL("no error");
            } catch (const EStoreError& e) {
                QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            }
        }
    }
};

KWP_REGISTER_TEST(TestStoreQuery)
#include "tst_storequery.moc"
