#include <QtTest>

#include "address/addressconfig.h"
#include "app/dialogs.h"
#include "testsupport.h"

namespace {

void fillExample(TAddressConfig& config) {
    config.Lkz = QStringLiteral("D");
    config.SearchPlz = false;
    config.StdMwSt = 2;
    config.StdMahnTyp = 1;
    config.StdMailHeader = QStringLiteral("Sehr geehrte Damen & Herren,\r\n\"anbei\"");
    config.AdressKz = {QStringLiteral("VIP"), QStringLiteral("Gesperrt")};
    config.AnschriftArten = {QStringLiteral("Rechnungsanschrift"),
                             QStringLiteral("Lieferanschrift")};
    config.AdressGrp = {QStringLiteral("Kunden & Partner"), QStringLiteral("Lieferanten <alt>")};
    config.Nk = {QStringLiteral("K")};
    config.KontaktKz = {QStringLiteral("Geschäftsführung")};
}

}  // namespace

class TestAddressConfig : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Read back and saved again, every value must come back into its place.
    void savedFileMatchesGolden_data() {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("golden");
        QTest::newRow("empty") << false << "addressconfig_empty.xml";
        QTest::newRow("filled") << true << "addressconfig_filled.xml";
    }
    void savedFileMatchesGolden() {
        QFETCH(bool, filled);
        QFETCH(QString, golden);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        TAddressConfig config;
        if (filled) fillExample(config);
        config.SaveToFile(path);
        const QByteArray expected = ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/") + golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ReadFileBytes(path), expected);
        TAddressConfig loaded;
        if (!filled) fillExample(loaded);
        loaded.SearchPlz = !config.SearchPlz;
        // A missing file clears as well.
        loaded.LoadFromFile(filled ? path : dir.filePath("FEHLT.XML"));
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        loaded.SaveToFile(path);
        QCOMPARE(ReadFileBytes(path), expected);
    }

    // Blanks, empty entries, bare line breaks and characters beyond the BMP come back as they
    // were.
    void valuesSurviveSaveAndLoad() {
        const QStringList groups{"  eingerückt", "", "hinten  ", "Ærø €", "日本語", "😀 Emoji"};
        const QString header = QStringLiteral("  \r\n");
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        TAddressConfig config;
        config.AdressGrp = config.SpezielleKontaktKz = groups;
        config.StdMailHeader = header;
        config.SaveToFile(path);
        TAddressConfig loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(loaded.AdressGrp, groups);
        QCOMPARE(loaded.SpezielleKontaktKz, groups);
        QCOMPARE(loaded.StdMailHeader, header);
    }

    // Lists the file does not mention stay at their cleared state; garbage keeps defaults.
    void handWrittenFilesAreReadTolerantly() {
        const struct {
            const char *body, *lkz;
            bool searchPlz;
            QStringList adressKz;
        } rows[] = {
            {"<neu val=\"x\">Text<lkz val=\"CH\"/></neu><searchplz/><stdmwst/>zwischen"
             "<adresskz>A\nB\n</adresskz>",
             "CH",
             true,
             {"A", "B"}},
            {"<searchplz val=\"False\"/><adresskz/>", "", false, {}},
            {"<searchplz val=\"vielleicht\"/><stdmwst val=\"zwei\"/>", "", true, {}},
        };
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        for (const auto& r : rows) {
            WriteFileBytes(path, QByteArray("<adressconfig>") + r.body + "</adressconfig>");
            TAddressConfig config;
            fillExample(config);
            config.LoadFromFile(path);
            QVERIFY2(!config.HasParseError, qPrintable(config.ErrorText));
            QCOMPARE(config.Lkz, QString(r.lkz));
            QCOMPARE(config.SearchPlz, r.searchPlz);
            QCOMPARE(config.StdMwSt, 0);
            QCOMPARE(config.AdressKz, r.adressKz);
            QCOMPARE(config.AdressGrp, QStringList());
        }
    }
};

KWP_REGISTER_TEST(TestAddressConfig)
#include "tst_addressconfig.moc"
