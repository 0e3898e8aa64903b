#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/zipcodes.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

// Every test works on its own ETC folder; the process-wide cache is emptied before each.
struct ZipFolder {
    QTemporaryDir dir;
    QString etc = dir.path() + u"/ETC/"_s;
    QString userFile = etc + u"ZIPCODES_D_U.DAT"_s;
    explicit ZipFolder(bool delivered = true) {
        QDir().mkpath(etc);
        if (delivered)
            put("ZIPCODES_D.DAT",
                ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/zip_D_latin1.DAT")));
    }
    void put(const char* name, const QByteArray& bytes) const {
        WriteFileBytes(etc + QString::fromLatin1(name), bytes);
    }
    QStringList byZip(const QString& zip, const QString& country = u"D"_s) const {
        QStringList result;
        TDBZIPCodes(etc).FindByZip(zip, country, result);
        return result;
    }
    QStringList lines(const QString& country = u"D"_s) const {
        QStringList result;
        TDBZIPCodes(etc).GetCountryList(country, result);
        return result;
    }
};

}  // namespace

class TestZipCodes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TDBZIPCodes::ClearCache(); }
    void cleanupTestCase() { TDBZIPCodes::ClearCache(); }

    // A search replaces the proposals, also when it finds nothing; empty input leaves them.
    void find_data() {
        QTest::addColumn<bool>("byCity");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, bool byCity, const char* text, const char* country,
                            const QStringList& expected) {
            QTest::newRow(name) << byCity << QString::fromUtf8(text) << QString::fromUtf8(country)
                                << expected;
        };
        row("country with blanks", false, "80331", " D ", {"80331;München"});
        // The match is a substring of the whole line: inner digits and towns count too.
        row("substring anywhere in the line", false, "101", "D",
            {"10115;Berlin", "10117;Berlin", "81013;Musterdorf", "99999;Ort 101 am See"});
        row("leading zero kept", false, "01067", "D", {"01067;Dresden"});
        row("umlaut typed", true, "münchen", "D", {"80331;München"});
        row("both towns named Frankfurt", true, "frankfurt", "D",
            {"15230;Frankfurt (Oder)", "60311;Frankfurt am Main"});
        row("trimmed, inner blank kept", true, "  Frankfurt am  ", "D",
            {"60311;Frankfurt am Main"});
        row("ß folded like the file's text", true, "HOEHE", "D",
            {"61348;Bad Homburg vor der Höhe"});
        row("code of blanks", false, "  ", "D", {"vorher"});
        row("empty country", false, "10115", "", {"vorher"});
    }
    void find() {
        QFETCH(bool, byCity);
        QFETCH(QString, text);
        QFETCH(QString, country);
        QFETCH(QStringList, expected);
        ZipFolder folder;
        QStringList result{u"vorher"_s};
        const TDBZIPCodes codes(folder.etc);
        byCity ? codes.FindByCity(text, country, result) : codes.FindByZip(text, country, result);
        QCOMPARE(result, expected);
    }

    void addedTownIsProposedAtOnceAndAfterRestart() {
        ZipFolder folder;
        TDBZIPCodes(folder.etc).AddUserEntry(u"d"_s, u" Neustadt "_s, u" 99 998 "_s);
        // Proposed while the program runs, by any instance, without reading the file again.
        QVERIFY(QFile::remove(folder.userFile));
        QCOMPARE(folder.byZip(u"99998"_s), QStringList{"99998;Neustadt"});
        // After a restart it comes from the users' file, behind the delivered lines.
        WriteFileBytes(folder.userFile, "99998;Neustadt\r\n");
        TDBZIPCodes::ClearCache();
        QCOMPARE(folder.byZip(u"9999"_s), (QStringList{"99999;Ort 101 am See", "99998;Neustadt"}));
    }

    // The users' file before and after an entry (none: no file), and its lines read back.
    void userEntryIsWrittenOnce_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("added");
        const auto row = [](const char* name, const QByteArray& before, const char* zip,
                            const char* city, const QByteArray& after, const QStringList& added) {
            QTest::newRow(name) << before << QString::fromUtf8(zip) << QString::fromUtf8(city)
                                << after << added;
        };
        row("known pair, blanks around and inside", {}, " 803 31 ", "  münchen ", {}, {});
        row("empty town", {}, "80331", "  ", {}, {});
        // A new file is UTF-8 with the suite's line ends.
        row("second town of a known code", {}, "10115", "Berlin-Mitte", "10115;Berlin-Mitte\r\n",
            {"10115;Berlin-Mitte"});
        row("known pair of the users' file", "10115;Berlin-Mitte\r\n", "10115", "berlin-mitte",
            "10115;Berlin-Mitte\r\n", {"10115;Berlin-Mitte"});
        row("Latin-1 stays Latin-1", "80333;M\xFCnchen\r\n", "79379", "Müllheim",
            "80333;M\xFCnchen\r\n79379;M\xFCllheim\r\n", {"80333;München", "79379;Müllheim"});
        row("UTF-8 with BOM stays so", "\uFEFF80333;München\r\n", "79379", "Müllheim",
            "\uFEFF80333;München\r\n79379;Müllheim\r\n", {"80333;München", "79379;Müllheim"});
        row("LF file without final line end", "80331;München\n80333;München", "79379", "Müllheim",
            "80331;München\n80333;München\n79379;Müllheim\n",
            {"80331;München", "80333;München", "79379;Müllheim"});
        row("town beyond Latin-1 turns the file into UTF-8", "80333;M\xFCnchen\r\n", "79379",
            "Łódź", "80333;München\r\n79379;Łódź\r\n", {"80333;München", "79379;Łódź"});
        row("line break in the town", {}, "79379", "Müll\nheim", "79379;Müll heim\r\n",
            {"79379;Müll heim"});
    }
    void userEntryIsWrittenOnce() {
        QFETCH(QByteArray, before);
        QFETCH(QString, zip);
        QFETCH(QString, city);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, added);
        ZipFolder folder;
        if (!before.isEmpty()) WriteFileBytes(folder.userFile, before);
        TDBZIPCodes(folder.etc).AddUserEntry(u"D"_s, city, zip);
        QCOMPARE(QFile::exists(folder.userFile), !after.isEmpty());
        QCOMPARE(ReadFileBytes(folder.userFile), after);
        TDBZIPCodes::ClearCache();
        QCOMPARE(folder.lines().mid(11), added);
    }

    void unwritableUserFileIsReported() {
        ZipFolder folder;
        QVERIFY(QDir().mkpath(folder.userFile));
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TDBZIPCodes(folder.etc).AddUserEntry(u"D"_s, u"Neustadt"_s, u"99998"_s);
        QCOMPARE(dialogs.texts().size(), 1);
        QVERIFY2(dialogs.texts()[0].contains(folder.userFile), qPrintable(dialogs.texts()[0]));
        // Nothing is proposed that was not kept.
        QCOMPARE(folder.byZip(u"99998"_s), QStringList{});
    }

    void countryNeverLeavesTheFolder_data() {
        QTest::addColumn<QString>("country");
        QTest::newRow("parent folder") << "../X";
        QTest::newRow("letter outside ASCII") << "Ö";
    }
    void countryNeverLeavesTheFolder() {
        QFETCH(QString, country);
        ZipFolder folder(false);
        const QString bait = folder.etc + u"ZIPCODES_"_s + country.toUpper() + u".DAT"_s;
        QDir().mkpath(QFileInfo(bait).absolutePath());
        WriteFileBytes(bait, "12345;Falle\r\n");
        QCOMPARE(folder.byZip(u"12345"_s, country), QStringList{});
        const TDBZIPCodes codes(folder.etc);
        QVERIFY(codes.UserFileName(country).isEmpty());
        codes.AddUserEntry(country, u"Neustadt"_s, u"99998"_s);
        QCOMPARE(QDir(folder.dir.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                     .size(),
                 1);
        QCOMPARE(QDir(QFileInfo(bait).absolutePath()).entryList(QDir::Files).size(), 1);
    }
};

KWP_REGISTER_TEST(TestZipCodes)
#include "tst_zipcodes.moc"
