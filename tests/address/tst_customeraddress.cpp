#include <QtTest>

#include "address/addresslistfile.h"
#include "address/customeraddress.h"
#include "app/dialogs.h"
#include "testsupport.h"

namespace {

const QString kData = QStringLiteral(KWP_TEST_DATA_DIR "/");

QString goldenText(const QString& name) {
    const QByteArray bytes = ReadFileBytes(kData + name);
    // Kept as it is, byte-order mark included: GetXML returns it too.
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// Loads text, without the line feeds that only keep it readable here, into a new record.
std::unique_ptr<TCustomerAddress> loaded(const QString& text) {
    auto record = std::make_unique<TCustomerAddress>();
    record->LoadFromXML(QString(text).remove(u'\n'));
    if (record->HasParseError) qWarning() << record->ErrorText;
    return record;
}

QString wrap(const QString& body) {
    return "<kundenadr>" + body + "</kundenadr>";
}

// The full record of the golden files, read in the process locale.
std::unique_ptr<TCustomerAddress> goldenRecord() {
    auto record = std::make_unique<TCustomerAddress>();
    record->Id = "STALE";
    record->Anschriften.Add()->Name1 = "alt";
    record->LoadFromFile(kData + "customeraddress_full.xml");
    if (record->HasParseError) qWarning() << record->ErrorText;
    return record;
}

}  // namespace

class TestCustomerAddress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The golden files are written from the rules: read under one locale and written under
    // another, every field comes back into its place and out as the same bytes.
    void readsAndWritesGoldenDocument_data() {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("writer");
        QTest::newRow("de_DE") << QString("de_DE") << QString("de_DE");
        QTest::newRow("en_US to C") << QString("en_US") << QString("C");
    }
    void readsAndWritesGoldenDocument() {
        QFETCH(QString, reader);
        QFETCH(QString, writer);
        ScriptedDialogs dialogs;
        QLocale::setDefault(QLocale(reader));
        const auto r = goldenRecord();
        QVERIFY(!r->HasParseError);
        const TCustomerAnschrift* a = r->Anschriften.Items(1);
        const TPaymentWay* w = r->PaymentWays.Items(3);
        const TPaymentTerm* t = r->PaymentTerms.Items(1);
        QCOMPARE(r->Anschriften.Count(), 2);
        QCOMPARE((QStringList{r->Id, a->Id, a->Strasse, a->Land, a->Plz, w->Inst, w->BCode, w->Acc,
                              w->Iban, w->Bic, r->Kontakte.Items(1)->Name, r->StNr, r->WvTxt,
                              r->DebitorKreditlimit, r->KreditorBearbeiter}),
                 (QStringList{"K10001", "02", "Ring 2\r\nHinterhaus", "A", "1010",
                              "Sparkasse Köln<Bonn>", "37050198", "1234567890",
                              "DE89370400440532013000", "COLSDE33", "Frau Ōta 😀", "12/345/67890",
                              "Anrufen: 'Angebot' > 5 €", "5.000,00", "Frau Weiß"}));
        QCOMPARE((QList<double>{r->Created, r->Changed, r->Wv, t->Perc, double(t->Days),
                                double(t->Dpw), r->ExtraFields.Items(4)->FloatValue,
                                r->ExtraFields.Items(5)->FloatValue}),
                 (QList<double>{45000.5, 45321.25, 45400, 1.5, 3, 7, 0.75, 1234.5678}));
        QLocale::setDefault(QLocale(writer));
        QCOMPARE(r->GetXML(TXmlContent::Full), goldenText("customeraddress_full.xml"));
        QCOMPARE(r->GetXML(TXmlContent::WithoutColumns), goldenText("customeraddress_short.xml"));
        QTemporaryDir dir;
        r->SaveToFile(dir.filePath("ADR.XML"));
        QCOMPARE(ReadFileBytes(dir.filePath("ADR.XML")),
                 ReadFileBytes(kData + "customeraddress_full.xml"));
    }

    void eachTaxAndDunningValueIsItsOwn() {
        const char* attributes[] = {" paragr13b=\"-1\"", " paragr14b=\"-1\"", " paragr6a=\"-1\"",
                                    " mwstausw=\"2\"", " mahntyp=\"1\""};
        for (int which = 0; which < 5; ++which) {
            TCustomerAddress record;
            record.Paragr13b = which == 0;
            record.Paragr14b = which == 1;
            record.Paragr6a = which == 2;
            record.MwStAusw = which == 3 ? 2 : 0;
            record.MahnTyp = which == 4 ? 1 : 0;
            const QString xml = record.GetXMLBody(TXmlContent::WithoutColumns);
            QCOMPARE(xml.section(QStringLiteral("\r\n"), 0, 0),
                     "<kundenadr" + QString(attributes[which]) + u'>');
            const auto back = loaded(xml);
            const QList<int> values{back->Paragr13b, back->Paragr14b, back->Paragr6a,
                                    back->MwStAusw / 2, back->MahnTyp};
            for (int i = 0; i < values.size(); ++i) QCOMPARE(values.at(i), int(i == which));
        }
    }

    void emptyAndClearedRecordsWriteOnlyTheAlwaysElements() {
        const QString empty = QStringLiteral(
            "    <kundenadr cr=\"0\" ch=\"0\" crby=\"\" chby=\"\">\r\n"
            "      <debitor />\r\n"
            "      <kreditor />\r\n"
            "      <alarm val=\"0\"></alarm>\r\n"
            "      <zinfo></zinfo>\r\n"
            "    </kundenadr>\r\n");
        QCOMPARE(TCustomerAddress().GetXMLBody(TXmlContent::Full, 4), empty);
        const auto record = goldenRecord();
        record->PrintAnschriftId = "02";
        record->PrintExtraLine = "z. Hd.";
        record->Clear();
        QCOMPARE(record->GetXMLBody(TXmlContent::Full, 4), empty);
        QVERIFY(record->PrintAnschriftId.isEmpty() && record->PrintExtraLine.isEmpty());
    }

    // Lists assigned over older content, and onto themselves, hold just the source's items.
    void assignMakesAnIndependentCopy() {
        const QString golden = goldenText("customeraddress_full.xml");
        const auto record = goldenRecord();
        record->PrintAnschriftId = "02";
        TCustomerAddress copy;
        copy.Assign(*record);
        copy.PaymentWays.Add()->Acc = "alt";
        copy.ExtraFields.Add()->ElementType = 1;
        copy.PaymentWays.Assign(record->PaymentWays);
        copy.ExtraFields.Assign(record->ExtraFields);
        copy.PaymentTerms.Assign(copy.PaymentTerms);
        QCOMPARE(copy.GetXML(TXmlContent::Full), golden);
        QCOMPARE(copy.PrintAnschriftId, QStringLiteral("02"));
        copy.Kontakte.Items(0)->Data.Items(0)->CdValue = "01";
        copy.Anschriften.Items(0)->Name1 = "anders";
        copy.PaymentWays.Items(3)->Iban.clear();
        copy.PaymentTerms.Items(0)->Perc = 3;
        copy.ExtraFields.Items(0)->TextValue = "geändert";
        QCOMPARE(record->GetXML(TXmlContent::Full), golden);
        QVERIFY(!record->SameContent(copy));
    }

    // Unknown, stray, incomplete and unreadable content: the record keeps what it understands.
    void readsHandWrittenDocumentsTolerantly() {
        const auto r = loaded(R"(<kundenadr cr="45.000,5" mahntyp=" 2 " wvtxt="x">
<neu a="1"><info2>fremd</info2><adr2 id="9"/></neu><kontaktdata cdtype="2" cdvalue="verloren"/>
<adr/><info>bleibt</info><zukunft>text</zukunft><at>Anzeige</at><alarm val="0">Achtung</alarm>
<kontakte><kontakt name="A"><kontaktdata cdtype="4" cdvalue="a@b.de"/></kontakt>
<kontaktdata cdtype="2" cdvalue="auch verloren"/><kontakt><kontaktdata/></kontakt></kontakte>
<pwl><pw payway="Bar" acc="123"/><pw payway="261"/><pw payway="9"/></pwl>
<ptl><pt type="x" perc="viel" days="" dpw="-"/><pt type="1" perc="3" days="10"/></ptl>
<dsnobj name="a" type="9">w</dsnobj><dsnobj name="b" type="0">w</dsnobj><dsnobj>w</dsnobj>
<dsnobj name="c" type="99999999999">w</dsnobj><dsnobj name="d" type="1">ok</dsnobj>
<dsnobj name="f" type="6">1,234.5</dsnobj></kundenadr>)");
        QVERIFY(!r->HasParseError);
        QCOMPARE((QStringList{r->Info, r->DisplayTxt, r->AlarmText, r->WvTxt}),
                 (QStringList{"bleibt", "Anzeige", "Achtung", "x"}));
        QVERIFY(r->Alarm);  // switched on by its text
        QCOMPARE(r->Anschriften.Count(), 1);
        QCOMPARE(r->Kontakte.Count(), 2);
        QCOMPARE(r->Kontakte.Items(0)->Data.Count(), 1);
        QCOMPARE(r->Kontakte.Items(0)->Data.Items(0)->CdValue, QStringLiteral("a@b.de"));
        QCOMPARE(r->Kontakte.Items(1)->Data.Count(), 1);
        // Payment kinds are bytes: unreadable or larger values give 0, unknown ones are kept.
        QList<double> numbers{r->Created, double(r->MahnTyp), double(r->PaymentWays.Count())};
        for (const auto& way : r->PaymentWays) numbers.append(way->PayWay);
        for (const auto& t : r->PaymentTerms)
            numbers.append({double(t->PtType), t->Perc, double(t->Days), double(t->Dpw)});
        for (const auto& field : r->ExtraFields) numbers.append(field->ElementType);
        numbers.append(r->ExtraFields.Items(5)->FloatValue);
        QCOMPARE(numbers, (QList<double>{45000.5, 2,  3, 0, 0, 9, 0, 0, 0, 7,     1,
                                         3,       10, 7, 9, 0, 0, 0, 1, 6, 1234.5}));
        QCOMPARE(r->PaymentWays.Items(0)->Acc, QStringLiteral("123"));
        QCOMPARE(r->ExtraFields.Items(4)->TextValue, QStringLiteral("ok"));
        // A resubmission text without a date is not written.
        QVERIFY(!r->GetXMLBody(TXmlContent::Full).contains(QStringLiteral("wv")));
    }

    // ------------------------------------------------------------ lists

    void newIdTakesTheFirstFreeNumber() {
        QStringList many;
        for (int i = 1; i <= 99; ++i) many.append(QStringLiteral("%1").arg(i, 2, 10, QChar(u'0')));
        const QList<QPair<QStringList, QString>> cases{
            {{}, "01"}, {{"01", "03"}, "04"}, {{"05", "x"}, "03"}, {many, "100"}};
        for (const auto& [ids, expected] : cases) {
            TCustomerAnschriftObjectList list;
            for (const QString& id : ids) list.Add()->Id = id;
            QCOMPARE(list.NewId(), expected);
        }
    }

    // A blank name takes the default contact; names are compared exactly.
    void anschriftExtension() {
        const auto r = loaded(wrap(R"(<kontakte><kontakt name="Meier">
<kontaktdata cdtype="2" cdvalue="123"/><kontaktdata cdtype="10" cdvalue="Einkauf"/>
<kontaktdata cdtype="10" cdvalue="zweite"/></kontakt><kontakt name="Schulz" std="-1">
<kontaktdata cdtype="10" cdvalue="Vertrieb"/></kontakt><kontakt name="Ohne">
<kontaktdata cdtype="9" cdvalue="Ohne"/></kontakt></kontakte>)"));
        const char* cases[][2] = {
            {"Meier", "Einkauf"}, {"  ", "Vertrieb"}, {"Ohne", "vorgabe"}, {"meier", "vorgabe"}};
        for (const auto& [contact, expected] : cases)
            QCOMPARE(r->Kontakte.GetAnschriftExtension(contact, "vorgabe"), QString(expected));
    }

    // Contacts are kept by name in any case, postal addresses by id; blank keeps the default,
    // which the one kept becomes ("?" would be one left that is not the default).
    void keepOnlyOne() {
        const struct {
            const char* name;
            QStringList contacts;
            const char* id;
            QStringList anschriften;
        } rows[] = {{"MEIER", {"Meier", "meier"}, "03", {"03"}}, {"", {"Schulz"}, " ", {"02"}}};
        for (const auto& row : rows) {
            const auto r = loaded(wrap(R"(<adr id="01"/><adr id="02" std="-1"/><adr id="03"/>
<adr id="AB"/><kontakte><kontakt name="Meier"/><kontakt name="Schulz" std="-1"/>
<kontakt name="meier"/></kontakte>)"));
            r->Kontakte.KeepOnlyContact(row.name);
            r->Anschriften.KeepOnlyAnschrift(row.id);
            QStringList contacts, anschriften;
            for (const auto& c : r->Kontakte) contacts.append(c->Std ? c->Name : "?");
            for (const auto& a : r->Anschriften) anschriften.append(a->Std ? a->Id : "?");
            QCOMPARE(contacts, row.contacts);
            QCOMPARE(anschriften, row.anschriften);
        }
    }

    // ------------------------------------------------------------ list file

    // Read over older content and written again, the golden list gives the same bytes.
    void addressListFileIsGolden() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QByteArray golden = ReadFileBytes(kData + "addresslist.xml");
        TCustomerAdressObjectList list;
        list.Add()->Id = "STALE";
        QVERIFY(LoadAddressListFromFile(kData + "addresslist.xml", list));
        QCOMPARE(list.Count(), 2);
        const TCustomerAddress* b = list.Items(1);
        QCOMPARE(
            (QStringList{list.Items(0)->Id, b->Id, b->ChangedBy, b->Anschriften.Items(0)->Name1,
                         b->Kontakte.Items(0)->Name, b->Kennzeichen.join(u'|')}),
            (QStringList{"A1", "B2", "Y", "Bär", "A", "X"}));
        QCOMPARE(b->Changed, 45000.25);
        const QString path = dir.filePath("PICK.XML");
        SaveAddressListToFile(list, path);
        QCOMPARE(ReadFileBytes(path), golden);
        // A missing file is an empty list, not an error.
        QString error = QStringLiteral("alt");
        QVERIFY(LoadAddressListFromFile(dir.filePath("FEHLT.XML"), list, &error));
        QVERIFY(list.Count() == 0 && error.isEmpty());
    }
};

KWP_REGISTER_TEST(TestCustomerAddress)
#include "tst_customeraddress.moc"
