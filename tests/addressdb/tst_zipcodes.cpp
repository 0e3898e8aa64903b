#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/zipcodes.h"
#include "testsupport.h"

namespace {

// Every test works on its own ETC folder; the process-wide cache is emptied before each.
struct ZipFolder {
    QTemporaryDir dir;
    QString etc() const { return dir.path() + QStringLiteral("/ETC/"); }
    ZipFolder() { QDir().mkpath(etc()); }
    void put(const QString& name, const QByteArray& bytes) const {
        WriteFileBytes(etc() + name, bytes);
    }
    void putDelivered() const {
        put(QStringLiteral("ZIPCODES_D.DAT"),
            ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/zip_D_latin1.DAT")));
    }
};

QStringList zipsFound(const QString& etc, const QString& zip, const QString& country) {
    QStringList result;
    TDBZIPCodes(etc).FindByZip(zip, country, result);
    return result;
}

QStringList townsFound(const QString& etc, const QString& city, const QString& country) {
    QStringList result;
    TDBZIPCodes(etc).FindByCity(city, country, result);
    return result;
}

}  // namespace

class TestZipCodes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TDBZIPCodes::ClearCache(); }
    void cleanupTestCase() { TDBZIPCodes::ClearCache(); }

    void findByZip_data() {
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("blank in the code, country in lower case")
            << "10 115"
            << "d" << QStringList{"10115;Berlin"};
        QTest::newRow("country with blanks") << "80331"
                                             << " D " << QStringList{"80331;München"};
        QTest::newRow("start of a code lists every code in file order")
            << "1011"
            << "D" << QStringList{"10115;Berlin", "10117;Berlin"};
        // The match is a substring of the whole line: inner digits and towns count too.
        QTest::newRow("substring anywhere in the line")
            << "101"
            << "D"
            << QStringList{"10115;Berlin", "10117;Berlin", "81013;Musterdorf",
                           "99999;Ort 101 am See"};
        QTest::newRow("leading zero kept") << "01067"
                                           << "D" << QStringList{"01067;Dresden"};
        QTest::newRow("no such code") << "12345"
                                      << "D" << QStringList{};
        QTest::newRow("country without files") << "10115"
                                               << "A" << QStringList{};
    }
    void findByZip() {
        QFETCH(QString, zip);
        QFETCH(QString, country);
        QFETCH(QStringList, expected);
        ZipFolder folder;
        folder.putDelivered();
        QCOMPARE(zipsFound(folder.etc(), zip, country), expected);
    }

    void findByCity_data() {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("umlaut typed") << "münchen" << QStringList{"80331;München"};
        QTest::newRow("umlaut spelled out") << "MUENCHEN" << QStringList{"80331;München"};
        QTest::newRow("both towns named Frankfurt")
            << "frankfurt" << QStringList{"15230;Frankfurt (Oder)", "60311;Frankfurt am Main"};
        QTest::newRow("trimmed, inner blank kept")
            << "  Frankfurt am  " << QStringList{"60311;Frankfurt am Main"};
        QTest::newRow("ß folded like the file's text")
            << "HOEHE" << QStringList{"61348;Bad Homburg vor der Höhe"};
        QTest::newRow("unknown town") << "Hintertupfingen" << QStringList{};
    }
    void findByCity() {
        QFETCH(QString, city);
        QFETCH(QStringList, expected);
        ZipFolder folder;
        folder.putDelivered();
        QCOMPARE(townsFound(folder.etc(), city, QStringLiteral("D")), expected);
    }

    void emptyInputLeavesTheResultAlone_data() {
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("country");
        QTest::newRow("empty code") << ""
                                    << "Berlin"
                                    << "D";
        QTest::newRow("code of blanks") << "  "
                                        << "Berlin"
                                        << "D";
        QTest::newRow("town of blanks") << "10115"
                                        << "   "
                                        << "D";
        QTest::newRow("empty country") << "10115"
                                       << "Berlin"
                                       << "";
        QTest::newRow("country of blanks") << "10115"
                                           << "Berlin"
                                           << "  ";
    }
    void emptyInputLeavesTheResultAlone() {
        QFETCH(QString, zip);
        QFETCH(QString, city);
        QFETCH(QString, country);
        ZipFolder folder;
        folder.putDelivered();
        const TDBZIPCodes codes(folder.etc());
        QStringList result{QStringLiteral("vorher")};
        if (zip.trimmed().isEmpty() || country.trimmed().isEmpty()) {
            codes.FindByZip(zip, country, result);
            QCOMPARE(result, QStringList{QStringLiteral("vorher")});
        }
        if (city.trimmed().isEmpty() || country.trimmed().isEmpty()) {
            codes.FindByCity(city, country, result);
            QCOMPARE(result, QStringList{QStringLiteral("vorher")});
        }
        // A real search replaces the old proposals, also when it finds nothing.
        codes.FindByZip(QStringLiteral("55555"), QStringLiteral("D"), result);
        QCOMPARE(result, QStringList{});
    }

    void filesAreReadInEitherEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("97070;Würzburg\r\n80331;München\r\n");
        QTest::newRow("Latin-1, CR LF") << text.toLatin1();
        QTest::newRow("UTF-8, CR LF") << text.toUtf8();
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-8, LF, no final line end")
            << QString(text).remove(QLatin1Char('\r')).trimmed().toUtf8();
    }
    void filesAreReadInEitherEncoding() {
        QFETCH(QByteArray, bytes);
        ZipFolder folder;
        folder.put(QStringLiteral("ZIPCODES_D.DAT"), bytes);
        QStringList lines;
        QVERIFY(TDBZIPCodes(folder.etc()).GetCountryList(QStringLiteral("D"), lines));
        QCOMPARE(lines, (QStringList{"97070;Würzburg", "80331;München"}));
        // The first line carries no BOM, so its code is found exactly.
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("97070"), QStringLiteral("D")),
                 QStringList{"97070;Würzburg"});
    }

    void userLinesFollowTheDeliveredOnes() {
        ZipFolder folder;
        folder.put(QStringLiteral("ZIPCODES_CH.DAT"), "8001;Z\xFCrich\r\n8400;Winterthur\r\n");
        folder.put(QStringLiteral("ZIPCODES_CH_U.DAT"), "8001;Z\xC3\xBCrich Altstadt\n");
        QStringList lines;
        QVERIFY(TDBZIPCodes(folder.etc()).GetCountryList(QStringLiteral("ch"), lines));
        QCOMPARE(lines, (QStringList{"8001;Zürich", "8400;Winterthur", "8001;Zürich Altstadt"}));
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("8001"), QStringLiteral("CH")),
                 (QStringList{"8001;Zürich", "8001;Zürich Altstadt"}));
    }

    void noFilesMeansNoEntries() {
        ZipFolder folder;
        QStringList lines{QStringLiteral("alt")};
        QVERIFY(!TDBZIPCodes(folder.etc()).GetCountryList(QStringLiteral("A"), lines));
        QVERIFY(lines.isEmpty());
        // A file delivered later is found on the next lookup.
        folder.put(QStringLiteral("ZIPCODES_A.DAT"), "1010;Wien\r\n");
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("1010"), QStringLiteral("A")),
                 QStringList{"1010;Wien"});
    }

    void addedTownIsProposedAtOnceAndAfterRestart() {
        ZipFolder folder;
        folder.putDelivered();
        const QString userFile = folder.etc() + QStringLiteral("ZIPCODES_D_U.DAT");
        TDBZIPCodes(folder.etc())
            .AddUserEntry(QStringLiteral("d"), QStringLiteral(" Neustadt "),
                          QStringLiteral(" 99 998 "));
        // A new file is UTF-8 with the suite's line ends.
        QCOMPARE(ReadFileBytes(userFile), QByteArray("99998;Neustadt\r\n"));
        // Proposed while the program runs, by any instance, without reading the file again.
        QVERIFY(QFile::remove(userFile));
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("99998"), QStringLiteral("D")),
                 QStringList{"99998;Neustadt"});
        QCOMPARE(townsFound(folder.etc(), QStringLiteral("neustadt"), QStringLiteral("D")),
                 QStringList{"99998;Neustadt"});

        // After a restart it comes from the users' file, behind the delivered lines.
        WriteFileBytes(userFile, "99998;Neustadt\r\n");
        TDBZIPCodes::ClearCache();
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("9999"), QStringLiteral("D")),
                 (QStringList{"99999;Ort 101 am See", "99998;Neustadt"}));
    }

    void knownPairIsNotAddedAgain_data() {
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("city");
        QTest::newRow("same spelling") << "80331"
                                       << "München";
        QTest::newRow("other case") << "80331"
                                    << "MÜNCHEN";
        QTest::newRow("blanks around, blank in the code") << " 803 31 "
                                                          << "  münchen ";
        QTest::newRow("empty town") << "80331"
                                    << "  ";
        QTest::newRow("empty code") << " "
                                    << "Neustadt";
    }
    void knownPairIsNotAddedAgain() {
        QFETCH(QString, zip);
        QFETCH(QString, city);
        ZipFolder folder;
        folder.putDelivered();
        const TDBZIPCodes codes(folder.etc());
        codes.AddUserEntry(QStringLiteral("D"), city, zip);
        QVERIFY(!QFile::exists(folder.etc() + QStringLiteral("ZIPCODES_D_U.DAT")));
        QStringList lines;
        codes.GetCountryList(QStringLiteral("D"), lines);
        QCOMPARE(lines.size(), 11);
    }

    void secondTownForAKnownCodeIsAdded() {
        ZipFolder folder;
        folder.putDelivered();
        TDBZIPCodes(folder.etc())
            .AddUserEntry(QStringLiteral("D"), QStringLiteral("Berlin-Mitte"),
                          QStringLiteral("10115"));
        TDBZIPCodes(folder.etc())
            .AddUserEntry(QStringLiteral("D"), QStringLiteral("berlin-mitte"),
                          QStringLiteral("10115"));
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("10115"), QStringLiteral("D")),
                 (QStringList{"10115;Berlin", "10115;Berlin-Mitte"}));
        QCOMPARE(ReadFileBytes(folder.etc() + QStringLiteral("ZIPCODES_D_U.DAT")),
                 QByteArray("10115;Berlin-Mitte\r\n"));
    }

    void userFileKeepsItsEncodingAndLineEnds_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("Latin-1 stays Latin-1") << QByteArray("80333;M\xFCnchen\r\n") << "Müllheim"
                                               << QByteArray(
                                                      "80333;M\xFCnchen\r\n"
                                                      "79379;M\xFCllheim\r\n");
        QTest::newRow("UTF-8 with BOM stays so")
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "80333;M\xC3\xBCnchen\r\n")
            << "Müllheim"
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "80333;M\xC3\xBCnchen\r\n79379;M\xC3\xBCllheim\r\n");
        QTest::newRow("LF file without final line end")
            << QByteArray("80331;M\xC3\xBCnchen\n80333;M\xC3\xBCnchen") << "Müllheim"
            << QByteArray("80331;M\xC3\xBCnchen\n80333;M\xC3\xBCnchen\n79379;M\xC3\xBCllheim\n");
        QTest::newRow("town beyond Latin-1 turns the file into UTF-8")
            << QByteArray("80333;M\xFCnchen\r\n") << "Łódź"
            << QByteArray("80333;M\xC3\xBCnchen\r\n79379;\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n");
        QTest::newRow("line break in the town")
            << QByteArray() << "Müll\nheim" << QByteArray("79379;M\xC3\xBCll heim\r\n");
    }
    void userFileKeepsItsEncodingAndLineEnds() {
        QFETCH(QByteArray, before);
        QFETCH(QString, city);
        QFETCH(QByteArray, after);
        ZipFolder folder;
        const QString userFile = folder.etc() + QStringLiteral("ZIPCODES_D_U.DAT");
        if (!before.isEmpty()) WriteFileBytes(userFile, before);
        TDBZIPCodes(folder.etc()).AddUserEntry(QStringLiteral("D"), city, QStringLiteral("79379"));
        QCOMPARE(ReadFileBytes(userFile), after);
        TDBZIPCodes::ClearCache();
        QStringList lines;
        TDBZIPCodes(folder.etc()).GetCountryList(QStringLiteral("D"), lines);
        QCOMPARE(lines.last(), QStringLiteral("79379;") + QString(city).replace(u'\n', u' '));
    }

    void unwritableUserFileIsReported() {
        ZipFolder folder;
        folder.putDelivered();
        const QString userFile = folder.etc() + QStringLiteral("ZIPCODES_D_U.DAT");
        QVERIFY(QDir().mkpath(userFile));
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TDBZIPCodes(folder.etc())
            .AddUserEntry(QStringLiteral("D"), QStringLiteral("Neustadt"), QStringLiteral("99998"));
        QCOMPARE(dialogs.texts().size(), 1);
        const QString text = dialogs.texts().constFirst();
        QVERIFY2(text.contains(QStringLiteral("TDBZIPCodes.AddUserEntry")), qPrintable(text));
        QVERIFY2(text.contains(userFile), qPrintable(text));
        // Nothing is proposed that was not kept.
        QCOMPARE(zipsFound(folder.etc(), QStringLiteral("99998"), QStringLiteral("D")),
                 QStringList{});
    }

    void countryNeverLeavesTheFolder_data() {
        QTest::addColumn<QString>("country");
        QTest::newRow("parent folder") << "../X";
        QTest::newRow("sub folder") << "SUB/X";
        QTest::newRow("letter outside ASCII") << "Ö";
    }
    void countryNeverLeavesTheFolder() {
        QFETCH(QString, country);
        ZipFolder folder;
        const QString bait =
            folder.etc() + QStringLiteral("ZIPCODES_") + country.toUpper() + QStringLiteral(".DAT");
        QDir().mkpath(QFileInfo(bait).absolutePath());
        WriteFileBytes(bait, "12345;Falle\r\n");
        const TDBZIPCodes codes(folder.etc());
        QStringList result{QStringLiteral("alt")};
        codes.FindByZip(QStringLiteral("12345"), country, result);
        QCOMPARE(result, QStringList{});
        QVERIFY(codes.UserFileName(country).isEmpty());
        codes.AddUserEntry(country, QStringLiteral("Neustadt"), QStringLiteral("99998"));
        QCOMPARE(QDir(folder.dir.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                     .size(),
                 1);
        QCOMPARE(QDir(QFileInfo(bait).absolutePath()).entryList(QDir::Files).size(), 1);
    }
};

KWP_REGISTER_TEST(TestZipCodes)
#include "tst_zipcodes.moc"
