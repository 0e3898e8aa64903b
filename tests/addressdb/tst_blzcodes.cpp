#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/blzcodes.h"
#include "app/errorreport.h"
#include "persistence/storequery.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const QString bankSample = QStringLiteral(KWP_TEST_DATA_DIR "/blz_sample.txt");

// One line of the central bank's file, 168 characters.
QString bankLine(const char* blz, const char* name, const char* zip, const char* city,
                 const char* shortName, const char* bic) {
    return QString::fromLatin1(blz) + u'1' + QString::fromUtf8(name).leftJustified(58) +
           QString::fromLatin1(zip) + QString::fromUtf8(city).leftJustified(35) +
           QString::fromUtf8(shortName).leftJustified(27) + u"12345"_s +
           QString::fromLatin1(bic).leftJustified(11) + u"09000001U000000000"_s;
}

const QString goodLine =
    bankLine("60050101", "Landesbank Schwaben", "70173", "Stuttgart", "LB Schwaben", "LBSWDESTXXX");

// An ETC folder for the imported database; the files to import lie beside it.
struct BankFolder {
    QTemporaryDir dir;
    QString etc = dir.path() + u"/ETC/"_s;
    QString database = etc + u"BLZCODES.TDBD"_s;
    BankFolder() { QDir().mkpath(etc); }
    QString file(const QString& name, const QByteArray& content) const {
        WriteFileBytes(dir.filePath(name), content);
        return dir.filePath(name);
    }
    TBLZImport import(const QString& fileName) const {
        return TDBBLZCodes::ImportBundesbankFile(fileName, database);
    }
    QString importError(const QString& fileName) const {
        try {
            import(fileName);
        } catch (const EKwpError& error) {
            return error.message();
        }
        return u"<kein Fehler>"_s;
    }
    // "INSTITUTSHORT|CITY|ZIP|BIC|INSTITUT" of every bank of the code.
    QStringList banksOf(const QString& code) const {
        TDBBLZCodes database({}, etc);
        std::unique_ptr<TStoreQuery> query = database.Lookup(code);
        if (!query) return {u"<keine Abfrage>"_s};
        QStringList rows;
        for (query->First(); !query->Eof(); query->Next()) {
            QStringList values;
            for (const char* name : {"INSTITUTSHORT", "CITY", "ZIP", "BIC", "INSTITUT"})
                values.append(query->FieldByName(QString::fromLatin1(name)).AsString());
            rows.append(values.join(QLatin1Char('|')));
        }
        return rows;
    }
};

}  // namespace

class TestBlzCodes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The banks with the flag 1 of the sample; the lookup takes a code of 8 digits and blanks.
    void importAndLookup_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("banks");
        const auto row = [](const char* name, const char* code, const QStringList& banks) {
            QTest::newRow(name) << QString::fromLatin1(code) << banks;
        };
        row("main office, branch line left out, blanks around and inside", " 100 200 30 ",
            {"Spreebank Berlin|Berlin|10117|SPRBDEB1XXX|Spreebank Berlin"});
        row("Latin-1 umlauts, short name cut to 20", "37050198",
            {"Stadtsparkasse Köln-|Köln|50679|COKSDE33XXX|Stadtsparkasse Köln-Deutz"});
        // The name fills its 58 columns; the file itself cut the bank's longer name.
        row("full-width name, town cut to 29", "54651240",
            {"Spk Rhein-Haardt Neu|Neustadt an der Weinstraße-Ha|67433|MALADE51DKH|"
             "Sparkasse Rhein-Haardt, Zweigstelle Neustadt an der Weinst"});
        row("leading zero of the postcode", "86055592",
            {"Spk Leipziger Land|Leipzig|04109|WELADE8LXXX|Sparkasse Leipziger Land"});
        row("line of 150 characters without BIC", "50010517",
            {"Mainbank Frankfurt|Frankfurt am Main|60311||Mainbank Frankfurt AG"});
        row("umlauts in every column", "72069329",
            {"Raiba Höchstädt|Höchstädt a.d.Donau|89420|GENODEF1HCW|"
             "Raiffeisenbank Höchstädt-Wertingen eG"});
        row("code with branch lines only", "12345678", {});
        // Pasted into the text, this would select every row.
        row("quote cannot change the query", "'OR'1'>'", {});
        for (const char* code : {"1002003", "1002003 ", "100200300", ""})
            QTest::addRow("refused '%s'", code) << code << QStringList{"<keine Abfrage>"};
    }
    void importAndLookup() {
        QFETCH(QString, code);
        QFETCH(QStringList, banks);
        // The sample as delivered (Latin-1) and as a UTF-8 copy give the same banks.
        const QByteArray latin1 = ReadFileBytes(bankSample);
        for (const QByteArray& content : {latin1, QString::fromLatin1(latin1).toUtf8()}) {
            BankFolder installation;
            const TBLZImport result = installation.import(installation.file(u"blz.txt"_s, content));
            QCOMPARE(QList({result.banks, result.shortNames, result.cities}), QList({6, 2, 1}));
            // Any dialog here (a reported database error) fails the test.
            ScriptedDialogs dialogs;
            QCOMPARE(installation.banksOf(code), banks);
        }
    }

    void missingDatabaseIsReported() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TDBBLZCodes database({}, dir.path());
        QVERIFY(!database.Lookup(u"10020030"_s));
        QCOMPARE(dialogs.texts().size(), 1);
        const QString text = dialogs.texts().constFirst();
        QVERIFY2(text.startsWith(u"Datenbankfehler.\nTDBBLZCodes.Lookup"_s) &&
                     text.contains(u"BLZCODES.TDBD"_s),
                 qPrintable(text));
        // Looking never creates the database.
        QVERIFY_THROWS_EXCEPTION(EStoreError, database.OpenDefault(TDbAccess::ReadOnly));
        QVERIFY(!QFile::exists(database.FileName()));
    }

    // One bad line, a file without banks: refused with its message, the old codes kept.
    void badFileFailsTheImportAndKeepsTheCodes_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const QString& line, const char* message) {
            QTest::newRow(name) << goodLine + u"\r\n"_s + line + u"\r\n"_s
                                << QStringLiteral(
                                       "enthält fehlerhafte Zeilen, es wurde nichts "
                                       "übernommen:\nZeile 2: ") +
                                       QString::fromUtf8(message);
        };
        const auto patched = [](int at, const QString& text) {
            return QString(goodLine).replace(at, text.size(), text);
        };
        row("line too short", goodLine.left(139), "zu kurz (139 statt mindestens 150 Zeichen).");
        row("code with a blank", patched(4, " "),
            "die Bankleitzahl \"6005 101\" besteht nicht aus 8 Ziffern.");
        // Seven digits shift every column: the flag moves into the code, the name into the flag.
        row("seven-digit code", goodLine.mid(1) + u' ', "das Merkmal \"L\" ist weder 1 noch 2.");
        row("unknown flag", patched(8, "3"), "das Merkmal \"3\" ist weder 1 noch 2.");
        row("no name", patched(9, QString(58, u' ')), "die Bezeichnung fehlt.");
        row("postcode with a letter", patched(67, "7017A"),
            "die Postleitzahl \"7017A\" ist ungültig.");
        row("no town", patched(72, QString(35, u' ')), "der Ort fehlt.");
        row("PAN with letters", patched(134, "12A45"), "die PAN \"12A45\" ist ungültig.");
        row("BIC in lower case", patched(139, "lbswdestxxx"),
            "der BIC \"lbswdestxxx\" ist ungültig.");
        const QString noBank =
            u"enthält keine Bank mit dem Merkmal 1, es wurde nichts übernommen."_s;
        QTest::newRow("empty file") << QString() << noBank;
        QTest::newRow("branches only") << patched(8, "2") + u"\r\n"_s << noBank;
    }
    void badFileFailsTheImportAndKeepsTheCodes() {
        QFETCH(QString, content);
        QFETCH(QString, message);
        BankFolder installation;
        QCOMPARE(installation.import(bankSample).banks, 6);
        const QByteArray before = ReadFileBytes(installation.database);
        const QString file = installation.file("blz_bad.txt", content.toLatin1());
        QCOMPARE(installation.importError(file),
                 u"Die Bankleitzahlendatei \""_s + file + u"\" "_s + message);
        QCOMPARE(ReadFileBytes(installation.database), before);
        QVERIFY(!QFile::exists(installation.database + u".NEU"_s));
    }

    void unreadableFileIsNamed() {
        BankFolder installation;
        const QString missing = installation.dir.filePath(u"fehlt.txt"_s);
        const QString error = installation.importError(missing);
        QVERIFY2(error.startsWith(u"Kann Datei \""_s + missing + u"\" nicht lesen: "_s),
                 qPrintable(error));
    }

    // Also every bank that shares a code, as after a merger of two banks.
    void reimportReplacesTheCodes() {
        BankFolder installation;
        QCOMPARE(installation.import(bankSample).banks, 6);
        const QString second =
            bankLine("60050101", "Würmtaler Bank AG", "82131", "Gauting", "Würmtaler Bank", "");
        const QString file = installation.file(
            "blz_neu.txt", (goodLine + u"\r\n"_s + second + u"\r\n"_s).toLatin1());
        QCOMPARE(installation.import(file).banks, 2);
        QCOMPARE(installation.banksOf(u"10020030"_s), QStringList{});
        QCOMPARE(installation.banksOf(u"60050101"_s),
                 (QStringList{"LB Schwaben|Stuttgart|70173|LBSWDESTXXX|Landesbank Schwaben",
                              "Würmtaler Bank|Gauting|82131||Würmtaler Bank AG"}));
        QCOMPARE(QDir(installation.etc).entryList(QDir::Files), QStringList{u"BLZCODES.TDBD"_s});
    }
};

KWP_REGISTER_TEST(TestBlzCodes)
#include "tst_blzcodes.moc"
