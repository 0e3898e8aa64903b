#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/blzcodes.h"
#include "addressdb/zipcodes.h"
#include "admintestsupport.h"
#include "app/errorreport.h"
#include "demodata/demolookups.h"
#include "persistence/storequery.h"
#include "setup/adminsupport.h"
#include "setup/lookupsetup.h"
#include "testsupport.h"

namespace {

// The sample of the central bank's format shared with the lookup tests.
QString bankSampleFile() {
    return QStringLiteral(KWP_TEST_DATA_DIR "/../../addressdb/data/blz_sample.txt");
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

// An installation with its ETC folder, which is all the import needs.
struct LookupInstallation {
    QTemporaryDir dir;
    TInstallationPaths paths{dir.path()};
    LookupInstallation() { QDir().mkpath(paths.etc); }
    QString database() const { return paths.etc + QStringLiteral("BLZCODES.TDBD"); }
};

// "INSTITUTSHORT|CITY|ZIP|BIC|INSTITUT" of every bank of the code.
QStringList banksOf(const QString& etc, const QString& code) {
    TDBBLZCodes database({}, etc);
    std::unique_ptr<TStoreQuery> query = database.Lookup(code);
    if (!query) return {QStringLiteral("<keine Abfrage>")};
    QStringList rows;
    for (; !query->Eof(); query->Next()) {
        QStringList values;
        for (const char* name : {"INSTITUTSHORT", "CITY", "ZIP", "BIC", "INSTITUT"})
            values.append(query->FieldByName(QString::fromLatin1(name)).AsString());
        rows.append(values.join(QLatin1Char('|')));
    }
    return rows;
}

QString importError(const LookupInstallation& installation, const QString& fileName) {
    try {
        ImportBankCodes(installation.paths, fileName, TAdminLog());
    } catch (const EKwpError& error) {
        return error.message();
    }
    return QStringLiteral("<kein Fehler>");
}

}  // namespace

class TestLookupSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TDBZIPCodes::ClearCache(); }

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
        LookupInstallation installation;
        QString out;
        QTextStream stream(&out);
        QCOMPARE(ImportBankCodes(installation.paths, bankSampleFile(), TAdminLog(&stream, nullptr)),
                 6);
        stream.flush();
        QVERIFY2(out.contains(QStringLiteral("Auf 20 Zeichen gekürzte Kurzbezeichnungen: 2")),
                 qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("Auf 29 Zeichen gekürzte Ortsnamen: 1")),
                 qPrintable(out));
        QCOMPARE(banksOf(installation.paths.etc, code), banks);
    }

    void utf8CopyGivesTheSameBanks() {
        LookupInstallation installation;
        const QByteArray latin1 = ReadFileBytes(bankSampleFile());
        const QString copy = installation.dir.filePath(QStringLiteral("blz_utf8.txt"));
        WriteFileBytes(copy, QString::fromLatin1(latin1).toUtf8());
        QCOMPARE(ImportBankCodes(installation.paths, copy, TAdminLog()), 6);
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("72069329")),
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
        LookupInstallation installation;
        QCOMPARE(ImportBankCodes(installation.paths, bankSampleFile(), TAdminLog()), 6);
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
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("60050101")), QStringList{});
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("10020030")).size(), 1);
        QVERIFY(!QFile::exists(installation.database() + QStringLiteral(".NEU")));
    }

    void manyBadLinesAreCounted() {
        LookupInstallation installation;
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
        LookupInstallation installation;
        QCOMPARE(ImportBankCodes(installation.paths, bankSampleFile(), TAdminLog()), 6);
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
        LookupInstallation installation;
        const QString missing = installation.dir.filePath(QStringLiteral("fehlt.txt"));
        QVERIFY2(importError(installation, missing)
                     .startsWith(QStringLiteral("Kann Datei \"") + missing +
                                 QStringLiteral("\" nicht lesen: ")),
                 qPrintable(importError(installation, missing)));
        QCOMPARE(importError(installation, installation.paths.etc),
                 QStringLiteral("Kann Datei \"") + installation.paths.etc +
                     QStringLiteral("\" nicht lesen: ist ein Verzeichnis"));
    }

    void importNeedsAnInstallation() {
        QTemporaryDir dir;
        const TInstallationPaths paths(dir.path() + QStringLiteral("/NIRGENDS"));
        QVERIFY_THROWS_EXCEPTION(EKwpError, ImportBankCodes(paths, bankSampleFile(), TAdminLog()));
        QVERIFY(!QFile::exists(paths.etc));
    }

    void reimportReplacesTheCodes() {
        LookupInstallation installation;
        QCOMPARE(ImportBankCodes(installation.paths, bankSampleFile(), TAdminLog()), 6);
        const QString file = installation.dir.filePath(QStringLiteral("blz_neu.txt"));
        WriteFileBytes(file, (goodLine() + QStringLiteral("\r\n")).toLatin1());
        QCOMPARE(ImportBankCodes(installation.paths, file, TAdminLog()), 1);
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("10020030")), QStringList{});
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("60050101")),
                 QStringList{"LB Schwaben|Stuttgart|70173|LBSWDESTXXX|Landesbank Schwaben"});
        QCOMPARE(QDir(installation.paths.etc).entryList(QDir::Files),
                 QStringList{QStringLiteral("BLZCODES.TDBD")});
    }

    void commandImportsTheFile() {
        LookupInstallation installation;
        const QString root = installation.dir.path();
        const TAdminRun run = runAdminProcess(
            {QStringLiteral("blz"), QStringLiteral("import"), root, bankSampleFile()});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.endsWith(QStringLiteral("6 Bankleitzahlen übernommen.\n")),
                 qPrintable(run.out));
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("86055592")).size(), 1);

        const QString bad = installation.dir.filePath(QStringLiteral("blz_bad.txt"));
        WriteFileBytes(bad, "10020030\r\n");
        const TAdminRun failed =
            runAdminProcess({QStringLiteral("blz"), QStringLiteral("import"), root, bad});
        QCOMPARE(failed.code, 3);
        QVERIFY2(failed.err.contains(QStringLiteral("Zeile 1: zu kurz")), qPrintable(failed.err));
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("86055592")).size(), 1);
    }

    void demoSampleIsInTheCentralBanksFormat() {
        const QByteArray content = DemoBankCodeFileContent();
        const QList<QByteArray> lines = content.split('\n');
        QCOMPARE(lines.last(), QByteArray());
        int flagOne = 0;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY2(lines.at(i).size() == 169 && lines.at(i).endsWith('\r'),
                     lines.at(i).constData());
            if (lines.at(i).at(8) == '1') ++flagOne;
        }
        QVERIFY(flagOne >= 20);
        QVERIFY(flagOne < lines.size() - 1);
        // Latin-1, not UTF-8: one byte per umlaut keeps the columns.
        QVERIFY(content.contains("M\xFCnchen"));
    }

    void demoInstallsTheLookups() {
        LookupInstallation installation;
        const QString etc = installation.paths.etc;
        QString out;
        QTextStream stream(&out);
        QVERIFY(InstallDemoLookups(installation.paths, TAdminLog(&stream, nullptr)));
        stream.flush();
        // The sample fits the table as it is.
        QVERIFY2(!out.contains(QStringLiteral("gekürzt")), qPrintable(out));

        const QRegularExpression pattern[] = {QRegularExpression(QStringLiteral("^\\d{5};\\S.*$")),
                                              QRegularExpression(QStringLiteral("^\\d{4};\\S.*$")),
                                              QRegularExpression(QStringLiteral("^\\d{4};\\S.*$"))};
        const char* countries[] = {"D", "A", "CH"};
        for (int c = 0; c < 3; ++c) {
            const QString country = QString::fromLatin1(countries[c]);
            const QByteArray bytes =
                ReadFileBytes(etc + QStringLiteral("ZIPCODES_") + country + QStringLiteral(".DAT"));
            QCOMPARE(bytes, DemoZipCodeFileContent(country));
            QStringList lines;
            QVERIFY(TDBZIPCodes(etc).GetCountryList(country, lines));
            QVERIFY2(lines.size() >= 150, qPrintable(country));
            for (const QString& line : std::as_const(lines))
                QVERIFY2(pattern[c].match(line).hasMatch(), qPrintable(line));
            QStringList sorted = lines;
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(lines, sorted);
        }
        QStringList result;
        TDBZIPCodes(etc).FindByZip(QStringLiteral("80 331"), QStringLiteral("d"), result);
        QCOMPARE(result, QStringList{"80331;München"});
        TDBZIPCodes(etc).FindByCity(QStringLiteral("zuerich"), QStringLiteral("CH"), result);
        QVERIFY(result.contains(QStringLiteral("8001;Zürich")));
        TDBZIPCodes(etc).FindByZip(QStringLiteral("6370"), QStringLiteral("A"), result);
        QCOMPARE(result, (QStringList{"6370;Kitzbühel", "6370;Reith bei Kitzbühel"}));

        QCOMPARE(banksOf(etc, QStringLiteral("70020270")),
                 QStringList{"Isartaler Bank|München|80331|ISTBDEMMXXX|Isartaler Bank AG"});

        // A second run finds everything in place and changes nothing.
        const QMap<QString, QByteArray> before = snapshotTree(installation.dir.path());
        QVERIFY(!InstallDemoLookups(installation.paths, TAdminLog()));
        QCOMPARE(snapshotTree(installation.dir.path()), before);
    }

    void demoKeepsImportedBankCodes() {
        LookupInstallation installation;
        QCOMPARE(ImportBankCodes(installation.paths, bankSampleFile(), TAdminLog()), 6);
        QVERIFY(InstallDemoLookups(installation.paths, TAdminLog()));
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("70020270")), QStringList{});
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("72069329")).size(), 1);
    }
};

KWP_REGISTER_TEST(TestLookupSetup)
#include "tst_lookupsetup.moc"
