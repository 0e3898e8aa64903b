#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "persistence/storedatabase.h"
#include "persistence/storequery.h"
#include "persistence/storesqltext.h"
#include "persistence/storetable.h"
#include "testsupport.h"

namespace {

struct Column {
    QString name;
    int type;
    int size;
};

// Creates a journal table file in a directory database and fills it.
void createJournal(const QString& dir, const QString& name, const QList<Column>& columns,
                   const QList<QVariantList>& rows) {
    TStoreDatabase database;
    database.SetLocation(dir);
    TStoreTable table(&database);
    table.SetTableName(name);
    for (const Column& column : columns)
        table.FieldDefs().Add(column.name, column.type, column.size);
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
    void translatesTheSuitesSql_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("substring from for")
            << "SELECT x FROM T WHERE SUBSTRING(A FROM 1 FOR CHAR_LENGTH(A)-3) = ?"
            << "SELECT x FROM T WHERE substr(A, 1, CHAR_LENGTH(A)-3) = ?";
        QTest::newRow("without for") << "SELECT SUBSTRING(A FROM 2) FROM T"
                                     << "SELECT substr(A, 2) FROM T";
        QTest::newRow("nested and lower case")
            << "select substring(substring(A from 2 for 5) from 1 for 2) from T"
            << "select substr(substr(A, 2, 5), 1, 2) from T";
        QTest::newRow("inside a text untouched") << "SELECT 'SUBSTRING(A FROM 1 FOR 2)' FROM T"
                                                 << "SELECT 'SUBSTRING(A FROM 1 FOR 2)' FROM T";
        QTest::newRow("plain function call kept") << "SELECT SUBSTRING(A, 1, 2) FROM T"
                                                  << "SELECT SUBSTRING(A, 1, 2) FROM T";
    }
    void translatesTheSuitesSql() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(kwpstore::TranslateSql(sql), expected);
    }

    // The purchase-order text: the address number is BestellAdr without its last three
    // characters; quoted names, AND/OR and descending order as the journals use them.
    void journalQueriesRunAsWritten() {
        QTemporaryDir dir;
        createJournal(dir.path(), QStringLiteral("BESTELL"),
                      {{"BestellNr", sftString, 20},
                       {"BestellAdr", sftString, 30},
                       {"Anzeigetext", sftString, 80},
                       {"Datum", sftDateTime, 0},
                       {"CREATED", sftDateTime, 0},
                       {"Stadium", sftInteger, 0},
                       {"Netto", sftFloat, 0}},
                      {{"B1", "K0001201A", "Holz", 45000.0, 45000.5, 1, 10.0},
                       {"B2", "K00012", "Nägel", 45001.0, 45001.0, 2, 20.0},
                       {"B3", "K0001202B", "Leim", 45002.0, 45002.0, 5, 30.5},
                       {"B4", "K1", "Farbe", 45003.0, 45003.0, 3, 40.0}});
        createJournal(dir.path(), QStringLiteral("001KOMMJOURNAL"),
                      {{"ID", sftString, 20},
                       {"ADRESSID", sftString, 20},
                       {"EDITSTATUS", sftSmallInt, 0},
                       {"CREATED", sftDateTime, 0}},
                      {{"C1", "K00012", 2, 1.0},
                       {"C2", "K00012", 3, 2.0},
                       {"C3", "K00012", 7, 3.0},
                       {"C4", "K00099", 2, 4.0}});
        TStoreQuery query;
        query.SetDatabaseName(dir.path());
        query.SetSQL(QStringLiteral(
            "SELECT BestellNr,Anzeigetext,Datum,CREATED,Stadium,Netto FROM BESTELL WHERE "
            "SUBSTRING(BestellAdr FROM 1 FOR CHAR_LENGTH(BestellAdr)-3) = ? ORDER BY CREATED "
            "DESC"));
        query.AddParam(QStringLiteral("K00012"));
        query.Open();
        QCOMPARE(firstColumn(query), (QStringList{QStringLiteral("B3"), QStringLiteral("B1")}));
        query.First();
        QCOMPARE(query.FieldByName(QStringLiteral("created")).AsDateTime(), 45002.0);
        QCOMPARE(query.FieldByName(QStringLiteral("Stadium")).AsInteger(), 5);
        QCOMPARE(query.FieldByName(QStringLiteral("Netto")).AsCurrency(), 30.5);
        QCOMPARE(query.FieldByName(QStringLiteral("Anzeigetext")).AsString(),
                 QStringLiteral("Leim"));

        query.SetParams({QStringLiteral("K00012")});
        query.SetSQL(QStringLiteral(
            "SELECT ID,ADRESSID,CREATED FROM \"001KOMMJOURNAL\" WHERE(ADRESSID = ?) AND "
            "((EDITSTATUS = 2) OR (EDITSTATUS = 4) OR (EDITSTATUS = 5) OR (EDITSTATUS = 7)) "
            "ORDER BY CREATED DESC"));
        query.Open();
        QCOMPARE(firstColumn(query), (QStringList{QStringLiteral("C3"), QStringLiteral("C1")}));
        QCOMPARE(query.RecordCount(), 2);
    }

    void userValuesAreBoundNotPasted() {
        QTemporaryDir dir;
        createJournal(
            dir.path(), QStringLiteral("RGJOURNAL"),
            {{"RGNR", sftString, 20}, {"ADRESSID", sftString, 20}, {"RGBRUTTO", sftFloat, 0}},
            {{"R1", "O'NEIL", 119.0}, {"R2", "X' OR '1'='1", 1.0}, {"R3", "K1", 2.0}});
        TStoreQuery query;
        query.SetDatabaseName(dir.path());
        query.SetSQL(QStringLiteral("SELECT RGNR,RGBRUTTO FROM RGJOURNAL WHERE ADRESSID = ?"));
        query.SetParams({QStringLiteral("O'NEIL")});
        query.Open();
        QCOMPARE(firstColumn(query), QStringList{QStringLiteral("R1")});
        QCOMPARE(query.FieldByName(QStringLiteral("RGBRUTTO")).AsCurrency(), 119.0);
        query.SetParams({QStringLiteral("X' OR '1'='1")});
        query.Open();
        QCOMPARE(firstColumn(query), QStringList{QStringLiteral("R2")});
    }

    void singleFileDatabaseIsQueried() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("BLZCODES.TDBD"));
        {
            TStoreDatabase database;
            database.SetDatabaseType(TStoreDatabase::dtFile);
            database.SetLocation(file);
            database.SetAutoCreate(true);
            TStoreTable table(&database);
            table.SetTableName(QStringLiteral("BLZCODES"));
            table.FieldDefs().Add(QStringLiteral("BLZ"), sftString, 8, true);
            table.FieldDefs().Add(QStringLiteral("INSTITUT"), sftString, 58, true);
            table.CreateTable();
            table.Open();
            table.Append();
            table.FieldByName(QStringLiteral("BLZ")).SetAsString(QStringLiteral("10020030"));
            table.FieldByName(QStringLiteral("INSTITUT"))
                .SetAsString(QStringLiteral("Bank für Öffentliche"));
            table.Post();
        }
        TStoreQuery query;
        query.SetDatabaseName(file);
        query.SetSQL(QStringLiteral("SELECT INSTITUT FROM BLZCODES WHERE BLZ = '10020030'"));
        query.Open();
        QCOMPARE(firstColumn(query), QStringList{QStringLiteral("Bank für Öffentliche")});
    }

    void failuresAreReported_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        const char* const rows[][4] = {
            {"missing database", "FEHLT", "SELECT 1", "nicht gefunden"},
            {"missing table", "", "SELECT * FROM GIBTESNICHT", "GIBTESNICHT"},
            {"pasted quote", "", "SELECT * FROM J WHERE A = 'O'NEIL'", "Anführungszeichen"},
            {"bad syntax", "", "SELEKT * FROM J", "SELEKT"},
            {"unknown result field", "", "SELECT A FROM J", "\"B\""}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3]);
    }
    void failuresAreReported() {
        QFETCH(QString, database);
        QFETCH(QString, sql);
        QFETCH(QString, message);
        QTemporaryDir dir;
        createJournal(dir.path(), QStringLiteral("J"), {{"A", sftString, 5}}, {{"x"}});
        TStoreQuery query;
        query.SetDatabaseName(database.isEmpty() ? dir.path() : dir.filePath(database));
        query.SetSQL(sql);
        try {
            query.Open();
            query.FieldByName(QStringLiteral("B"));
            QFAIL("no error");
        } catch (const EStoreError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }
};

KWP_REGISTER_TEST(TestStoreQuery)
#include "tst_storequery.moc"
