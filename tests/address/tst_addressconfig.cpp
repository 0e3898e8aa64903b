#include <QStringConverter>
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

void compareConfigs(const TAddressConfig& actual, const TAddressConfig& expected) {
    QCOMPARE(actual.Lkz, expected.Lkz);
    QCOMPARE(actual.SearchPlz, expected.SearchPlz);
    QCOMPARE(actual.AdressKz, expected.AdressKz);
    QCOMPARE(actual.AnschriftArten, expected.AnschriftArten);
    QCOMPARE(actual.AdressGrp, expected.AdressGrp);
    QCOMPARE(actual.Nk, expected.Nk);
    QCOMPARE(actual.KontaktKz, expected.KontaktKz);
    QCOMPARE(actual.SpezielleKontaktKz, expected.SpezielleKontaktKz);
    QCOMPARE(actual.StdMwSt, expected.StdMwSt);
    QCOMPARE(actual.StdMahnTyp, expected.StdMahnTyp);
    QCOMPARE(actual.StdMailHeader, expected.StdMailHeader);
}

}  // namespace

class TestAddressConfig : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        loaded.SearchPlz = !config.SearchPlz;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        compareConfigs(loaded, config);
    }

    void emptyConfigIsThirteenLinesOfDefaults() {
        TAddressConfig config;
        const QStringList lines = config.GetXMLBody(true).split(QStringLiteral("\r\n"));
        // Eleven value lines between the two of the root element, and a final CR LF.
        QCOMPARE(lines.size(), 14);
        QCOMPARE(lines.last(), QString());
        QCOMPARE(lines.at(2), QStringLiteral("  <searchplz val=\"True\"/>"));
    }

    void valuesSurviveSaveAndLoad_data() {
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QString>("header");
        QTest::newRow("ampersand in a group") << QStringList{"Müller & Co"} << "";
        QTest::newRow("markup and quotes")
            << QStringList{"<b>fett</b>", "\"zitiert\"", "'einfach'"} << "<Hallo> & \"Tschüss\"";
        QTest::newRow("blanks are kept") << QStringList{"  eingerückt", "hinten  "} << "  ";
        QTest::newRow("empty entry inside") << QStringList{"A", "", "B"} << "\r\n";
        QTest::newRow("unicode") << QStringList{"Ærø €", "日本語", "😀 Emoji"} << "ÄÖÜß";
        QTest::newRow("many entries") << [] {
            QStringList many;
            for (int i = 0; i < 2000; ++i) many.append(QStringLiteral("Gruppe %1 & Co").arg(i));
            return many;
        }() << QString(5000, u'x');
    }
    void valuesSurviveSaveAndLoad() {
        QFETCH(QStringList, groups);
        QFETCH(QString, header);
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        TAddressConfig config;
        fillExample(config);
        config.AdressGrp = groups;
        config.SpezielleKontaktKz = groups;
        config.StdMailHeader = header;
        config.SaveToFile(path);
        TAddressConfig loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        compareConfigs(loaded, config);
    }

    void handWrittenFilesAreReadTolerantly_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("lkz");
        QTest::addColumn<bool>("searchPlz");
        QTest::addColumn<int>("stdMwSt");
        QTest::addColumn<QStringList>("adressKz");
        QTest::newRow("no searchplz") << "<adressconfig><lkz val=\"AT\"/></adressconfig>"
                                      << "AT" << true << 0 << QStringList();
        QTest::newRow("searchplz without val")
            << "<adressconfig><searchplz/><stdmwst/></adressconfig>"
            << "" << true << 0 << QStringList();
        QTest::newRow("searchplz false")
            << "<adressconfig><searchplz val=\"False\"/></adressconfig>"
            << "" << false << 0 << QStringList();
        QTest::newRow("searchplz as number")
            << "<adressconfig><searchplz val=\"0\"/></adressconfig>"
            << "" << false << 0 << QStringList();
        QTest::newRow("searchplz garbage keeps default")
            << "<adressconfig><searchplz val=\"vielleicht\"/></adressconfig>"
            << "" << true << 0 << QStringList();
        QTest::newRow("integer garbage keeps default")
            << "<adressconfig><stdmwst val=\"zwei\"/></adressconfig>"
            << "" << true << 0 << QStringList();
        QTest::newRow("integer with blanks")
            << "<adressconfig><stdmwst val=\" 1 \"/></adressconfig>"
            << "" << true << 1 << QStringList();
        QTest::newRow("plain line feeds")
            << "<adressconfig><adresskz>A\nB\n</adresskz></adressconfig>"
            << "" << true << 0 << QStringList{"A", "B"};
        QTest::newRow("unknown elements ignored")
            << "<adressconfig><neu val=\"x\">Text<lkz val=\"CH\"/></neu>"
               "<adresskz>A</adresskz>zwischen</adressconfig>"
            << "CH" << true << 0 << QStringList{"A"};
        QTest::newRow("empty list element") << "<adressconfig><adresskz/></adressconfig>"
                                            << "" << true << 0 << QStringList();
    }
    void handWrittenFilesAreReadTolerantly() {
        QFETCH(QString, body);
        QFETCH(QString, lkz);
        QFETCH(bool, searchPlz);
        QFETCH(int, stdMwSt);
        QFETCH(QStringList, adressKz);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        WriteFileBytes(path, utf16File(kDeclaration + body));
        TAddressConfig config;
        fillExample(config);
        config.LoadFromFile(path);
        QVERIFY2(!config.HasParseError, qPrintable(config.ErrorText));
        QCOMPARE(config.Lkz, lkz);
        QCOMPARE(config.SearchPlz, searchPlz);
        QCOMPARE(config.StdMwSt, stdMwSt);
        QCOMPARE(config.AdressKz, adressKz);
        // Lists the file does not mention stay at their cleared state.
        QCOMPARE(config.AdressGrp, QStringList());
    }

    void missingFileLeavesDefaults() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        TAddressConfig config;
        fillExample(config);
        config.LoadFromFile(dir.filePath("CONFIG.XML"));
        compareConfigs(config, TAddressConfig());
        QCOMPARE(dialogs.shown().size(), 0);
    }

    void malformedFileIsReported_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lkz");
        QTest::newRow("truncated in a list")
            << utf16File(kDeclaration +
                         "<adressconfig>\r\n  <lkz val=\"D\"/>\r\n  <adresskz>VIP&#13;&#10;Ges")
            << "D";
        QTest::newRow("mismatched tag")
            << utf16File(kDeclaration + "<adressconfig><lkz val=\"D\"/><nk>K</adresskz>") << "D";
        QTest::newRow("binary garbage") << QByteArray("\x00\x13\x88\xFF<<&&", 9) << "";
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void malformedFileIsReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lkz);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        const QString path = dir.filePath("CONFIG.XML");
        WriteFileBytes(path, bytes);
        TAddressConfig config;
        config.LoadFromFile(path);
        QVERIFY(config.HasParseError);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY2(config.ErrorText.contains(QStringLiteral("TAddressConfig")),
                 qPrintable(config.ErrorText));
        // What was read before the error stays, the broken list is left alone.
        QCOMPARE(config.Lkz, lkz);
        QCOMPARE(config.AdressKz, QStringList());
        QCOMPARE(config.Nk, QStringList());
        QCOMPARE(config.SearchPlz, true);
    }

    void listTextIsSplitPerLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("one entry") << "A" << QStringList{"A"};
        QTest::newRow("CR LF") << "A\r\nB" << QStringList{"A", "B"};
        QTest::newRow("final break adds nothing") << "A\r\nB\r\n" << QStringList{"A", "B"};
        QTest::newRow("lone CR and LF") << "A\rB\nC" << QStringList{"A", "B", "C"};
        QTest::newRow("empty lines kept") << "A\r\n\r\nB" << QStringList{"A", "", "B"};
        QTest::newRow("LF CR is two breaks") << "A\n\rB" << QStringList{"A", "", "B"};
    }
    void listTextIsSplitPerLine() {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QCOMPARE(TAddressConfig::SplitListText(text), entries);
    }
};

KWP_REGISTER_TEST(TestAddressConfig)
#include "tst_addressconfig.moc"
