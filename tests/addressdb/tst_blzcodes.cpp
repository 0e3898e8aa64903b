#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/blzcodes.h"
#include "app/errorreport.h"
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

// The sample of the central bank's format.
QString bankSampleFile() {
    return QStringLiteral(KWP_TEST_DATA_DIR "/blz_sample.txt");
}

// One line of the central bank's file, 168 characters.
QString bankLine(const QString& blz, const QString& flag, const QString& name, const QString& zip,
                 const QString& city, const QString& shortName, const QString& bic) {
    return blz + flag + name.leftJustified(58) + zip.leftJustified(5) + city.leftJustified(35) +
           shortName.leftJustified(27) + QStringLiteral("12345") + bic.leftJustified(11) +
           QStringLiteral("09000001U000000000");
}

QString goodLine() {
    return bankLine(QStringLiteral("60050101"), QStringLiteral("1"),
                    QStringLiteral("Landesbank Schwaben"), QStringLiteral("70173"),
                    QStringLiteral("Stuttgart"), QStringLiteral("LB Schwaben"),
                    QStringLiteral("LBSWDESTXXX"));
}

// An ETC folder for the imported database; the files to import lie beside it.
struct BankFolder {
    QTemporaryDir dir;
    QString etc = dir.path() + QStringLiteral("/ETC/");
    BankFolder() { QDir().mkpath(etc); }
    QString database() const { return etc + QStringLiteral("BLZCODES.TDBD"); }
};

TBLZImport importBanks(const BankFolder& folder, const QString& fileName) {
    return TDBBLZCodes::ImportBundesbankFile(fileName, folder.database());
}

QString importError(const BankFolder& folder, const QString& fileName) {
    try {
        importBanks(folder, fileName);
    } catch (const EKwpError& error) {
        return error.message();
    }
    return QStringLiteral("<kein Fehler>");
}

// "INSTITUTSHORT|CITY|ZIP|BIC|INSTITUT" of every bank of the code.
QStringList banksOf(const QString& etc, const QString& code) {
    TDBBLZCodes database({}, etc);
    std::unique_ptr<TStoreQuery> query = database.Lookup(code);
    return query ? blzQueryRows(*query) : QStringList{QStringLiteral("<keine Abfrage>")};
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

    void importTakesTheBanksWithFlagOne_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("banks");
        QTest::newRow("main office, branch line left out")
            << "10020030"
            << QStringList{"Spreebank Berlin|Berlin|10117|SPRBDEB1XXX|Spreebank Berlin"};
        QTest::newRow("Latin-1 umlauts, short name cut to 20")
            << "37050198"
            << QStringList{"Stadtsparkasse Köln-|Köln|50679|COKSDE33XXX|Stadtsparkasse Köln-Deutz"};
        // The name fills its 58 columns; the file itself cut the bank's longer name.
        QTest::newRow("full-width name, town cut to 29")
            << "54651240"
            << QStringList{
                   "Spk Rhein-Haardt Neu|Neustadt an der Weinstraße-Ha|67433|MALADE51DKH|"
                   "Sparkasse Rhein-Haardt, Zweigstelle Neustadt an der Weinst"};
        QTest::newRow("leading zero of the postcode")
            << "86055592"
            << QStringList{"Spk Leipziger Land|Leipzig|04109|WELADE8LXXX|Sparkasse Leipziger Land"};
        QTest::newRow("line of 150 characters without BIC")
            << "50010517"
            << QStringList{
                   "Mainbank Frankfurt|Frankfurt am Main|60311||Mainbank "
                   "Frankfurt AG"};
        QTest::newRow("umlauts in every column")
            << "72069329"
            << QStringList{
                   "Raiba Höchstädt|Höchstädt a.d.Donau|89420|GENODEF1HCW|"
                   "Raiffeisenbank Höchstädt-Wertingen eG"};
        QTest::newRow("code with branch lines only") << "12345678" << QStringList{};
    }

    void importTakesTheBanksWithFlagOne() {
        QFETCH(QString, code);
        QFETCH(QStringList, banks);
        BankFolder installation;
        const TBLZImport result = importBanks(installation, bankSampleFile());
        QCOMPARE(result.banks, 6);
        QCOMPARE(result.shortNames, 2);
        QCOMPARE(result.cities, 1);
        QCOMPARE(banksOf(installation.etc, code), banks);
    }

    void utf8CopyGivesTheSameBanks() {
        BankFolder installation;
        const QByteArray latin1 = ReadFileBytes(bankSampleFile());
        const QString copy = installation.dir.filePath(QStringLiteral("blz_utf8.txt"));
        WriteFileBytes(copy, QString::fromLatin1(latin1).toUtf8());
        QCOMPARE(importBanks(installation, copy).banks, 6);
        QCOMPARE(banksOf(installation.etc, QStringLiteral("72069329")),
                 QStringList{"Raiba Höchstädt|Höchstädt a.d.Donau|89420|GENODEF1HCW|"
                             "Raiffeisenbank Höchstädt-Wertingen eG"});
    }

    void badLineFailsTheImportAndKeepsTheCodes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const QString good = goodLine();
        QTest::newRow("line too short")
            << good.left(139) << "Zeile 2: zu kurz (139 statt mindestens 150 Zeichen).";
        QTest::newRow("code with a blank")
            << QString(good).replace(4, 1, u' ')
            << "Zeile 2: die Bankleitzahl \"6005 101\" besteht nicht aus 8 Ziffern.";
        // Seven digits shift every column: the flag moves into the code, the name into the flag.
        QTest::newRow("seven-digit code")
            << good.mid(1) + u' ' << "Zeile 2: das Merkmal \"L\" ist weder 1 noch 2.";
        QTest::newRow("letters in the code")
            << QString(good).replace(0, 2, QStringLiteral("DE"))
            << "Zeile 2: die Bankleitzahl \"DE050101\" besteht nicht aus 8 Ziffern.";
        QTest::newRow("unknown flag") << QString(good).replace(8, 1, u'3')
                                      << "Zeile 2: das Merkmal \"3\" ist weder 1 noch 2.";
        QTest::newRow("no name") << QString(good).replace(9, 58, QString(58, u' '))
                                 << "Zeile 2: die Bezeichnung fehlt.";
        QTest::newRow("postcode with a letter")
            << QString(good).replace(67, 5, QStringLiteral("7017A"))
            << "Zeile 2: die Postleitzahl \"7017A\" ist ungültig.";
        QTest::newRow("four-digit postcode")
            << QString(good).replace(67, 5, QStringLiteral("7017 "))
            << "Zeile 2: die Postleitzahl \"7017\" ist ungültig.";
        QTest::newRow("no town") << QString(good).replace(72, 35, QString(35, u' '))
                                 << "Zeile 2: der Ort fehlt.";
        QTest::newRow("PAN with letters") << QString(good).replace(134, 5, QStringLiteral("12A45"))
                                          << "Zeile 2: die PAN \"12A45\" ist ungültig.";
        QTest::newRow("BIC too short")
            << QString(good).replace(139, 11, QStringLiteral("LBSWDE     "))
            << "Zeile 2: der BIC \"LBSWDE\" ist ungültig.";
        QTest::newRow("BIC in lower case")
            << QString(good).replace(139, 11, QStringLiteral("lbswdestxxx"))
            << "Zeile 2: der BIC \"lbswdestxxx\" ist ungültig.";
    }

    void badLineFailsTheImportAndKeepsTheCodes() {
        QFETCH(QString, line);
        QFETCH(QString, message);
        BankFolder installation;
        QCOMPARE(importBanks(installation, bankSampleFile()).banks, 6);
        const QByteArray before = ReadFileBytes(installation.database());

        const QString file = installation.dir.filePath(QStringLiteral("blz_bad.txt"));
        WriteFileBytes(
            file, (goodLine() + QStringLiteral("\r\n") + line + QStringLiteral("\r\n")).toLatin1());
        const QString error = importError(installation, file);
        QCOMPARE(error, QStringLiteral("Die Bankleitzahlendatei \"") + file +
                            QStringLiteral("\" enthält fehlerhafte Zeilen, es wurde nichts "
                                           "übernommen:\n") +
                            message);
        QCOMPARE(ReadFileBytes(installation.database()), before);
        QCOMPARE(banksOf(installation.etc, QStringLiteral("60050101")), QStringList{});
        QCOMPARE(banksOf(installation.etc, QStringLiteral("10020030")).size(), 1);
        QVERIFY(!QFile::exists(installation.database() + QStringLiteral(".NEU")));
    }

    void manyBadLinesAreCounted() {
        BankFolder installation;
        QString text;
        for (int i = 0; i < 13; ++i) text += QStringLiteral("kaputt\n");
        const QString file = installation.dir.filePath(QStringLiteral("blz_bad.txt"));
        WriteFileBytes(file, text.toLatin1());
        const QStringList lines = importError(installation, file).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.at(1), QStringLiteral("Zeile 1: zu kurz (6 statt mindestens 150 Zeichen)."));
        QCOMPARE(lines.at(10),
                 QStringLiteral("Zeile 10: zu kurz (6 statt mindestens 150 Zeichen)."));
        QCOMPARE(lines.at(11), QStringLiteral("... und 3 weitere."));
        QVERIFY(!QFile::exists(installation.database()));
    }

    void fileWithoutBanksIsRefused_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("blank lines") << QByteArray("\r\n  \r\n\n");
        QTest::newRow("branches only")
            << (QString(goodLine()).replace(8, 1, u'2') + QStringLiteral("\r\n")).toLatin1();
    }

    void fileWithoutBanksIsRefused() {
        QFETCH(QByteArray, content);
        BankFolder installation;
        QCOMPARE(importBanks(installation, bankSampleFile()).banks, 6);
        const QByteArray before = ReadFileBytes(installation.database());
        const QString file = installation.dir.filePath(QStringLiteral("blz_leer.txt"));
        WriteFileBytes(file, content);
        QCOMPARE(importError(installation, file),
                 QStringLiteral("Die Bankleitzahlendatei \"") + file +
                     QStringLiteral("\" enthält keine Bank mit dem Merkmal 1, es wurde nichts "
                                    "übernommen."));
        QCOMPARE(ReadFileBytes(installation.database()), before);
    }

    void unreadableFileIsNamed() {
        BankFolder installation;
        const QString missing = installation.dir.filePath(QStringLiteral("fehlt.txt"));
        QVERIFY2(importError(installation, missing)
                     .startsWith(QStringLiteral("Kann Datei \"") + missing +
                                 QStringLiteral("\" nicht lesen: ")),
                 qPrintable(importError(installation, missing)));
        QCOMPARE(importError(installation, installation.etc),
                 QStringLiteral("Kann Datei \"") + installation.etc +
                     QStringLiteral("\" nicht lesen: ist ein Verzeichnis"));
    }

    void reimportReplacesTheCodes() {
        BankFolder installation;
        QCOMPARE(importBanks(installation, bankSampleFile()).banks, 6);
        const QString file = installation.dir.filePath(QStringLiteral("blz_neu.txt"));
        WriteFileBytes(file, (goodLine() + QStringLiteral("\r\n")).toLatin1());
        QCOMPARE(importBanks(installation, file).banks, 1);
        QCOMPARE(banksOf(installation.etc, QStringLiteral("10020030")), QStringList{});
        QCOMPARE(banksOf(installation.etc, QStringLiteral("60050101")),
                 QStringList{"LB Schwaben|Stuttgart|70173|LBSWDESTXXX|Landesbank Schwaben"});
        QCOMPARE(QDir(installation.etc).entryList(QDir::Files),
                 QStringList{QStringLiteral("BLZCODES.TDBD")});
    }
};

KWP_REGISTER_TEST(TestBlzCodes)
#include "tst_blzcodes.moc"
