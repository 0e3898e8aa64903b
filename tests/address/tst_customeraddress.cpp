#include <QBuffer>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "address/addresslistfile.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "app/dialogs.h"
#include "app/translation.h"
#include "testsupport.h"

namespace {

QString goldenText(const char* name) {
    const QByteArray bytes = ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/") + name);
    // Kept as it is, byte-order mark included: GetXML returns it too.
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

TCustomerContactData* addData(TCustomerContact* contact, int type, const QString& name,
                              const QString& value, const QString& caract = {}) {
    TCustomerContactData* data = contact->Data.Add();
    data->CdType = quint8(type);
    data->CdName = name;
    data->CdValue = value;
    data->CdCaract = caract;
    return data;
}

void addWay(TCustomerAddress& record, int kind, const QString& comm, const QString& inst = {},
            const QString& bcode = {}, const QString& acc = {}, const QString& iban = {},
            const QString& bic = {}) {
    TPaymentWay* way = record.PaymentWays.Add();
    way->PayWay = quint8(kind);
    way->Comm = comm;
    way->Inst = inst;
    way->BCode = bcode;
    way->Acc = acc;
    way->Iban = iban;
    way->Bic = bic;
}

void addField(TCustomerAddress& record, const QString& name, int type,
              const std::function<void(TDsnElement&)>& set) {
    TDsnElement* field = record.ExtraFields.Add();
    field->Name = name;
    field->ElementType = quint8(type);
    set(*field);
}

// The record of the golden files: every field set, texts that need escaping, characters
// outside Latin-1.
void fillFull(TCustomerAddress& r) {
    r.Id = "K10001";
    r.AddrGrp = "Kunden & Partner";
    r.DisplayTxt = "Müller & Söhne <GmbH>";
    r.Created = 45000.5;
    r.Changed = 45321.25;
    r.CreatedBy = "MEIER";
    r.ChangedBy = "SCHULZE";
    r.Kennzeichen = QStringList{"VIP", "Zahlt \"pünktlich\""};
    r.IdWeiterl = "K10002";
    r.Wv = 45400;
    r.WvTxt = "Anrufen: 'Angebot' > 5 €";
    r.WvUser = "MEIER";
    TCustomerAnschrift* a = r.Anschriften.Add();
    a->Id = "01";
    a->Name1 = "Müller & Söhne GmbH";
    a->Name2 = "z. Hd. Frau Łukasiewicz";
    a->Strasse = "Hauptstraße 1";
    a->Land = "D";
    a->Plz = "12345";
    a->Ort = "Köln";
    a->Std = true;
    a->AArt = "Rechnungsanschrift";
    a = r.Anschriften.Add();
    a->Id = "02";
    a->Name1 = "Filiale \"Nord\"";
    a->Strasse = "Ring 2\r\nHinterhaus";
    a->Land = "A";
    a->Plz = "1010";
    a->Ort = "Wien";
    r.Sprache = "de_DE";
    r.UstIdNr = "DE123456789";
    r.StNr = "12/345/67890";
    r.MwStAusw = 1;
    r.Paragr13b = r.Paragr14b = r.Paragr6a = true;
    r.MahnTyp = 2;
    TCustomerContact* c = r.Kontakte.Add();
    c->Name = "Herr Schmidt";
    c->Std = true;
    addData(c, cdtZugehoerigeAnschrift, {}, "02");
    addData(c, cdtAnschriftErweiterung, {}, "Abteilung Einkauf");
    addData(c, cdtName, {}, "Hans Schmidt");
    addData(c, cdtBriefanrede, {}, "Sehr geehrter Herr Schmidt,");
    addData(c, cdtFirma, {}, "Müller & Söhne");
    addData(c, cdtPosition, {}, "Einkaufsleiter");
    addData(c, cdtTelefon, "Büro", "+49 221 12345-0", "Durchwahl");
    addData(c, cdtFax, "Fax", "+49 221 12345-99");
    addData(c, cdtEmail, "Mail", "h.schmidt@example.com", "dienstlich");
    addData(c, cdtInternet, "Web", "https://example.com/?a=1&b=2");
    addData(c, cdtDatum, "Geburtstag", "01.02.1970");
    addData(c, cdtSonstiges, "Hobby", "Angeln \"Forelle\"", "<privat>");
    c = r.Kontakte.Add();
    c->Name = QString::fromUtf8("Frau Ōta 😀");
    addData(c, cdtTelefon, "Mobil", "0170 1234567", QString::fromUtf8("😀"));
    r.Alarm = true;
    r.AlarmText = "Nur gegen Vorkasse!\r\nSiehe <Info>";
    r.ZInfo = "Skonto & Rabatt";
    r.Info = "Zeile 1\r\nZeile 2 – mit Gedankenstrich €";
    addWay(r, 0, {});
    addWay(r, 1, "bar & sofort");
    addWay(r, 2, "Scheck <gedeckt>");
    addWay(r, 3, "Hauskonto", "Sparkasse Köln<Bonn>", "37050198", "1234567890",
           "DE89370400440532013000", "COLSDE33");
    addWay(r, 4, {}, "Bank Austria", {}, {}, "AT611904300234573201", "BKAUATWW");
    addWay(r, 5, "Lastschrift 'Firma'", "Volksbank", "37060193", "987654");
    addWay(r, 6, "Vorkasse");
    addWay(r, 7, "Nachnahme\r\nzzgl. Gebühr");
    TPaymentTerm* t = r.PaymentTerms.Add();
    t->PtType = 0;
    t->Perc = 2;
    t->Days = 10;
    t->Dpw = 5;
    t = r.PaymentTerms.Add();
    t->PtType = 1;
    t->Perc = 1.5;
    t->Days = 3;
    r.DebitorNr = "D-100";
    r.DebitorKreditlimit = "5.000,00";
    r.DebitorVersicherung = "Hermes";
    r.DebitorBonitaet = "A+";
    r.KreditorNr = "K-200";
    r.OwnId = "4711";
    r.KreditorBearbeiter = "Frau Weiß";
    addField(r, "Bemerkung", 1,
             [](TDsnElement& e) { e.TextValue = "Text mit <Tag> & \"Quote\"\r\nZeile 2"; });
    addField(r, "Anzahl", 2, [](TDsnElement& e) { e.IntValue = -42; });
    addField(r, "Aktiv", 3, [](TDsnElement& e) { e.BoolValue = true; });
    addField(r, "Geburtstag", 4, [](TDsnElement& e) { e.FloatValue = 30000; });
    addField(r, "Uhrzeit", 5, [](TDsnElement& e) { e.FloatValue = 0.75; });
    addField(r, "Betrag", 6, [](TDsnElement& e) { e.FloatValue = 1234.5678; });
    r.KndVerz = "K10001_Müller";
}

// What a record written with full = false keeps.
void clearNotWritten(TCustomerAddress& r) {
    r.Id.clear();
    r.Created = r.Changed = 0;
    r.CreatedBy.clear();
    r.ChangedBy.clear();
    r.IdWeiterl.clear();
    r.Wv = 0;
    r.WvTxt.clear();
    r.WvUser.clear();
    r.AddrGrp.clear();
    r.Kennzeichen.clear();
}

// Loads text into a new record; fails the test on a parse error.
std::unique_ptr<TCustomerAddress> loaded(const QString& text) {
    auto record = std::make_unique<TCustomerAddress>();
    record->LoadFromXML(text);
    if (record->HasParseError) qWarning() << record->ErrorText;
    return record;
}

QString wrap(const QString& body) {
    return QStringLiteral("<kundenadr>") + body + QStringLiteral("</kundenadr>");
}

}  // namespace

class TestCustomerAddress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void writesGoldenDocument_data() {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("golden");
        QTest::newRow("full") << true << "customeraddress_full.xml";
        QTest::newRow("not full") << false << "customeraddress_short.xml";
    }
    void writesGoldenDocument() {
        QFETCH(bool, full);
        QFETCH(QString, golden);
        TCustomerAddress record;
        fillFull(record);
        const QString expected = goldenText(qPrintable(golden));
        QVERIFY(expected.size() > 100);
        const QString actual = record.GetXML(full);
        // Line by line first: a difference then names the line.
        const QStringList actualLines = actual.split(QStringLiteral("\r\n"));
        const QStringList expectedLines = expected.split(QStringLiteral("\r\n"));
        for (int i = 0; i < std::min(actualLines.size(), expectedLines.size()); ++i)
            QCOMPARE(actualLines.at(i), expectedLines.at(i));
        QCOMPARE(actual, expected);
    }

    void savedFileIsGoldenBytes() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        TCustomerAddress record;
        fillFull(record);
        const QString path = dir.filePath("ADR.XML");
        record.SaveToFile(path);
        QCOMPARE(ReadFileBytes(path),
                 ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/customeraddress_full.xml")));
    }

    void loadingGoldenRestoresRecord_data() { writesGoldenDocument_data(); }
    void loadingGoldenRestoresRecord() {
        QFETCH(bool, full);
        QFETCH(QString, golden);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        TCustomerAddress expected;
        fillFull(expected);
        if (!full) clearNotWritten(expected);
        TCustomerAddress record;
        record.Id = "STALE";
        record.Anschriften.Add()->Name1 = "alt";
        record.LoadFromFile(QStringLiteral(KWP_TEST_DATA_DIR "/") + golden);
        QVERIFY2(!record.HasParseError, qPrintable(record.ErrorText));
        QCOMPARE(record.Kontakte.Items(1)->Name, QString::fromUtf8("Frau Ōta 😀"));
        QCOMPARE(record.Kennzeichen, expected.Kennzeichen);
        QCOMPARE(record.ExtraFields.Count(), 6);
        QCOMPARE(record.ExtraFields.Items(5)->FloatValue, 1234.5678);
        QVERIFY(record.SameContent(expected));
        // And the loaded record writes the same text again.
        QCOMPARE(record.GetXML(full), goldenText(qPrintable(golden)));
    }

    void roundTripIgnoresProcessLocale_data() {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("reader");
        QTest::newRow("C to de_DE") << "C"
                                    << "de_DE";
        QTest::newRow("de_DE to en_US") << "de_DE"
                                        << "en_US";
    }
    void roundTripIgnoresProcessLocale() {
        QFETCH(QString, writer);
        QFETCH(QString, reader);
        QLocale::setDefault(QLocale(writer));
        TCustomerAddress record;
        fillFull(record);
        record.Created = 45296.63;
        record.Changed = 1234567.125;
        const QString xml = record.GetXML(true);
        for (const char* attribute : {" cr=\"45296,63\"", " ch=\"1234567,125\"", " perc=\"1,5\""})
            QVERIFY2(xml.contains(QLatin1String(attribute)), attribute);
        QLocale::setDefault(QLocale(reader));
        const auto copy = loaded(xml);
        QVERIFY(!copy->HasParseError);
        QVERIFY(copy->SameContent(record));
    }

    void notFullLeavesOutOnlyTheNamedFields() {
        TCustomerAddress record;
        fillFull(record);
        const QString xml = record.GetXMLBody(false);
        for (const char* name : {" id=", " cr=", " ch=", " crby=", " chby=", " idweiterl=", " wv=",
                                 " wvtxt=", " wvuser=", " addrgrp=", "<kz>"}) {
            const QString head = xml.section(QStringLiteral("\r\n"), 0, 0);
            QVERIFY2(!(name[0] == ' ' ? head : xml).contains(QLatin1String(name)), name);
        }
        const auto copy = loaded(xml);
        QVERIFY(copy->Id.isEmpty());
        QVERIFY(copy->Kennzeichen.isEmpty());
        QCOMPARE(copy->KndVerz, record.KndVerz);
        QCOMPARE(copy->OwnId, record.OwnId);
    }

    void eachTaxAndDunningValueIsItsOwn_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("attributes");
        QTest::newRow("13b") << 0 << " paragr13b=\"-1\"";
        QTest::newRow("14b") << 1 << " paragr14b=\"-1\"";
        QTest::newRow("6a") << 2 << " paragr6a=\"-1\"";
        QTest::newRow("mwstausw") << 3 << " mwstausw=\"2\"";
        QTest::newRow("mahntyp") << 4 << " mahntyp=\"1\"";
    }
    void eachTaxAndDunningValueIsItsOwn() {
        QFETCH(int, which);
        QFETCH(QString, attributes);
        TCustomerAddress record;
        record.Paragr13b = which == 0;
        record.Paragr14b = which == 1;
        record.Paragr6a = which == 2;
        record.MwStAusw = which == 3 ? 2 : 0;
        record.MahnTyp = which == 4 ? 1 : 0;
        const QString xml = record.GetXMLBody(false);
        QCOMPARE(xml.section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral("<kundenadr") + attributes + u'>');
        QVERIFY(loaded(xml)->SameContent(record));
    }

    void emptyRecordWritesOnlyTheAlwaysElements() {
        TCustomerAddress record;
        QCOMPARE(record.GetXMLBody(true, 4),
                 QStringLiteral("    <kundenadr cr=\"0\" ch=\"0\" crby=\"\" chby=\"\">\r\n"
                                "      <debitor />\r\n"
                                "      <kreditor />\r\n"
                                "      <alarm val=\"0\"></alarm>\r\n"
                                "      <zinfo></zinfo>\r\n"
                                "    </kundenadr>\r\n"));
    }

    void resubmissionTextNeedsADate() {
        TCustomerAddress record;
        record.WvTxt = "vergessen";
        record.WvUser = "MEIER";
        QVERIFY(!record.GetXMLBody(true).contains(QStringLiteral("wv")));
        record.Wv = -1.5;  // before 1899 still counts as a date
        QVERIFY(record.GetXMLBody(true).contains(
            QStringLiteral(" wv=\"-1,5\" wvtxt=\"vergessen\" wvuser=\"MEIER\"")));
    }

    void clearEmptiesEverything() {
        TCustomerAddress record;
        fillFull(record);
        record.PrintAnschriftId = "02";
        record.PrintExtraLine = "z. Hd.";
        record.Clear();
        TCustomerAddress empty;
        QVERIFY(record.SameContent(empty));
        QVERIFY(record.PrintAnschriftId.isEmpty());
        QVERIFY(record.PrintExtraLine.isEmpty());
        QCOMPARE(record.GetXMLBody(true), empty.GetXMLBody(true));
    }

    void assignMakesAnIndependentCopy() {
        TCustomerAddress record;
        fillFull(record);
        record.PrintAnschriftId = "02";
        TCustomerAddress copy;
        copy.Assign(record);
        QVERIFY(copy.SameContent(record));
        QCOMPARE(copy.PrintAnschriftId, QStringLiteral("02"));
        copy.Kontakte.Items(0)->Data.Items(0)->CdValue = "01";
        copy.Anschriften.Items(0)->Name1 = "anders";
        copy.PaymentWays.Items(3)->Iban.clear();
        QCOMPARE(record.Kontakte.Items(0)->Data.Items(0)->CdValue, QStringLiteral("02"));
        QCOMPARE(record.Anschriften.Items(0)->Name1, QStringLiteral("Müller & Söhne GmbH"));
        QVERIFY(!record.SameContent(copy));
    }

    // ------------------------------------------------------------ tolerant reading

    void missingAttributesKeepDefaults() {
        const auto record = loaded(
            wrap("<adr/><debitor/><kreditor/><alarm/><kontakte><kontakt><kontaktdata/></kontakt>"
                 "</kontakte><pwl><pw/></pwl><ptl><pt/></ptl><dsnobj>x</dsnobj>"));
        QVERIFY(!record->HasParseError);
        QCOMPARE(record->Created, 0.0);
        QCOMPARE(record->MwStAusw, 0);
        QCOMPARE(record->Anschriften.Count(), 1);
        QCOMPARE(*record->Anschriften.Items(0), TCustomerAnschrift());
        QCOMPARE(record->Kontakte.Count(), 1);
        QCOMPARE(record->Kontakte.Items(0)->Data.Count(), 1);
        QCOMPARE(*record->Kontakte.Items(0)->Data.Items(0), TCustomerContactData());
        QCOMPARE(record->PaymentWays.Items(0)->PayWay, quint8(0));
        QCOMPARE(record->PaymentTerms.Items(0)->Dpw, 7);
        QCOMPARE(record->ExtraFields.Count(), 1);
        QCOMPARE(record->ExtraFields.Items(0)->ElementType, quint8(0));
        QVERIFY(!record->Alarm);
    }

    void numbersWithForeignSeparators_data() {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<double>("created");
        QTest::addColumn<int>("mahnTyp");
        QTest::addColumn<double>("fieldValue");
        QTest::newRow("separators") << QStringLiteral(
                                           "<kundenadr cr=\"45.000,5\" mahntyp=\" 2 \"><dsnobj "
                                           "name=\"f\" type=\"6\">1,234.5</dsnobj></kundenadr>")
                                    << 45000.5 << 2 << 1234.5;
        QTest::newRow("blanks and text")
            << QStringLiteral(
                   "<kundenadr cr=\" 45000 \" mahntyp=\" 1x\"><dsnobj name=\"f\" "
                   "type=\"6\"> 2,5 </dsnobj></kundenadr>")
            << 45000.0 << 0 << 2.5;
        QTest::newRow("huge") << QStringLiteral("<kundenadr cr=\"") + QString(400, u'9') +
                                     QStringLiteral(
                                         "\" mahntyp=\"99999999999999999999\">"
                                         "<dsnobj name=\"f\" type=\"6\">1e400"
                                         "</dsnobj></kundenadr>")
                              << 0.0 << 0 << 0.0;
        QTest::newRow("unreadable")
            << QStringLiteral(
                   "<kundenadr cr=\"abc\" mahntyp=\"--\"><dsnobj name=\"f\" "
                   "type=\"6\">x</dsnobj></kundenadr>")
            << 0.0 << 0 << 0.0;
    }
    void numbersWithForeignSeparators() {
        QFETCH(QString, xml);
        QFETCH(double, created);
        QFETCH(int, mahnTyp);
        QFETCH(double, fieldValue);
        const auto record = loaded(xml);
        QVERIFY(!record->HasParseError);
        QCOMPARE(record->Created, created);
        QCOMPARE(record->MahnTyp, mahnTyp);
        QCOMPARE(record->ExtraFields.Items(0)->FloatValue, fieldValue);
    }

    void unknownElementsAreIgnored() {
        const auto record =
            loaded(wrap("<neu a=\"1\"><info2>fremd</info2><adr2 id=\"9\"/></neu><info>bleibt</info>"
                        "<zukunft>text</zukunft><at>Anzeige</at>"));
        QVERIFY(!record->HasParseError);
        QCOMPARE(record->Info, QStringLiteral("bleibt"));
        QCOMPARE(record->DisplayTxt, QStringLiteral("Anzeige"));
        QCOMPARE(record->Anschriften.Count(), 0);
    }

    void contactDataOutsideContactIsIgnored() {
        const auto record = loaded(
            wrap("<kontaktdata cdtype=\"2\" cdvalue=\"verloren\"/><kontakte><kontakt name=\"A\">"
                 "<kontaktdata cdtype=\"4\" cdvalue=\"a@b.de\"/></kontakt>"
                 "<kontaktdata cdtype=\"2\" cdvalue=\"auch verloren\"/></kontakte>"));
        QVERIFY(!record->HasParseError);
        QCOMPARE(record->Kontakte.Count(), 1);
        QCOMPARE(record->Kontakte.Items(0)->Data.Count(), 1);
        QCOMPARE(record->Kontakte.Items(0)->Data.Items(0)->CdValue, QStringLiteral("a@b.de"));
    }

    void extraFieldsOfUnknownTypeKeepNoValue_data() {
        QTest::addColumn<QString>("typeAttribute");
        QTest::newRow("type 9") << " type=\"9\"";
        QTest::newRow("type 0") << " type=\"0\"";
        QTest::newRow("missing") << "";
        QTest::newRow("huge") << " type=\"99999999999\"";
    }
    void extraFieldsOfUnknownTypeKeepNoValue() {
        QFETCH(QString, typeAttribute);
        const auto record =
            loaded(wrap("<dsnobj name=\"fremd\"" + typeAttribute +
                        " >wert</dsnobj><dsnobj name=\"gut\" type=\"1\">ok</dsnobj>"));
        QVERIFY(!record->HasParseError);
        QCOMPARE(record->ExtraFields.Count(), 2);
        const TDsnElement* strange = record->ExtraFields.Items(0);
        QVERIFY(strange->TextValue.isEmpty());
        QCOMPARE(strange->IntValue, 0);
        QCOMPARE(record->ExtraFields.Items(1)->TextValue, QStringLiteral("ok"));
        // Written back, the unknown field disappears and the known one stays.
        const QString xml = record->GetXMLBody(true);
        QVERIFY(!xml.contains(QStringLiteral("fremd")));
        QVERIFY(xml.contains(QStringLiteral("<dsnobj name=\"gut\" type=\"1\" >ok</dsnobj>")));
    }

    void textInSeveralChunksIsJoined() {
        // Entities and line breaks make expat deliver the texts in pieces; the long info
        // crosses the parser's input blocks.
        const QString longInfo = QString(100000, u'ä') + QStringLiteral("&amp;Ende");
        const auto record = loaded(wrap("<info>" + longInfo +
                                        "</info><at>a&amp;b&#13;&#10;c&lt;d</at>"
                                        "<alarm val=\"-1\">x&amp;y</alarm><zinfo>1&#10;2</zinfo>"
                                        "<dsnobj name=\"t\" type=\"1\">p&amp;q&#13;&#10;r</dsnobj>"
                                        "<dsnobj name=\"i\" type=\"2\">1&#50;3</dsnobj>"
                                        "<kz>A&amp;B&#13;&#10;C&#13;&#10;</kz>"));
        QVERIFY(!record->HasParseError);
        QCOMPARE(record->Info, QString(100000, u'ä') + QStringLiteral("&Ende"));
        QCOMPARE(record->DisplayTxt, QStringLiteral("a&b\r\nc<d"));
        QCOMPARE(record->AlarmText, QStringLiteral("x&y"));
        QCOMPARE(record->ZInfo, QStringLiteral("1\n2"));
        QCOMPARE(record->ExtraFields.Items(0)->TextValue, QStringLiteral("p&q\r\nr"));
        QCOMPARE(record->ExtraFields.Items(1)->IntValue, 123);
        QCOMPARE(record->Kennzeichen, (QStringList{"A&B", "C"}));
    }

    void alarmTextSwitchesTheAlarmOn() {
        QVERIFY(loaded(wrap("<alarm val=\"0\">Achtung</alarm>"))->Alarm);
        QVERIFY(!loaded(wrap("<alarm val=\"0\"></alarm>"))->Alarm);
        QVERIFY(loaded(wrap("<alarm val=\"-1\"></alarm>"))->Alarm);
    }

    void damagedDocumentIsReported() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TCustomerAddress record;
        record.LoadFromXML(QStringLiteral("<kundenadr id=\"7\"><info>abc</kundenadr>"));
        QVERIFY(record.HasParseError);
        QVERIFY(record.ErrorText.contains(QStringLiteral("TCustomerAddress")));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(record.Id, QStringLiteral("7"));
    }

    // ------------------------------------------------------------ lists

    void newIdTakesTheFirstFreeNumber_data() {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QStringList() << "01";
        QTest::newRow("01") << QStringList{"01"} << "02";
        QTest::newRow("01 03") << QStringList{"01", "03"} << "04";
        QTest::newRow("02 03") << QStringList{"02", "03"} << "04";
        QTest::newRow("05 x") << QStringList{"05", "x"} << "03";
        QTest::newRow("case and blanks") << QStringList{"1", " 02"} << "03";
        QStringList many;
        for (int i = 1; i <= 99; ++i) many.append(QStringLiteral("%1").arg(i, 2, 10, QChar(u'0')));
        QTest::newRow("beyond 99") << many << "100";
    }
    void newIdTakesTheFirstFreeNumber() {
        QFETCH(QStringList, ids);
        QFETCH(QString, expected);
        TCustomerAnschriftObjectList list;
        for (const QString& id : ids) list.Add()->Id = id;
        QCOMPARE(list.NewId(), expected);
    }

    void defaultsAndLookups() {
        TCustomerAddress record;
        QVERIFY(!record.Anschriften.DefaultAnschrift());
        QVERIFY(!record.Kontakte.DefaultContact());
        for (const char* id : {"01", "02", "03"}) record.Anschriften.Add()->Id = id;
        record.Anschriften.Items(1)->Std = true;
        record.Anschriften.Items(2)->Std = true;
        QCOMPARE(record.Anschriften.DefaultAnschrift(), record.Anschriften.Items(1));
        for (const char* name : {"Meier", "meier", "Schulz"}) record.Kontakte.Add()->Name = name;
        record.Kontakte.Items(2)->Std = true;
        QCOMPARE(record.Kontakte.DefaultContact(), record.Kontakte.Items(2));
        QCOMPARE(record.Kontakte.FindContact("meier"), record.Kontakte.Items(1));
        QVERIFY(!record.Kontakte.FindContact("MEIER"));
    }

    void anschriftExtension_data() {
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("expected");
        QTest::newRow("named") << "Meier"
                               << "Einkauf";
        QTest::newRow("blank takes default") << "  "
                                             << "Vertrieb";
        QTest::newRow("no extension") << "Ohne"
                                      << "vorgabe";
        QTest::newRow("unknown contact") << "Niemand"
                                         << "vorgabe";
        QTest::newRow("exact name only") << "meier"
                                         << "vorgabe";
    }
    void anschriftExtension() {
        QFETCH(QString, contact);
        QFETCH(QString, expected);
        TCustomerContactObjectList list;
        TCustomerContact* c = list.Add();
        c->Name = "Meier";
        addData(c, cdtTelefon, "Tel", "123");
        addData(c, cdtAnschriftErweiterung, {}, "Einkauf");
        addData(c, cdtAnschriftErweiterung, {}, "zweite");
        c = list.Add();
        c->Name = "Schulz";
        c->Std = true;
        addData(c, cdtAnschriftErweiterung, {}, "Vertrieb");
        c = list.Add();
        c->Name = "Ohne";
        addData(c, cdtName, {}, "Ohne");
        QCOMPARE(list.GetAnschriftExtension(contact, "vorgabe"), expected);
    }

    void keepOnlyContact_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("named, any case") << "MEIER" << QStringList{"Meier", "meier"};
        QTest::newRow("blank takes default") << "" << QStringList{"Schulz"};
        QTest::newRow("unknown") << "Niemand" << QStringList();
    }
    void keepOnlyContact() {
        QFETCH(QString, name);
        QFETCH(QStringList, remaining);
        TCustomerContactObjectList list;
        for (const char* n : {"Meier", "Schulz", "meier"}) list.Add()->Name = n;
        list.Items(1)->Std = true;
        list.KeepOnlyContact(name);
        QStringList names;
        for (const auto& contact : list) {
            names.append(contact->Name);
            QVERIFY(contact->Std);
        }
        QCOMPARE(names, remaining);
    }

    void keepOnlyAnschrift_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("named") << "03" << QStringList{"03"};
        QTest::newRow("case-insensitive") << "ab" << QStringList{"AB"};
        QTest::newRow("blank takes default") << " " << QStringList{"02"};
    }
    void keepOnlyAnschrift() {
        QFETCH(QString, id);
        QFETCH(QStringList, remaining);
        TCustomerAnschriftObjectList list;
        for (const char* i : {"01", "02", "03", "AB"}) list.Add()->Id = i;
        list.Items(1)->Std = true;
        list.KeepOnlyAnschrift(id);
        QStringList ids;
        for (const auto& anschrift : list) {
            ids.append(anschrift->Id);
            QVERIFY(anschrift->Std);
        }
        QCOMPARE(ids, remaining);
    }

    void recordListIndexOfId() {
        TCustomerAdressObjectList list;
        for (const char* id : {"K1", "k2", "K2"}) list.Add()->Id = id;
        QCOMPARE(list.IndexOfId("K2"), 2);
        QCOMPARE(list.IndexOfId("k1"), -1);
        QCOMPARE(list.IndexOfId(""), -1);
        std::unique_ptr<TCustomerAddress> taken = list.Extract(0);
        QCOMPARE(taken->Id, QStringLiteral("K1"));
        QCOMPARE(list.IndexOfId("K2"), 1);
    }

    void contactTypeNames_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        const char* names[] = {"Sonstiges",
                               "Datum",
                               "Telefonnummer",
                               "Faxnummer",
                               "E-Mail-Adresse",
                               "Internet-Adresse",
                               "Briefanrede",
                               "Firma",
                               "Position",
                               "Name",
                               "Anschrifterweiterung",
                               "Zugehoerige Anschrift"};
        for (int type = 0; type <= 11; ++type)
            QTest::addRow("%d", type) << type << QString::fromLatin1(names[type]);
        QTest::newRow("12") << 12 << "Sonstiges";
        QTest::newRow("255") << 255 << "Sonstiges";
        QTest::newRow("-1") << -1 << "Sonstiges";
    }
    void contactTypeNames() {
        QFETCH(int, type);
        QFETCH(QString, name);
        QCOMPARE(ContactTypeName(type), name);
    }

    void contactTypeNamesAreTranslated() {
        QVERIFY(UseLanguage(QStringLiteral("en_GB")));
        const QString phone = ContactTypeName(cdtTelefon);
        const QString related = ContactTypeName(cdtZugehoerigeAnschrift);
        UseLanguage(QStringLiteral("de_DE"));
        QCOMPARE(phone, QStringLiteral("Telephone number"));
        QCOMPARE(related, QStringLiteral("Related postal address"));
    }

    // ------------------------------------------------------------ list file

    void addressListFileIsGolden() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        TCustomerAdressObjectList list;
        list.Add()->Id = "A1";
        TCustomerAddress* b = list.Add();
        b->Id = "B2";
        b->Created = 45000;
        b->Changed = 45000.25;
        b->CreatedBy = "X";
        b->ChangedBy = "Y";
        TCustomerAnschrift* a = b->Anschriften.Add();
        a->Id = "01";
        a->Name1 = "Bär";
        a->Std = true;
        TCustomerContact* c = b->Kontakte.Add();
        c->Name = "A";
        c->Std = true;
        addData(c, cdtEmail, {}, "a@b.de");
        b->PaymentTerms.Add()->Days = 14;
        addField(*b, "F", 2, [](TDsnElement& e) { e.IntValue = 7; });
        b->Kennzeichen = QStringList{"X"};
        const QString path = dir.filePath("PICK.XML");
        SaveAddressListToFile(list, path);
        const QByteArray golden =
            ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/addresslist.xml"));
        QVERIFY(!golden.isEmpty());
        QCOMPARE(ReadFileBytes(path), golden);

        QBuffer stream;
        QVERIFY(stream.open(QIODevice::ReadWrite));
        SaveAddressListToStream(list, &stream);
        QCOMPARE(stream.data(), golden);

        TCustomerAdressObjectList back;
        back.Add()->Id = "STALE";
        QString error;
        QVERIFY(LoadAddressListFromFile(path, back, &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(back.Count(), 2);
        QVERIFY(back.Items(0)->SameContent(*list.Items(0)));
        QVERIFY(back.Items(1)->SameContent(*list.Items(1)));

        TCustomerAdressObjectList fromStream;
        QVERIFY(LoadAddressListFromStream(&stream, fromStream));
        QCOMPARE(fromStream.Count(), 2);
        QVERIFY(fromStream.Items(1)->SameContent(*list.Items(1)));
    }

    void addressListOfFullRecordsRoundTrips() {
        QTemporaryDir dir;
        TCustomerAdressObjectList list;
        fillFull(*list.Add());
        fillFull(*list.Add());
        list.Items(1)->Id = "K10002";
        list.Items(1)->Kontakte.Clear();
        const QString path = dir.filePath("LIST.XML");
        SaveAddressListToFile(list, path);
        TCustomerAdressObjectList back;
        QVERIFY(LoadAddressListFromFile(path, back));
        QCOMPARE(back.Count(), 2);
        QVERIFY(back.Items(0)->SameContent(*list.Items(0)));
        QVERIFY(back.Items(1)->SameContent(*list.Items(1)));
    }

    void addressListReadsOnlyRecords() {
        QTemporaryDir dir;
        const QString path = dir.filePath("OLD.XML");
        const QString text = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-16\"?><adressen><kopf>x</kopf>"
            "<kundenadr id=\"1\"><info>eins</info></kundenadr>text"
            "<kundenadr id=\"2\"><kontakte><kontakt name=\"k\"/></kontakte></kundenadr>"
            "</adressen>");
        QByteArray bytes("\xFF\xFE", 2);
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        WriteFileBytes(path, bytes);
        TCustomerAdressObjectList list;
        QVERIFY(LoadAddressListFromFile(path, list));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Items(0)->Info, QStringLiteral("eins"));
        QCOMPARE(list.Items(1)->Id, QStringLiteral("2"));
        QCOMPARE(list.Items(1)->Kontakte.Count(), 1);
    }

    void addressListMissingFileGivesEmptyList() {
        QTemporaryDir dir;
        TCustomerAdressObjectList list;
        list.Add();
        QString error = QStringLiteral("alt");
        QVERIFY(LoadAddressListFromFile(dir.filePath("FEHLT.XML"), list, &error));
        QCOMPARE(list.Count(), 0);
        QVERIFY(error.isEmpty());
    }

    void addressListDamagedIsReported_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        const QByteArray golden =
            ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/addresslist.xml"));
        QTest::newRow("not closed")
            << QByteArray("<adressen><kundenadr id=\"1\"/><kundenadr>") << 2;
        QTest::newRow("truncated") << golden.left(golden.size() / 2 + 1) << 2;
        QTest::newRow("8-bit declared as UTF-16")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-16\"?><adressen/>") << 0;
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe\x00<", 7) << 0;
    }
    void addressListDamagedIsReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QTemporaryDir dir;
        const QString path = dir.filePath("KAPUTT.XML");
        WriteFileBytes(path, bytes);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TCustomerAdressObjectList list;
        QString error;
        QVERIFY(!LoadAddressListFromFile(path, list, &error));
        QVERIFY(error.contains(QStringLiteral("Line")));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(list.Count(), records);
    }
};

KWP_REGISTER_TEST(TestCustomerAddress)
#include "tst_customeraddress.moc"
