#include <QtTest>

#include "app/inifile.h"
#include "testsupport.h"

namespace {

// The bytes of a text in an encoding, written without the INI class.
QByteArray encoded(TIniEncoding encoding, const QString& text) {
    const auto with = [&](QStringConverter::Encoding e) {
        return QByteArray(QStringEncoder(e).encode(text));
    };
    switch (encoding) {
        case TIniEncoding::Utf16LEBom:
            return "\xFF\xFE" + with(QStringConverter::Utf16LE);
        case TIniEncoding::Utf16LE:
            return with(QStringConverter::Utf16LE);
        case TIniEncoding::Utf16BEBom:
            return "\xFE\xFF" + with(QStringConverter::Utf16BE);
        case TIniEncoding::Utf8Bom:
            return "\xEF\xBB\xBF" + text.toUtf8();
        case TIniEncoding::Utf8:
            return text.toUtf8();
        case TIniEncoding::Latin1:
            return text.toLatin1();
    }
    return {};
}

QString iniFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath("TEST.INI");
    WriteFileBytes(path, bytes);
    return path;
}

// The same settings in every encoding: umlauts, a backslash path, '=' inside a value, blanks
// around names and values, a comment and a line without '='.
const QString SampleText = QStringLiteral(
    "; Kommentar=kein Schlüssel\r\n"
    "Vorspann=unsichtbar\r\n"
    "[Allgemein]\r\n"
    "Name = Müller & Söhne \r\n"
    "  ;Name=auskommentiert\r\n"
    "Pfad=C:\\SUITE\\DATA\\\r\n"
    "Formel=a=b==c\r\n"
    "Leer=\r\n"
    "nur Text ohne Gleichheitszeichen\r\n"
    "\t Zahl\t=\t42 \r\n"
    "[ Ärger ]\n"
    "Größe=Maß\n"
    "Doppelt=erster\r"
    "Doppelt=zweiter\r\n"
    "[Allgemein]\r\n"
    "Zweiter=Abschnitt\r\n");

}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Read in every encoding, one value changed and written back in the same encoding.
    void everyEncoding_data() {
        QTest::addColumn<TIniEncoding>("encoding");
        QTest::addColumn<bool>("lfOnly");
        QTest::newRow("UTF-16LE BOM") << TIniEncoding::Utf16LEBom << false;
        QTest::newRow("UTF-16LE") << TIniEncoding::Utf16LE << false;
        QTest::newRow("UTF-16BE BOM") << TIniEncoding::Utf16BEBom << false;
        QTest::newRow("UTF-8 BOM") << TIniEncoding::Utf8Bom << false;
        QTest::newRow("UTF-8 LF") << TIniEncoding::Utf8 << true;
        QTest::newRow("Latin-1") << TIniEncoding::Latin1 << false;
    }
    void everyEncoding() {
        QFETCH(TIniEncoding, encoding);
        QFETCH(bool, lfOnly);
        QTemporaryDir dir;
        QString text = SampleText;
        if (lfOnly) text.replace("\r\n", "\n");
        const QString path = iniFile(dir, encoded(encoding, text));
        {
            TIniFile ini(path);
            QCOMPARE(ini.encoding(), encoding);
            // section, key, value; "-" when there is none
            const char* const rows[][3] = {{"allgemein", "name", "Müller & Söhne"},
                                           {"ärger", "GRÖßE", "Maß"},
                                           {"Ärger", "doppelt", "zweiter"},
                                           {"Allgemein", "Zweiter", "Abschnitt"},
                                           {"Allgemein", "Zahl", "42"},
                                           {"Allgemein", "Formel", "a=b==c"},
                                           {"", "Vorspann", "-"},
                                           {"Allgemein", ";Name", "-"}};
            for (const auto& [section, key, value] : rows)
                QCOMPARE(ini.ReadString(section, key, "-"), QString(value));
            QVERIFY(!ini.SectionExists("Vorspann"));
            QCOMPARE(ini.ReadSections(), QStringList({"Allgemein", "Ärger"}));
            QCOMPARE(ini.ReadSection("ALLGEMEIN"),
                     QStringList({"Name", "Pfad", "Formel", "Leer", "Zahl", "Zweiter"}));
            QCOMPARE(ini.ReadSection("Ärger"), QStringList({"Größe", "Doppelt"}));
            QCOMPARE(ini.ReadSection("Fehlt"), QStringList());
            ini.WriteString("Ärger", "Größe", "Übermaß");
            QVERIFY(ini.isModified());
            ini.UpdateFile();
            QVERIFY(!ini.isModified());
        }
        // Every other line survives as it stood; line ends become CR LF.
        QString expected = SampleText;
        expected.replace("Größe=Maß\n", "Größe=Übermaß\r\n");
        expected.replace("\n", "\r\n").replace("\r\r\n", "\r\n").replace("erster\r", "erster\r\n");
        QCOMPARE(ReadFileBytes(path), encoded(encoding, expected));
    }

    // A line break in a value must not start a line of its own (a section, a key).
    void newFileIsUtf16WithBom() {
        QTemporaryDir dir;
        const QString path = dir.filePath("NEU.INI");
        TIniFile ini(path);
        QCOMPARE(ini.ReadSections(), QStringList());
        ini.WriteString("KWP00207Form1", "Breite", "800");
        ini.WriteInteger("KWP00207Form1", "Hoehe", -1);
        ini.WriteBool("Optionen", "Aktiv", true);
        ini.WriteBool("Optionen", "Passiv", false);
        ini.WriteString("Optionen", "Text", "Zeile 1\r\n[Rechte]\nAdmin=1");
        ini.UpdateFile();
        QCOMPARE(ReadFileBytes(path),
                 encoded(TIniEncoding::Utf16LEBom,
                         "[KWP00207Form1]\r\nBreite=800\r\nHoehe=-1\r\n\r\n[Optionen]\r\n"
                         "Aktiv=1\r\nPassiv=0\r\nText=Zeile 1  [Rechte] Admin=1\r\n"));
    }

    void writeKeepsLayout() {
        QTemporaryDir dir;
        const QString path = iniFile(
            dir,
            encoded(
                TIniEncoding::Utf8,
                "; Kopf für A\r\n[A]\r\neins = 1\r\n; zu zwei\r\nzwei=2\r\n\r\n[B]\r\ndrei=3\r\n"));
        TIniFile ini(path);
        ini.WriteString("a", "ZWEI", "zwei");  // keeps the stored spelling of the names
        ini.WriteString("A", "vier", "4");     // after the last key, before the blank line
        ini.WriteString("C", "fünf", "5");
        ini.WriteString("A", "eins", "1");  // unchanged value: line stays as it was
        ini.UpdateFile();
        QCOMPARE(ReadFileBytes(path),
                 encoded(TIniEncoding::Utf8,
                         "; Kopf für A\r\n[A]\r\neins = 1\r\n; zu zwei\r\nzwei=zwei\r\nvier=4\r\n"
                         "\r\n[B]\r\ndrei=3\r\n\r\n[C]\r\nfünf=5\r\n"));
    }

    void eraseAndDelete() {
        QTemporaryDir dir;
        const QString path = iniFile(dir, encoded(TIniEncoding::Latin1, SampleText));
        TIniFile ini(path);
        ini.EraseSection("allgemein");      // both occurrences
        ini.DeleteKey("ÄRGER", "doppelt");  // both values
        ini.DeleteKey("Ärger", "Fehlt");
        ini.UpdateFile();
        QCOMPARE(ReadFileBytes(path),
                 encoded(TIniEncoding::Latin1,
                         "; Kommentar=kein Schlüssel\r\nVorspann=unsichtbar\r\n"
                         "[ Ärger ]\r\nGröße=Maß\r\n"));
    }

    // Characters Latin-1 cannot hold turn the file into UTF-16.
    void latin1FileTakesForeignCharacters() {
        QTemporaryDir dir;
        const QString path = iniFile(dir, encoded(TIniEncoding::Latin1, "[S]\r\nName=Jörg\r\n"));
        TIniFile ini(path);
        QCOMPARE(ini.encoding(), TIniEncoding::Latin1);
        ini.WriteString("S", "Preis", "10 €, Łódź");
        ini.UpdateFile();
        QCOMPARE(ReadFileBytes(path),
                 encoded(TIniEncoding::Utf16LEBom, "[S]\r\nName=Jörg\r\nPreis=10 €, Łódź\r\n"));
    }
};

KWP_REGISTER_TEST(TestIniFile)
#include "tst_inifile.moc"
