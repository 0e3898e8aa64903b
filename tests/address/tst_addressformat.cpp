#include <QtTest>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "app/systemeinstellungen.h"
#include "testsupport.h"

namespace {

// Fields in this order: id, Name1..Name4, Strasse, Land, Plz, Ort; missing ones stay empty.
TCustomerAnschrift* addAnschrift(TCustomerAnschriftObjectList& list, const QStringList& fields,
                                 bool std = false) {
    TCustomerAnschrift* a = list.Add();
    QString* targets[] = {&a->Id,      &a->Name1, &a->Name2, &a->Name3, &a->Name4,
                          &a->Strasse, &a->Land,  &a->Plz,   &a->Ort};
    for (int i = 0; i < fields.size(); ++i) *targets[i] = fields.at(i);
    a->Std = std;
    return a;
}

void fillAnschriften(TCustomerAnschriftObjectList& list) {
    addAnschrift(
        list, {"01", "Müller GmbH", "Einkauf", "", "", "Hauptstr. 1", "D", "12345", "Köln"}, true);
    addAnschrift(list, {"02", "Wiener Filiale", "", "", "", "Ring 2", "A", "1010", "Wien"});
    addAnschrift(list, {"03", "Ohne Land", "", "", "Name 4", "", "", "", "Berlin"});
    addAnschrift(list, {"04", "Nur PLZ", "", "", "", "", "d", "99999"});
    addAnschrift(list, {"05", "Suisse", "", "", "", "", "CH", "8000", "Zürich"});
    addAnschrift(list, {"06", "Unbekannt", "", "", "", "", "XX", "", "Irgendwo"});
}

}  // namespace

class TestAddressFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Lines of the block, '|' for the line break; the one-line form joins them with blanks.
    // Foreign towns are written in capitals with the country below, the home country's not.
    void formatsBlockAndLine() {
        const struct {
            const char *lkz, *id, *extra, *lines;
        } withCountries[] = {
            {"D", "", "", "Müller GmbH|Einkauf|Hauptstr. 1|12345 Köln"},  // blank id: default
            {"D", "01", "z. Hd. Herrn Schmidt",
             "Müller GmbH|Einkauf|z. Hd. Herrn Schmidt|Hauptstr. 1|12345 Köln"},
            {"D", "02", "", "Wiener Filiale|Ring 2|1010 WIEN|Österreich"},
            {"D", "12345_02", "", "Wiener Filiale|Ring 2|1010 WIEN|Österreich"},
            {"D", "03", "", "Ohne Land|Name 4|Berlin"},
            {"D", "04", "", "Nur PLZ|99999|Deutschland"},  // country code compared exactly
            {"D", "05", "Abt. 3", "Suisse|Abt. 3|8000 ZÜRICH|Schweiz"},
            {"D", "06", "", "Unbekannt|IRGENDWO"},
            {"D", "2", "x", ""},  // id compared exactly
            {"A", "02", "", "Wiener Filiale|Ring 2|1010 Wien"},
            {"A", "", "", "Müller GmbH|Einkauf|Hauptstr. 1|12345 KÖLN|Deutschland"},
        };
        TCustomerAnschriftObjectList list;
        fillAnschriften(list);
        TAddressConfig config;
        const auto check = [&](const char* lkz, const char* id, const char* extra,
                               const QString& lines) {
            config.Lkz = lkz;
            QCOMPARE(TCustomerAddress::FormatAnschriftBlock(list, config, id, extra),
                     QString(lines).replace(u'|', QStringLiteral("\r\n")));
            QCOMPARE(TCustomerAddress::FormatAnschriftLine(list, config, id, extra),
                     QString(lines).replace(u'|', u' '));
        };
        {
            // An installation with a country list in the system code page.
            QTemporaryDir dir;
            QVERIFY(QDir(dir.path()).mkpath("BIN") && QDir(dir.path()).mkpath("ETC"));
            WriteFileBytes(dir.path() + "/ETC/ISO_COUNTRYCODES.DAT",
                           "Deutschland\tD\tDE\r\n\xd6sterreich\tA\tAT\r\nSchweiz\tCH\tCH\r\n"
                           "Frankreich\tF\tFR\r\n");
            QVERIFY(InitApplicationFor(TProgramDir::Bin, dir.path() + "/BIN/kwp00207"));
            const auto finalize = qScopeGuard(&FinalizeApplication);
            for (const auto& r : withCountries) check(r.lkz, r.id, r.extra, r.lines);
        }
        // Without the installation's country list a foreign address has no country line.
        check("D", "02", "", "Wiener Filiale|Ring 2|1010 WIEN");
        list.Clear();
        check("D", "", "extra", "");
        addAnschrift(list, {"01", "Kein Standard"});
        check("D", "", "extra", "");
        check("D", "01", "", "Kein Standard");
    }

    // Parts are trimmed; a long street is cut to 150 characters, names to the rest of 250.
    void shortText() {
        const QString s150(150, u's');
        const struct {
            QStringList names, place;  // place: Strasse, Land, Plz, Ort
            QString expected;
        } rows[] = {
            {{" Müller ", "GmbH", "", "z. Hd."},
             {" Hauptstr. 1 ", "D", "12345", "Köln"},
             "Müller GmbH z. Hd. Hauptstr. 1 D-12345 Köln"},
            {{"Müller"}, {"Weg 1", "", "12345", "Köln"}, "Müller Weg 1 12345 Köln"},
            {{"  ", " "}, {"  "}, ". . . . ."},
            {{"Kurz"}, {s150}, "Kurz " + s150},
            {{"Kurz"}, {s150 + u's'}, "Kurz " + QString(147, u's') + "..."},
            {{QString(300, u'n')}, {"Weg 1"}, QString(242, u'n') + "... Weg 1"},
            {{QString(200, u'n'), QString(200, u'm')},
             {QString(400, u's')},
             QString(97, u'n') + "... " + QString(147, u's') + "..."},
        };
        for (const auto& r : rows) {
            TCustomerAddress record;
            addAnschrift(record.Anschriften, {"01", "Nicht Standard"});
            QStringList names = r.names;
            while (names.size() < 4) names.append(QString());
            addAnschrift(record.Anschriften, QStringList{"02"} + names + r.place, true);
            QCOMPARE(record.GetShortText(), r.expected);
            // Without a default address there is nothing to show.
            record.Anschriften.Items(1)->Std = false;
            QCOMPARE(record.GetShortText(), QStringLiteral(". . . . ."));
        }
    }

    // Kind, names cut to 35, street and "land-plz ort" for the list hints.
    void anschriftText() {
        TCustomerAddress record;
        addAnschrift(record.Anschriften, {"01", "Erste", "", "", "", "", "", "12345", "Köln"});
        TCustomerAnschrift* a = addAnschrift(record.Anschriften,
                                             {"02", QString(36, u'a'), QString(35, u'b'), "",
                                              "Name 4", "Hauptstr. 1", "D", "12345", "Köln"},
                                             true);
        a->AArt = "Rechnung";
        addAnschrift(record.Anschriften, {"03", "Dritte", "", "", "", "", "A"});
        addAnschrift(record.Anschriften, {"04"});
        const QList<QPair<int, QString>> rows{
            {-1, "Rechnung\r\n" + QString(35, u'a') + "...\r\n" + QString(35, u'b') +
                     "\r\nName 4\r\nHauptstr. 1\r\nD-12345 Köln"},
            {0, "Erste\r\n12345 Köln"},
            {2, "Dritte\r\nA"}};
        for (const auto& [index, expected] : rows)
            QCOMPARE(record.GetAnschriftText(index), expected);
        a->Std = false;
        QCOMPARE(record.GetAnschriftText(-1), QString());
    }
};

KWP_REGISTER_TEST(TestAddressFormat)
#include "tst_addressformat.moc"
