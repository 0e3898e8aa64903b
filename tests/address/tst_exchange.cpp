#include <QtTest>

#include "address/addresscsv.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/phonetics.h"
#include "address/vcard.h"
#include "app/errorreport.h"
#include "testsupport.h"

namespace {

// A customer with two postal addresses and two contacts, texts that need escaping and a long
// note.
void richAddress(TCustomerAddress& r) {
    QVERIFY(
        r.LoadFromXML(QString::fromUtf8(ReadFileBytes(QFINDTESTDATA("data/vcard_address.xml")))));
}

QString python(const QString& script, const QStringList& args = {}) {
    QProcess p;
    p.start("/usr/bin/python3", QStringList{"-c", script} + args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qWarning("%s", p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Tag: the text; codes: Kölner Phonetik worked out by hand from the letter rules (the
    // published example, vowels merged, C before H at the start, X at the start, P before H,
    // a leading zero kept, T before Z, doubles across H, ß, C after S) and Soundex.
    void phonetics_data() {
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("Müller-Lüdenscheidt") << QStringList{"65752682", "M464"};
        QTest::newRow("Meyer") << QStringList{"67", "M600"};
        QTest::newRow("Christoph") << QStringList{"47823", "C623"};
        QTest::newRow("Xaver") << QStringList{"4837", "X160"};
        QTest::newRow("Acht") << QStringList{"042", "A230"};
        QTest::newRow("Dietz") << QStringList{"28", "D320"};
        QTest::newRow("Matthäus") << QStringList{"628", "M320"};
        QTest::newRow("Straße") << QStringList{"8278", "S362"};
        QTest::newRow("Ashcraft") << QStringList{"08732", "A261"};
        QTest::newRow("Pfister") << QStringList{"13827", "P236"};
        QTest::newRow("12-34") << QStringList{"", ""};
    }
    void phonetics() {
        QFETCH(QStringList, codes);
        const QString text = QString::fromUtf8(QTest::currentDataTag());
        QCOMPARE(QStringList({TPhonetics::KoelnerPhonetik(text), TPhonetics::Soundex(text)}),
                 codes);
    }

    // Byte for byte as the cards were written by hand from RFC 2426 and RFC 6350, and read
    // back by vobject, an independent parser.
    void vcardWritten_data() {
        QTest::addColumn<int>("version");
        QTest::newRow("3.0") << 3;
        QTest::newRow("4.0") << 4;
    }
    void vcardWritten() {
        QFETCH(int, version);
        TCustomerAddress r;
        richAddress(r);
        const QString golden = QFINDTESTDATA(QString("data/vcard%1.vcf").arg(version * 10));
        QTemporaryDir dir;
        const QString path = dir.filePath("out.vcf");
        TVCard::WriteFile(path, {&r}, version);
        QCOMPARE(ReadFileBytes(path), ReadFileBytes(golden));
        if (!QFileInfo("/usr/bin/python3").exists()) QSKIP("python3 is not installed");
        const QString seen = python(
            "import sys, vobject\n"
            "c = vobject.readOne(open(sys.argv[1], encoding='utf-8', newline='').read())\n"
            "a = c.adr_list[0].value\n"
            "print(c.n.value.family, c.n.value.given, c.org.value[0], a.street, a.code, a.city,\n"
            "      len(c.tel_list), c.email.value, c.note.value, c.categories.value, sep='|')\n",
            {path});
        QCOMPARE(seen,
                 "Müller|Hans|Müller & Söhne GmbH|Hauptstraße 5|50667|Köln|4|"
                 "hans.mueller@mueller-soehne.de|Lieferung nur vormittags; Anlieferung "
                 "über \"Tor 2\", Rampe links, vorher anrufen.\nSchlüssel beim "
                 "Pförtner|['Kunde', 'Stammkunde', 'Newsletter']\n");
    }

    // A card of vobject, one of an old phone (2.1 with quoted-printable and an unknown property).
    void vcardRead_data() {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QString>("anschrift");
        QTest::addColumn<QStringList>("channels");
        QTest::addColumn<QString>("info");
        const QByteArray vobjectCard =
            python(
                "import vobject, sys\n"
                "c = vobject.vCard()\n"
                "c.add('fn').value = 'Erika Mustermann'\n"
                "c.add('n').value = vobject.vcard.Name(family='Mustermann', given='Erika', "
                "prefix='Frau')\n"
                "c.add('org').value = ['Beispiel AG', 'Einkauf']\n"
                "a = c.add('adr')\n"
                "a.value = vobject.vcard.Address(street='Heidestraße 17', city='Köln', "
                "code='51147', country='D')\n"
                "a.type_param = 'home'\n"
                "t = c.add('tel')\n"
                "t.value = '+49 171 1234567'\n"
                "t.type_param = 'cell'\n"
                "c.add('email').value = 'erika@beispiel.de'\n"
                "c.add('note').value = 'Rückruf ab 14 Uhr; bitte, danke\\\\ \\nEnde'\n"
                "c.add('categories').value = ['Lieferant', 'VIP']\n"
                "sys.stdout.write(c.serialize())\n")
                .toUtf8();
        QTest::newRow("vobject")
            << vobjectCard
            << "Beispiel AG|Erika Mustermann|Heidestraße 17|D|51147|Köln|Privatanschrift"
            << QStringList{"9  Frau Erika Mustermann", "7  Beispiel AG",
                           "4 E-Mail erika@beispiel.de", "2 Mobil +49 171 1234567"}
            << "Rückruf ab 14 Uhr; bitte, danke\\ \nEnde";
        QTest::newRow("2.1")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                   "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=FCrgen\r\n"
                   "item1.TEL;WORK;VOICE:0221 4711\r\n"
                   "ADR;HOME;QUOTED-PRINTABLE;CHARSET=UTF-8:;;Lange Stra=C3=9Fe 1=\r\n"
                   "0;K=C3=B6ln;;50667;D\r\nX-FOO;BAR=1:egal\r\nEND:VCARD\r\n")
            << "Jürgen Müller||Lange Straße 10|D|50667|Köln|Privatanschrift"
            << QStringList{"9  Jürgen Müller", "2 Telefon 0221 4711"} << "";
    }
    void vcardRead() {
        QFETCH(QByteArray, card);
        QFETCH(QString, anschrift);
        QFETCH(QStringList, channels);
        QFETCH(QString, info);
        TCustomerAdressObjectList list;
        TVCard::Read(card, list);
        QCOMPARE(list.Count(), 1);
        const TCustomerAddress& r = *list.Items(0);
        const TCustomerAnschrift& a = *r.Anschriften.Items(0);
        QCOMPARE(QStringList({a.Name1, a.Name2, a.Strasse, a.Land, a.Plz, a.Ort, a.AArt}).join('|'),
                 anschrift);
        QVERIFY(a.Std);
        QStringList lines;  // type, name and value of the contact's channels
        for (const auto& d : r.Kontakte.Items(0)->Data)
            lines << QString("%1 %2 %3").arg(d->CdType).arg(d->CdName, d->CdValue);
        QCOMPARE(lines, channels);
        QCOMPARE(r.Info, info);
        QVERIFY(r.Id.isEmpty());
    }

    // A fault anywhere names its line and adds nothing, not even the good cards before it.
    void vcardMalformed_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QByteArray good = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Gut\r\nEND:VCARD\r\n";
        QTest::newRow("no colon") << good + "BEGIN:VCARD\r\nVERSION:3.0\r\nFN Meier\r\nEND:VCARD"
                                  << "Zeile 7: Der Eintrag hat keinen Doppelpunkt";
        QTest::newRow("outside") << good + "FN:Meier\r\n"
                                 << "Zeile 5: Der Eintrag steht außerhalb";
        QTest::newRow("no end") << good + "\r\nBEGIN:VCARD\r\nFN:Meier\r\n"
                                << "Zeile 6: Die vCard endet nicht";
        QTest::newRow("version") << QByteArray("BEGIN:VCARD\r\nVERSION:5.0\r\nEND:VCARD\r\n")
                                 << "Zeile 2: Die vCard-Version \"5.0\"";
        QTest::newRow("charset") << QByteArray(
                                        "BEGIN:VCARD\r\nFN;CHARSET=X-KAPUTT:a\r\nEND:VCARD\r\n")
                                 << "Zeile 2: Der Zeichensatz \"X-KAPUTT\"";
        QTest::newRow("empty") << QByteArray("\r\n") << "Der Text enthält keine vCard.";
    }
    void vcardMalformed() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        TCustomerAdressObjectList list;
        try {
            TVCard::Read(text, list);
            QFAIL("no error");
        } catch (const EKwpError& error) {
            QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        }
        QCOMPARE(list.Count(), 0);
    }

    // German spreadsheets: BOM, ";", quotes doubled, the line break kept inside quotes.
    void csvRow() {
        TCustomerAddress r;
        richAddress(r);
        const QByteArray csv = TAddressCsv::Write({&r});
        QVERIFY(
            csv.startsWith("\xEF\xBB\xBF"
                           "Adressnummer;Adressgruppe;Name 1;"));
        QCOMPARE(csv.mid(csv.indexOf("\r\n") + 2),
                 "K00042;Kunde;Müller & Söhne GmbH;Niederlassung Köln;;;Hauptstraße 5;D;50667;Köln;"
                 "0221 123456;0171 9876543;0221 123457;hans.mueller@mueller-soehne.de;"
                 "www.mueller-soehne.de;Stammkunde, Newsletter;\"Lieferung nur vormittags; "
                 "Anlieferung über \"\"Tor 2\"\", Rampe links, vorher anrufen.\nSchlüssel beim "
                 "Pförtner\"\r\n");
    }
};

KWP_REGISTER_TEST(TestExchange)
#include "tst_exchange.moc"
