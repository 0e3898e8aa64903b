#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "app/systemeinstellungen.h"
#include "testsupport.h"

namespace {

// An installation with a country list, set up as the process settings for one test.
class CountryList {
public:
    CountryList() {
        QDir(m_dir.path()).mkpath("BIN");
        QDir(m_dir.path()).mkpath("ETC");
        // 8-bit file in the system code page
        WriteFileBytes(m_dir.path() + "/ETC/ISO_COUNTRYCODES.DAT",
                       QByteArray("Deutschland\tD\tDE\r\n") + "\xd6sterreich\tA\tAT\r\n" +
                           "Schweiz\tCH\tCH\r\nFrankreich\tF\tFR\r\n");
        m_ready = InitApplicationFor(TProgramDir::Bin, m_dir.path() + "/BIN/kwp00207");
    }
    ~CountryList() { FinalizeApplication(); }
    bool ready() const { return m_ready; }

private:
    QTemporaryDir m_dir;
    bool m_ready = false;
};

TCustomerAnschrift* addAnschrift(TCustomerAnschriftObjectList& list, const QString& id,
                                 const QStringList& names, const QString& strasse,
                                 const QString& land, const QString& plz, const QString& ort,
                                 bool std = false) {
    TCustomerAnschrift* a = list.Add();
    a->Id = id;
    a->Name1 = names.value(0);
    a->Name2 = names.value(1);
    a->Name3 = names.value(2);
    a->Name4 = names.value(3);
    a->Strasse = strasse;
    a->Land = land;
    a->Plz = plz;
    a->Ort = ort;
    a->Std = std;
    return a;
}

void fillAnschriften(TCustomerAnschriftObjectList& list) {
    addAnschrift(list, "01", {"Müller GmbH", "Einkauf"}, "Hauptstr. 1", "D", "12345", "Köln", true);
    addAnschrift(list, "02", {"Wiener Filiale"}, "Ring 2", "A", "1010", "Wien");
    addAnschrift(list, "03", {"Ohne Land", "", "", "Name 4"}, "", "", "", "Berlin");
    addAnschrift(list, "04", {"Nur PLZ"}, "", "d", "99999", "");
    addAnschrift(list, "05", {"Suisse"}, "", "CH", "8000", "Zürich");
    addAnschrift(list, "06", {"Unbekannt"}, "", "XX", "", "Irgendwo");
}

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

class TestAddressFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatsBlockAndLine_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("extraLine");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("blank id: default address")
            << ""
            << "" << QStringList{"Müller GmbH", "Einkauf", "Hauptstr. 1", "12345 Köln"};
        QTest::newRow("extra line under the names")
            << "01"
            << "z. Hd. Herrn Schmidt"
            << QStringList{"Müller GmbH", "Einkauf", "z. Hd. Herrn Schmidt", "Hauptstr. 1",
                           "12345 Köln"};
        QTest::newRow("foreign") << "02"
                                 << ""
                                 << QStringList{"Wiener Filiale", "Ring 2", "1010 WIEN",
                                                "Österreich"};
        QTest::newRow("number_id selector")
            << "12345_02"
            << "" << QStringList{"Wiener Filiale", "Ring 2", "1010 WIEN", "Österreich"};
        QTest::newRow("only the first underscore") << "K_1_02"
                                                   << "" << QStringList();
        QTest::newRow("no country") << "03"
                                    << "" << QStringList{"Ohne Land", "Name 4", "Berlin"};
        QTest::newRow("country code compared exactly")
            << "04"
            << "" << QStringList{"Nur PLZ", "99999", "Deutschland"};
        QTest::newRow("foreign town in capitals")
            << "05"
            << "Abt. 3" << QStringList{"Suisse", "Abt. 3", "8000 ZÜRICH", "Schweiz"};
        QTest::newRow("unknown country") << "06"
                                         << "" << QStringList{"Unbekannt", "IRGENDWO"};
        QTest::newRow("missing id") << "07"
                                    << "x" << QStringList();
        QTest::newRow("id compared exactly") << "2"
                                             << "" << QStringList();
    }
    void formatsBlockAndLine() {
        QFETCH(QString, id);
        QFETCH(QString, extraLine);
        QFETCH(QStringList, lines);
        CountryList countries;
        QVERIFY(countries.ready());
        TCustomerAnschriftObjectList list;
        fillAnschriften(list);
        TAddressConfig config;
        config.Lkz = "D";
        QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, id, extraLine),
                 lines.join(kCrLf));
        QCOMPARE(TCustomerAddress::FormatAnschriftLine(list, config, id, extraLine),
                 lines.join(u' '));
    }

    void homeCountryComesFromTheConfiguration() {
        CountryList countries;
        QVERIFY(countries.ready());
        TCustomerAnschriftObjectList list;
        fillAnschriften(list);
        TAddressConfig config;
        config.Lkz = "A";
        QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, "02", {}),
                 QStringLiteral("Wiener Filiale\r\nRing 2\r\n1010 Wien"));
        QCOMPARE(TCustomerAddress::FormatAnschriftLine(list, config, "", {}),
                 QStringLiteral("Müller GmbH Einkauf Hauptstr. 1 12345 KÖLN Deutschland"));
    }

    void withoutDefaultOrCountryList() {
        TAddressConfig config;
        TCustomerAnschriftObjectList list;
        QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, "", "extra"), QString());
        addAnschrift(list, "01", {"Kein Standard"}, "", "", "", "");
        QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, "", "extra"), QString());
        QCOMPARE(TCustomerAddress::FormatAnschriftLine(list, config, " ", {}), QString());
        QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, "01", {}),
                 QStringLiteral("Kein Standard"));
        // Without the installation's country list a foreign address has no country line.
        list.Clear();
        fillAnschriften(list);
        config.Lkz = "D";
        QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, "02", {}),
                 QStringLiteral("Wiener Filiale\r\nRing 2\r\n1010 WIEN"));
    }

    void shortText_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("strasse");
        QTest::addColumn<QString>("land");
        QTest::addColumn<QString>("plz");
        QTest::addColumn<QString>("ort");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& names, const QString& strasse,
                            const char* land, const char* plz, const char* ort,
                            const QString& expected) {
            QTest::newRow(name) << names << strasse << QString::fromUtf8(land)
                                << QString::fromUtf8(plz) << QString::fromUtf8(ort) << expected;
        };
        const QString s150(150, u's');
        row("all parts, trimmed", {" Müller ", "GmbH", "", "z. Hd."}, " Hauptstr. 1 ", "D", "12345",
            "Köln", "Müller GmbH z. Hd. Hauptstr. 1 D-12345 Köln");
        row("no country", {"Müller"}, "Weg 1", "", "12345", "Köln", "Müller Weg 1 12345 Köln");
        row("country without street", {"A"}, "", "D", "1", "", "A D-1");
        row("only town", {}, "", "", "", "Köln", " Köln");
        row("blank", {"  ", " "}, "  ", "", "", "", ". . . . .");
        row("place of 150 stays", {"Kurz"}, s150, "", "", "", "Kurz " + s150);
        row("long place cut to 150", {"Kurz"}, s150 + u's', "", "", "",
            "Kurz " + QString(147, u's') + "...");
        row("names fill the room", {QString(245, u'n')}, "Weg 1", "", "", "",
            QString(245, u'n') + " Weg 1");
        row("long names cut to the room", {QString(300, u'n')}, "Weg 1", "", "", "",
            QString(242, u'n') + "... Weg 1");
        row("both long", {QString(200, u'n'), QString(200, u'm')}, QString(400, u's'), "", "", "",
            QString(97, u'n') + "... " + QString(147, u's') + "...");
    }

    void shortText() {
        QFETCH(QStringList, names);
        QFETCH(QString, strasse);
        QFETCH(QString, land);
        QFETCH(QString, plz);
        QFETCH(QString, ort);
        TCustomerAddress record;
        addAnschrift(record.Anschriften, "01", {"Nicht Standard"}, "", "", "", "");
        addAnschrift(record.Anschriften, "02", names, strasse, land, plz, ort, true);
        QTEST(record.GetShortText(), "expected");
        // Without a default address there is nothing to show.
        record.Anschriften.Items(1)->Std = false;
        QCOMPARE(record.GetShortText(), QStringLiteral(". . . . ."));
    }

    void anschriftText_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default") << -1
                                 << "Rechnung\r\n" + QString(35, u'a') + "...\r\n" +
                                        QString(35, u'b') +
                                        "\r\nName 4\r\nHauptstr. 1\r\nD-12345 Köln";
        QTest::newRow("no country") << 0 << "Erste\r\n12345 Köln";
        QTest::newRow("only country") << 2 << "Dritte\r\nA";
        QTest::newRow("nothing") << 3 << "";
        QTest::newRow("out of range") << 4 << "";
        QTest::newRow("negative") << -2 << "";
    }
    void anschriftText() {
        QFETCH(int, index);
        TCustomerAddress record;
        addAnschrift(record.Anschriften, "01", {"Erste"}, "", "", "12345", "Köln");
        TCustomerAnschrift* a = addAnschrift(record.Anschriften, "02",
                                             {QString(36, u'a'), QString(35, u'b'), "", "Name 4"},
                                             "Hauptstr. 1", "D", "12345", "Köln", true);
        a->AArt = "Rechnung";
        addAnschrift(record.Anschriften, "03", {"Dritte"}, "", "A", "", "");
        addAnschrift(record.Anschriften, "04", {}, "", "", "", "");
        QTEST(record.GetAnschriftText(index), "expected");
        a->Std = false;
        QCOMPARE(record.GetAnschriftText(-1), QString());
    }
};

KWP_REGISTER_TEST(TestAddressFormat)
#include "tst_addressformat.moc"
