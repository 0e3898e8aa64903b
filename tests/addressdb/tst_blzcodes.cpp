#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/blzcodes.h"
#include "persistence/storequery.h"
#include "testsupport.h"

namespace {

struct BlzRow {
    const char* blz;
    const char* institut;
    const char* shortName;
    const char* zip;
    const char* city;
    const char* bic;
};

const BlzRow blzRows[] = {
    {"10020030", "Spreebank Berlin", "Spreebank Berlin", "10117", "Berlin", "SPRBDEB1XXX"},
    {"37050198", "Stadtsparkasse Köln-Deutz", "Stadtspk Köln-Deutz", "50679", "Köln",
     "COKSDE33XXX"},
    // Two rows for one code, as after a merger of two banks.
    {"70020270", "Isartaler Bank AG", "Isartaler Bank", "80331", "München", "ISTBDEMMXXX"},
    {"70020270", "Würmtaler Bank AG", "Würmtaler Bank", "82131", "Gauting", ""},
    {"86055592", "Sparkasse Leipziger Land", "Spk Leipziger Land", "04109", "Leipzig",
     "WELADE8LXXX"},
};

void fillBlzDatabase(const QString& etc) {
    TDBBLZCodes database({}, etc);
    database.OpenDefault(false);
    TStoreTable& table = *database.BLZCodes;
    for (const BlzRow& row : blzRows) {
        table.Append();
        table.FieldByName(QStringLiteral("BLZ")).SetAsString(QString::fromUtf8(row.blz));
        table.FieldByName(QStringLiteral("INSTITUT")).SetAsString(QString::fromUtf8(row.institut));
        table.FieldByName(QStringLiteral("INSTITUTSHORT"))
            .SetAsString(QString::fromUtf8(row.shortName));
        table.FieldByName(QStringLiteral("ZIP")).SetAsString(QString::fromUtf8(row.zip));
        table.FieldByName(QStringLiteral("CITY")).SetAsString(QString::fromUtf8(row.city));
        table.FieldByName(QStringLiteral("BIC")).SetAsString(QString::fromUtf8(row.bic));
        table.Post();
    }
}

// "INSTITUTSHORT|CITY|ZIP|BIC|INSTITUT" for every row of the query.
QStringList blzQueryRows(TStoreQuery& query) {
    QStringList rows;
    for (query.First(); !query.Eof(); query.Next()) {
        QStringList values;
        for (const char* name : {"INSTITUTSHORT", "CITY", "ZIP", "BIC", "INSTITUT"})
            values.append(query.FieldByName(QString::fromLatin1(name)).AsString());
        rows.append(values.join(QLatin1Char('|')));
    }
    return rows;
}

}  // namespace

class TestBlzCodes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookup_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("query");
        QTest::addColumn<QStringList>("rows");
        const QStringList spreebank{"Spreebank Berlin|Berlin|10117|SPRBDEB1XXX|Spreebank Berlin"};
        QTest::newRow("eight digits") << "10020030" << true << spreebank;
        QTest::newRow("blank inside") << "100 200 30" << true << spreebank;
        QTest::newRow("blanks around") << " 10020030 " << true << spreebank;
        QTest::newRow("umlauts") << "37050198" << true
                                 << QStringList{
                                        "Stadtspk Köln-Deutz|Köln|50679|COKSDE33XXX|"
                                        "Stadtsparkasse Köln-Deutz"};
        QTest::newRow("leading zero of the postcode kept")
            << "86055592" << true
            << QStringList{"Spk Leipziger Land|Leipzig|04109|WELADE8LXXX|Sparkasse Leipziger Land"};
        QTest::newRow("every bank of a shared code")
            << "70020270" << true
            << QStringList{"Isartaler Bank|München|80331|ISTBDEMMXXX|Isartaler Bank AG",
                           "Würmtaler Bank|Gauting|82131||Würmtaler Bank AG"};
        QTest::newRow("unknown code") << "99999999" << true << QStringList{};
        // Pasted into the text, this would select every row.
        QTest::newRow("quote cannot change the query") << "'OR'1'>'" << true << QStringList{};
        QTest::newRow("seven digits") << "1002003" << false << QStringList{};
        QTest::newRow("seven digits and a blank") << "1002003 " << false << QStringList{};
        QTest::newRow("nine digits") << "100200300" << false << QStringList{};
        QTest::newRow("empty") << "" << false << QStringList{};
    }
    void lookup() {
        QFETCH(QString, code);
        QFETCH(bool, query);
        QFETCH(QStringList, rows);
        QTemporaryDir dir;
        fillBlzDatabase(dir.path());
        // Any dialog here (a reported database error) fails the test.
        ScriptedDialogs dialogs;
        TDBBLZCodes database({}, dir.path());
        std::unique_ptr<TStoreQuery> result = database.Lookup(code);
        QCOMPARE(bool(result), query);
        if (result) {
            QVERIFY(result->Active());
            QCOMPARE(blzQueryRows(*result), rows);
        }
    }

    void lookupUsesTheOpenDatabase() {
        QTemporaryDir dir;
        fillBlzDatabase(dir.path());
        TDBBLZCodes database({}, dir.path());
        database.OpenDefault(true);
        QVERIFY(database.IsOpen());
        std::unique_ptr<TStoreQuery> result = database.Lookup(QStringLiteral("10020030"));
        QVERIFY(result);
        QCOMPARE(result->FieldByName(QStringLiteral("BIC")).AsString(),
                 QStringLiteral("SPRBDEB1XXX"));
    }

    void missingDatabaseIsReported() {
        QTemporaryDir dir;
        {
            ScriptedDialogs dialogs;
            dialogs.answer(mrOk);
            TDBBLZCodes database({}, dir.path());
            QVERIFY(!database.Lookup(QStringLiteral("10020030")));
            QCOMPARE(dialogs.texts().size(), 1);
            const QString text = dialogs.texts().constFirst();
            QVERIFY2(text.startsWith(QStringLiteral("Datenbankfehler.\nTDBBLZCodes.Lookup")),
                     qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("BLZCODES.TDBD")), qPrintable(text));
        }
        // A caller's callback gets the context instead.
        QStringList contexts;
        TDBBLZCodes database(
            [&contexts](const std::exception&, const QString& context) { contexts << context; },
            dir.path());
        QVERIFY(!database.Lookup(QStringLiteral("10020030")));
        QCOMPARE(contexts, QStringList{QStringLiteral("TDBBLZCodes.Lookup")});
        // Looking never creates the database.
        QVERIFY(!QFile::exists(database.FileName()));
        QVERIFY_THROWS_EXCEPTION(EStoreError, database.OpenDefault(true));
        QVERIFY(!QFile::exists(database.FileName()));
    }

    void columnsHoldTheirFullWidth_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("size");
        QTest::newRow("BLZ") << "BLZ" << 8;
        QTest::newRow("INSTITUT") << "INSTITUT" << 58;
        QTest::newRow("INSTITUTSHORT") << "INSTITUTSHORT" << 20;
        QTest::newRow("ZIP") << "ZIP" << 5;
        QTest::newRow("CITY") << "CITY" << 29;
        QTest::newRow("BIC") << "BIC" << 11;
    }
    void columnsHoldTheirFullWidth() {
        QFETCH(QString, column);
        QFETCH(int, size);
        QTemporaryDir dir;
        TDBBLZCodes database({}, dir.path());
        database.OpenDefault(false);
        TStoreTable& table = *database.BLZCodes;
        table.Append();
        for (const char* name : {"BLZ", "INSTITUT", "INSTITUTSHORT", "ZIP", "CITY", "BIC"})
            table.FieldByName(QString::fromLatin1(name)).SetAsString(QStringLiteral("1"));
        table.FieldByName(column).SetAsString(QString(size, u'Ä'));
        QVERIFY_THROWS_EXCEPTION(EStoreError,
                                 table.FieldByName(column).SetAsString(QString(size + 1, u'Ä')));
        table.Post();
        table.First();
        QCOMPARE(table.FieldByName(column).AsString(), QString(size, u'Ä'));
        // Every column is required.
        table.Append();
        QVERIFY_THROWS_EXCEPTION(EStoreError, table.Post());
        table.Cancel();
    }
};

KWP_REGISTER_TEST(TestBlzCodes)
#include "tst_blzcodes.moc"
