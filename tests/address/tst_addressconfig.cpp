#include <QTemporaryDir>
#include <QtTest>

#include "address/addressconfig.h"
#include "app/dialogs.h"
#include "testsupport.h"

namespace {

QByteArray utf16File(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const QString kDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n");

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

    void valuesSurviveSaveAndLoad_data() {
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QString>("header");
        QTest::newRow("markup and quotes")
            << QStringList{"Müller & Co", "<b>fett</b>", "\"zitiert\"", "'einfach'"}
            << "<Hallo> & \"Tschüss\"";
        QTest::newRow("blanks are kept") << QStringList{"  eingerückt", "hinten  "} << "  ";
        QTest::newRow("empty entry inside") << QStringList{"A", "", "B"} << "\r\n";
        QTest::newRow("unicode") << QStringList{"Ærø €", "日本語", "😀 Emoji"} << "ÄÖÜß";
    }
    void valuesSurviveSaveAndLoad() {
        QFETCH(QStringList, groups);
        QFETCH(QString, header);
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        TAddressConfig config;
        config.AdressGrp = groups;
        config.SpezielleKontaktKz = groups;
        config.StdMailHeader = header;
        config.SaveToFile(path);
        TAddressConfig loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(loaded.AdressGrp, groups);
        QCOMPARE(loaded.SpezielleKontaktKz, groups);
        QCOMPARE(loaded.StdMailHeader, header);
    }

    void handWrittenFilesAreReadTolerantly_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("lkz");
        QTest::addColumn<bool>("searchPlz");
        QTest::addColumn<int>("stdMwSt");
        QTest::addColumn<QStringList>("adressKz");
        struct Row {
            const char *name, *body, *lkz;
            bool searchPlz;
            int stdMwSt;
            QStringList adressKz;
        };
        const Row rows[] = {
            {"no searchplz", "<lkz val=\"AT\"/>", "AT", true, 0, {}},
            {"searchplz without val", "<searchplz/><stdmwst/>", "", true, 0, {}},
            {"searchplz false", "<searchplz val=\"False\"/>", "", false, 0, {}},
            {"searchplz garbage keeps default", "<searchplz val=\"vielleicht\"/>", "", true, 0, {}},
            {"integer garbage keeps default", "<stdmwst val=\"zwei\"/>", "", true, 0, {}},
            {"plain line feeds", "<adresskz>A\nB\n</adresskz>", "", true, 0, {"A", "B"}},
            {"unknown elements ignored",
             "<neu val=\"x\">Text<lkz val=\"CH\"/></neu><adresskz>A</adresskz>zwischen",
             "CH",
             true,
             0,
             {"A"}},
            {"empty list element", "<adresskz/>", "", true, 0, {}},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << QString::fromUtf8(r.body) << QString::fromUtf8(r.lkz)
                                  << r.searchPlz << r.stdMwSt << r.adressKz;
    }
    void handWrittenFilesAreReadTolerantly() {
        QFETCH(QString, body);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        WriteFileBytes(path, utf16File(kDeclaration + "<adressconfig>" + body + "</adressconfig>"));
        TAddressConfig config;
        fillExample(config);
        config.LoadFromFile(path);
        QVERIFY2(!config.HasParseError, qPrintable(config.ErrorText));
        QTEST(config.Lkz, "lkz");
        QTEST(config.SearchPlz, "searchPlz");
        QTEST(config.StdMwSt, "stdMwSt");
        QTEST(config.AdressKz, "adressKz");
        // Lists the file does not mention stay at their cleared state.
        QCOMPARE(config.AdressGrp, QStringList());
    }

    void listTextIsSplitPerLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("final break adds nothing") << "A\r\nB\r\n" << QStringList{"A", "B"};
        QTest::newRow("lone CR and LF") << "A\rB\nC" << QStringList{"A", "B", "C"};
        QTest::newRow("empty lines kept") << "A\r\n\r\nB" << QStringList{"A", "", "B"};
        QTest::newRow("LF CR is two breaks") << "A\n\rB" << QStringList{"A", "", "B"};
    }
    void listTextIsSplitPerLine() {
        QFETCH(QString, text);
        QTEST(TAddressConfig::SplitListText(text), "entries");
    }
};

KWP_REGISTER_TEST(TestAddressConfig)
#include "tst_addressconfig.moc"
